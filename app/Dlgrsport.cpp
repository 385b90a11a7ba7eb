#include "app/Dlgrsport.h"

#include "platform/WindowPlacement.h"
#include "resources/Strings.h"

namespace orvel {

TDlgRsPortForm *DlgRsPortForm = nullptr;

namespace {
constexpr int kCaption = 2000; // "Serial Port selection"
} // namespace

TDlgRsPortForm::TDlgRsPortForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog)
{
    setWindowTitle(LoadStr(kCaption));
    setFixedSize(326, 252);
    centreOnScreen(this);
}

} // namespace orvel
