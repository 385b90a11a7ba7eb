#include "views/Dlghilow.h"

#include "platform/WindowPlacement.h"
#include "resources/Strings.h"

namespace orvel {

TDlgHiLowForm *DlgHiLowForm = nullptr;

namespace {
constexpr int kCaption = 2002; // "Comparator Hi-Low limit setting"
} // namespace

TDlgHiLowForm::TDlgHiLowForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog)
{
    setWindowTitle(LoadStr(kCaption));
    setFixedSize(300, 170);
    centreOnScreen(this);
}

} // namespace orvel
