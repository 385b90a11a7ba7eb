#pragma once
// The graph viewer's export dialog: the chart as the viewer shows it, as a
// picture or a print-out.

#include "export/ExportDialog.h"
#include "recorder/WindowContext.h"

namespace orvel {

class PEGraph;

class TDlgFitExportForm : public TExportDialog
{
    Q_OBJECT

public:
    explicit TDlgFitExportForm(const WindowContext &context, QWidget *parent = nullptr);

    /// The viewer's Export button: prepares and shows the dialog, and on OK
    /// exports `chart` as it is shown (picture or print-out).
    void ViewerExport(PEGraph &chart);

private:
    const WindowContext Context;
};

extern TDlgFitExportForm *DlgFitExportForm;

} // namespace orvel
