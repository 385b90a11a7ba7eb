#include "export/Viewgraphunit.h"

#include "platform/WindowPlacement.h"
#include "resources/Strings.h"

namespace orvel {

TFormViewGraphic *FormViewGraphic = nullptr;

namespace {
constexpr int kCaption = 105; // "Graphical viewer"
} // namespace

TFormViewGraphic::TFormViewGraphic(QWidget *parent)
    : QDialog(parent, Qt::Dialog)
{
    setWindowTitle(LoadStr(kCaption));
    setFixedSize(640, 480);
    centreOnScreen(this);
}

} // namespace orvel
