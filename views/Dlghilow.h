#pragma once
// The comparator's limit dialog.

#include <QDialog>

namespace orvel {

class TDlgHiLowForm : public QDialog
{
    Q_OBJECT

public:
    explicit TDlgHiLowForm(QWidget *parent = nullptr);
};

extern TDlgHiLowForm *DlgHiLowForm;

} // namespace orvel
