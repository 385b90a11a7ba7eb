#pragma once
// The progress window of a file load, with an abort button; it has no title bar.

#include <QDialog>

namespace orvel {

class TMsgForm : public QDialog
{
    Q_OBJECT

public:
    explicit TMsgForm(QWidget *parent = nullptr);
};

extern TMsgForm *MsgForm;

} // namespace orvel
