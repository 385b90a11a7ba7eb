#include "app/Dlgabout.h"

#include "platform/WindowPlacement.h"
#include "resources/Strings.h"

namespace orvel {

TDlgAboutForm *DlgAboutForm = nullptr;

namespace {
constexpr int kCaption = 2001; // "About"
} // namespace

TDlgAboutForm::TDlgAboutForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog)
{
    setWindowTitle(LoadStr(kCaption));
    setFixedSize(335, 226);
    centreOnScreen(this);
}

} // namespace orvel
