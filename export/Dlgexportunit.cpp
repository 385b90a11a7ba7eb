#include "export/Dlgexportunit.h"

#include "chart/ChartSetup.h"
#include "export/ExportText.h"
#include "recorder/Recording.h"
#include "resources/Strings.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

namespace orvel {

TDlgExportForm *DlgExportForm = nullptr;

TDlgExportForm::TDlgExportForm(const WindowContext &context, QWidget *parent)
    : TExportDialog(ExportOwner::Recorder, parent)
    , Context(context)
{}

void TDlgExportForm::RecorderExport(PEGraph &chart, const PageLoader &loadPage)
{
    const ExportHold exporting(Context.recording);
    prepare(ExportKind::Text, QStringLiteral("1"), QString::number(Context.recording.state().iLastPage));
    btnBrowse->setFocus();
    if (exec() == QDialog::Accepted)
        exportChosen(chart, loadPage);
}

void TDlgExportForm::exportChosen(PEGraph &chart, const PageLoader &loadPage)
{
    if (!checkFileName())
        return;
    const RecorderState &s = Context.recording.state();
    const ExportControls &c = Choices.controls();
    const PageSpan span = pageSpan(c.scope.value_or(PageScope::ThisPage), editPageFrom->text(), editPageTo->text(),
                                   s.iShownPage, s.iLastPage);
    if (span.errorId != 0) {
        showError(span.errorId, span.error);
        return;
    }
    if (c.kind == ExportKind::Text) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool written = writeExportText(c.fileName, Context.recording.buffer(), span.from, span.to);
        QApplication::restoreOverrideCursor();
        if (!written)
            showError(str::CannotCreateFile, LoadStrArg(str::CannotCreateFile, QDir::toNativeSeparators(c.fileName)));
        return;
    }
    if (c.destination == ExportDestination::Printer)
        exportPages(chart, loadPage, span.from, span.to);
    else
        exportPages(chart, loadPage, s.iShownPage, s.iShownPage);
}

void TDlgExportForm::exportPages(PEGraph &chart, const PageLoader &loadPage, int from, int to)
{
    const bool printing = Choices.controls().destination == ExportDestination::Printer;
    // Pages go out whole; the screen keeps its zoom for when the page shown comes back.
    chart.setOutputsUnzoomed(true);
    if (printing)
        chart.beginPrintJob();
    PEError error = PEError::None;
    for (int page = from; page <= to && error == PEError::None; ++page) {
        loadPage(page);
        redraw(chart);
        QCoreApplication::processEvents();
        error = exportChart(chart, false);
        if (error == PEError::None)
            emit pageExported(page);
    }
    if (printing && !chart.endPrintJob() && error == PEError::None)
        error = PEError::PrinterFailed;
    chart.setOutputsUnzoomed(false);
    reportFailure(chart, error);
}

} // namespace orvel
