#pragma once
// The recorder's acquisition interval dialog: manual or automatic, and how often.

#include <QDialog>

namespace orvel {

class TDialogOption : public QDialog
{
    Q_OBJECT

public:
    explicit TDialogOption(QWidget *parent = nullptr);
};

extern TDialogOption *DialogOption;

} // namespace orvel
