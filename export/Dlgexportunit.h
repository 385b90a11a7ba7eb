#pragma once
// The recorder's export dialog: text data of any pages, pictures of the page
// shown, print-outs of any pages.

#include "export/ExportDialog.h"
#include "recorder/WindowContext.h"

#include <functional>

namespace orvel {

class TDlgExportForm : public TExportDialog
{
    Q_OBJECT

public:
    explicit TDlgExportForm(const WindowContext &context, QWidget *parent = nullptr);

    /// Puts the readings of a page (numbered as the recorder numbers them) on the chart.
    using PageLoader = std::function<void(int page)>;

    /// The recorder's Export command: prepares and shows the dialog, and on OK
    /// exports text of the recording's pages, or pictures or print-outs of them
    /// on `chart`, each page put there by `loadPage`. The recording stays still
    /// meanwhile; the caller shows its page again afterwards.
    void RecorderExport(PEGraph &chart, const PageLoader &loadPage);

private:
    const WindowContext Context;

    /// The export the dialog closed with.
    void exportChosen(PEGraph &chart, const PageLoader &loadPage);
    /// The picture loop: each page from `from` to `to` put on the chart and exported.
    void exportPages(PEGraph &chart, const PageLoader &loadPage, int from, int to);
};

extern TDlgExportForm *DlgExportForm;

} // namespace orvel
