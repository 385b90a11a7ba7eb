#pragma once
// The recorder's export dialog.

#include <QDialog>

namespace orvel {

class TDlgExportForm : public QDialog
{
    Q_OBJECT

public:
    explicit TDlgExportForm(QWidget *parent = nullptr);

    /// The recorder's Export command: prepares and shows the dialog, and on OK
    /// exports text, pictures or print-outs of the recorder's pages.
    void RecorderExport();
};

extern TDlgExportForm *DlgExportForm;

} // namespace orvel
