#include "export/Dlgfitexportunit.h"

#include "platform/WindowPlacement.h"
#include "resources/Strings.h"

namespace orvel {

TDlgFitExportForm *DlgFitExportForm = nullptr;

namespace {
constexpr int kCaption = 107; // "Exporting Data Logger"
} // namespace

TDlgFitExportForm::TDlgFitExportForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog)
{
    setWindowTitle(LoadStr(kCaption));
    setFixedSize(420, 360);
    centreOnScreen(this);
}

void TDlgFitExportForm::ViewerExport(PEGraph &)
{
    // The export dialog and its procedure are still to come.
}

} // namespace orvel
