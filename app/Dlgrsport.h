#pragma once
// The port dialog: chooses which of COM1 … COM8 the meter is on.

#include <QDialog>

namespace orvel {

class TDlgRsPortForm : public QDialog
{
    Q_OBJECT

public:
    explicit TDlgRsPortForm(QWidget *parent = nullptr);
};

extern TDlgRsPortForm *DlgRsPortForm;

} // namespace orvel
