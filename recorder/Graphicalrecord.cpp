#include "recorder/Graphicalrecord.h"

#include "app/Globalvar.h"
#include "app/Main4.h"
#include "app/Tiling.h"
#include "platform/WindowPlacement.h"
#include "resources/Icons.h"
#include "resources/Strings.h"

namespace orvel {

TGraphicalForm *GraphicalForm = nullptr;

namespace {
constexpr int kCaption = 104; // "Graphical Recorder"
constexpr int kIcon = 3;
} // namespace

TGraphicalForm::TGraphicalForm(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    const QSize screen = primaryScreenSize();
    setOuterGeometry(this, recorderRect(screen.width(), screen.height(), FormMain->stripHeight(), TaskbarReserve));
    setWindowTitle(LoadStr(kCaption));
    setWindowIcon(programIcon(kIcon));
    show();
}

} // namespace orvel
