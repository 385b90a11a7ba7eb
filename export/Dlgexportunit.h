#pragma once
// The recorder's export dialog: text data of any pages, pictures of the page
// shown, print-outs of any pages.

#include "export/ExportDialog.h"

namespace orvel {

class TGraphicalForm;

class TDlgExportForm : public TExportDialog
{
    Q_OBJECT

public:
    explicit TDlgExportForm(QWidget *parent = nullptr);

    /// The recorder's Export command: prepares and shows the dialog, and on OK
    /// exports text, pictures or print-outs of the recorder's pages.
    void RecorderExport();

private:
    /// The export the dialog closed with.
    void exportChosen(TGraphicalForm &recorder);
    /// The picture loop: each page from `from` to `to` put on the chart and exported.
    void exportPages(TGraphicalForm &recorder, int from, int to);
};

extern TDlgExportForm *DlgExportForm;

} // namespace orvel
