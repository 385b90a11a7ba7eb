#pragma once
// The self-closing warning window: a warning that goes on by itself after 3 seconds
// unless the user answers it first. The caller sets its caption.

#include <QDialog>

namespace orvel {

class TAutoMsgForm : public QDialog
{
    Q_OBJECT

public:
    explicit TAutoMsgForm(QWidget *parent = nullptr);
};

extern TAutoMsgForm *AutoMsgForm;

} // namespace orvel
