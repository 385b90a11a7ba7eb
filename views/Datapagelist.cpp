#include "views/Datapagelist.h"

#include "app/Globalvar.h"
#include "app/Main4.h"
#include "app/Tiling.h"
#include "platform/WindowPlacement.h"
#include "resources/Icons.h"
#include "resources/Strings.h"
#include "views/Analogmeter.h"
#include "views/Digitalmeter.h"

namespace orvel {

TDataPageListForm *DataPageListForm = nullptr;

namespace {
constexpr int kCaption = 103; // "Data list"
constexpr int kIcon = 4;
} // namespace

TDataPageListForm::TDataPageListForm(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    const QSize screen = primaryScreenSize();
    setOuterGeometry(this, dataListRect(screen.width(), screen.height(), FormMain->stripHeight(),
                                        outerGeometry(DigitalMeterForm).height(),
                                        outerGeometry(AnalogMeterForm).height(), TaskbarReserve));
    const SizeLimits limits = dataListLimits(screen.width(), screen.height(), FormMain->stripHeight(), TaskbarReserve);
    setSizeLimits(this, limits, NormalSize::Resizable);
    setWindowTitle(LoadStr(kCaption));
    setWindowIcon(programIcon(kIcon));
    show();
}

} // namespace orvel
