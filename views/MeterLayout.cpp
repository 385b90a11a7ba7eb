#include "views/MeterLayout.h"

#include <algorithm>
#include <cmath>

namespace orvel {

int panelFontPoints(int widthPx, double pixelsPerInch, double factor)
{
    if (pixelsPerInch <= 0)
        pixelsPerInch = 96;
    return std::max(1, int(std::trunc(96.0 / pixelsPerInch * widthPx * factor - 3)));
}

DigitalMeterLayout digitalMeterLayout(int lcdWidth, int lcdHeight, int bevel)
{
    DigitalMeterLayout l;
    const int innerLeft = bevel;
    const int innerTop = bevel;
    const int innerRight = lcdWidth - bevel;
    const int innerHeight = std::max(0, lcdHeight - 2 * bevel);
    const int side = lcdWidth / 5;
    l.funcPanel = QRect(innerRight - side, innerTop, side, innerHeight);
    l.unitPanel = QRect(innerRight - 2 * side, innerTop, side, innerHeight);
    l.dataPanel = QRect(innerLeft, innerTop, std::max(0, innerRight - 2 * side - innerLeft), innerHeight);
    const int subHeight = lcdHeight / 4;
    // The auxiliary line is as wide as the whole display; the number panel clips it.
    l.subDataPanel = QRect(0, l.dataPanel.height() - subHeight, lcdWidth, subHeight);
    return l;
}

QRect acDcMarkRect(const QSize &funcPanel)
{
    return {0, 0, funcPanel.width(), funcPanel.height() / 4};
}

int tickUnitFontPoints(int funcPanelWidth)
{
    return std::max(1, funcPanelWidth / 2);
}

} // namespace orvel
