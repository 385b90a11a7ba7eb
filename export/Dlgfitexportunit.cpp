#include "export/Dlgfitexportunit.h"

#include "chart/PEGraph.h"
#include "recorder/Recording.h"

#include <QRadioButton>

namespace orvel {

TDlgFitExportForm *DlgFitExportForm = nullptr;

TDlgFitExportForm::TDlgFitExportForm(const WindowContext &context, QWidget *parent)
    : TExportDialog(ExportOwner::Viewer, parent)
    , Context(context)
{}

void TDlgFitExportForm::ViewerExport(PEGraph &chart)
{
    const ExportHold exporting(Context.recording);
    // The viewer's chart holds no text data to export.
    rbtnText->setEnabled(false);
    rbtnText->setVisible(false);
    prepare(ExportKind::MetaFile, QStringLiteral("1"), QStringLiteral("1"));
    if (exec() != QDialog::Accepted || !checkFileName())
        return;
    // A bitmap prints as the viewer's own print command does: through the print dialog.
    const PEError error = exportChart(chart, Choices.controls().kind == ExportKind::BitMap);
    if (error == PEError::None)
        emit pageExported(1);
    reportFailure(chart, error);
}

} // namespace orvel
