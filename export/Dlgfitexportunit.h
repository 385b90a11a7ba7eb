#pragma once
// The graph viewer's export dialog.

#include <QDialog>

namespace orvel {

class TDlgFitExportForm : public QDialog
{
    Q_OBJECT

public:
    explicit TDlgFitExportForm(QWidget *parent = nullptr);
};

extern TDlgFitExportForm *DlgFitExportForm;

} // namespace orvel
