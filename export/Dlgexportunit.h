#pragma once
// The recorder's export dialog.

#include <QDialog>

namespace orvel {

class TDlgExportForm : public QDialog
{
    Q_OBJECT

public:
    explicit TDlgExportForm(QWidget *parent = nullptr);
};

extern TDlgExportForm *DlgExportForm;

} // namespace orvel
