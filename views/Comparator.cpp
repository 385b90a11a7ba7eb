#include "views/Comparator.h"

#include "app/Globalvar.h"
#include "app/Main4.h"
#include "app/Messages.h"
#include "app/Tiling.h"
#include "platform/WindowPlacement.h"
#include "resources/Icons.h"
#include "resources/Strings.h"

namespace orvel {

TComparatorForm *ComparatorForm = nullptr;

namespace {
constexpr int kCaption = 102; // "Comparator"
constexpr int kIcon = 5;
} // namespace

TComparatorForm::TComparatorForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , fHiLimit(HiLimit)
    , fLowLimit(LowLimit)
{
    const QRect outer = comparatorRect(primaryScreenSize().height(), FormMain->stripHeight(), FormMain->metrics(),
                                       kAlarmButtonHeight, kLimitButtonHeight);
    setFixedSize(outer.size()); // fixed frame: only code sizes it
    setOuterGeometry(this, outer);
    setWindowTitle(LoadStr(kCaption));
    setWindowIcon(programIcon(kIcon));
}

void TComparatorForm::customEvent(QEvent *event)
{
    if (event->type() == UM_READING)
        UmReading();
    else
        QWidget::customEvent(event);
}

void TComparatorForm::UmReading()
{
    shown = values;
    ++iReadingsShown;
    update();
}

} // namespace orvel
