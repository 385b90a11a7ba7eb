#include "views/Analogmeter.h"

#include "app/Main4.h"
#include "app/Messages.h"
#include "app/Tiling.h"
#include "platform/WindowPlacement.h"
#include "resources/Icons.h"
#include "resources/Strings.h"
#include "views/Digitalmeter.h"

namespace orvel {

TAnalogMeterForm *AnalogMeterForm = nullptr;

namespace {
constexpr int kCaption = 101; // "Analog Meter"
constexpr int kIcon = 1;
} // namespace

TAnalogMeterForm::TAnalogMeterForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    const QRect outer = analogMeterRect(primaryScreenSize().width(), FormMain->stripHeight(),
                                        outerGeometry(DigitalMeterForm).height(), FormMain->metrics());
    setFixedSize(outer.size()); // fixed frame: only code sizes it
    setOuterGeometry(this, outer);
    FormCreate();
    show();
}

void TAnalogMeterForm::FormCreate()
{
    setWindowTitle(LoadStr(kCaption));
    setWindowIcon(programIcon(kIcon));
}

void TAnalogMeterForm::customEvent(QEvent *event)
{
    if (event->type() == UM_READING)
        UmReading();
    else
        QWidget::customEvent(event);
}

void TAnalogMeterForm::UmReading()
{
    shown = values;
    ++iReadingsShown;
    update();
}

} // namespace orvel
