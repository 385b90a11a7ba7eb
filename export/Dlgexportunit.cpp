#include "export/Dlgexportunit.h"

#include "app/Globalvar.h"
#include "export/ExportText.h"
#include "recorder/Graphicalrecord.h"
#include "recorder/Pages.h"
#include "recorder/Tarecord.h"
#include "resources/Strings.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace orvel {

TDlgExportForm *DlgExportForm = nullptr;

TDlgExportForm::TDlgExportForm(QWidget *parent)
    : TExportDialog(ExportOwner::Recorder, parent)
{}

void TDlgExportForm::RecorderExport()
{
    if (!GraphicalForm)
        return;
    TGraphicalForm &recorder = *GraphicalForm;
    {
        const ExportRun run;
        prepare(ExportKind::Text, QStringLiteral("1"), QString::number(recorder.iLastPage));
        btnBrowse->setFocus();
        if (exec() == QDialog::Accepted)
            exportChosen(recorder);
    }
    // The page shown before, with the page commands that go with it.
    recorder.ShowPage();
}

void TDlgExportForm::exportChosen(TGraphicalForm &recorder)
{
    if (!checkFileName())
        return;
    const ExportControls &c = Choices.controls();
    const PageSpan span = pageSpan(c.scope.value_or(PageScope::ThisPage), editPageFrom->text(), editPageTo->text(),
                                   recorder.iShownPage, recorder.iLastPage);
    if (span.errorId != 0) {
        showError(span.errorId, span.error);
        return;
    }
    if (c.kind == ExportKind::Text) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool written = writeExportText(c.fileName, readingBuffer(), span.from, span.to);
        QApplication::restoreOverrideCursor();
        if (!written)
            showError(str::CannotCreateFile, LoadStrArg(str::CannotCreateFile, QDir::toNativeSeparators(c.fileName)));
        return;
    }
    if (c.destination == ExportDestination::Printer)
        exportPages(recorder, span.from, span.to);
    else
        exportPages(recorder, recorder.iShownPage, recorder.iShownPage);
}

void TDlgExportForm::exportPages(TGraphicalForm &recorder, int from, int to)
{
    PEGraph &chart = *recorder.PEGraph;
    const bool printing = Choices.controls().destination == ExportDestination::Printer;
    // Pages go out whole; the screen keeps its zoom for when the page shown comes back.
    chart.setOutputsUnzoomed(true);
    if (printing)
        chart.beginPrintJob();
    PEError error = PEError::None;
    for (int page = from; page <= to && error == PEError::None; ++page) {
        recorder.loadPagePoints(page);
        chart.SetPEnarg1(0);
        chart.SetPEnarg2(0);
        chart.SetPEactions(gReinitAndReset);
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
