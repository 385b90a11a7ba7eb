#pragma once
// The recorder's acquisition interval dialog: manual or automatic, and how often.

#include <QDialog>

namespace orvel {

class TDialogOption : public QDialog
{
    Q_OBJECT

public:
    explicit TDialogOption(QWidget *parent = nullptr);

    bool bManualChosen = false; ///< Manual mode chosen
    int iIntervalSeconds = 0;   ///< interval in seconds; 0 is "Full Speed"
};

extern TDialogOption *DialogOption;

} // namespace orvel
