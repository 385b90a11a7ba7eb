#include "export/Dlgexportunit.h"

#include "platform/WindowPlacement.h"
#include "resources/Strings.h"

namespace orvel {

TDlgExportForm *DlgExportForm = nullptr;

namespace {
constexpr int kCaption = 107; // "Exporting Data Logger"
} // namespace

TDlgExportForm::TDlgExportForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog)
{
    setWindowTitle(LoadStr(kCaption));
    setFixedSize(420, 360);
    centreOnScreen(this);
}

void TDlgExportForm::RecorderExport()
{
    // The export dialog and its procedure are still to come.
}

} // namespace orvel
