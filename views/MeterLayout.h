#pragma once
// Sizes inside the digital meter: the panels follow the display's width, and
// each panel's characters follow the panel's width.

#include <QRect>
#include <QSize>

namespace orvel {

// How much of its panel's width a character takes, per panel.
inline constexpr double kDataFontFactor = 0.2;
inline constexpr double kSubDataFontFactor = 0.125;
inline constexpr double kUnitFontFactor = 0.5;
inline constexpr double kFuncFontFactor = 0.5;
inline constexpr double kAcDcFontFactor = 0.25;

/// Font size in points for a panel `widthPx` wide whose font has `pixelsPerInch`:
/// trunc(96 / P × W × f − 3); at least 1.
int panelFontPoints(int widthPx, double pixelsPerInch, double factor);

/// The panels of a display `lcdWidth` × `lcdHeight` (the inside of its bevel):
/// unit and prefix panels a fifth of the width each at the right, the number
/// in the rest, and the auxiliary line, a quarter of the display high, at the
/// bottom of the number panel.
struct DigitalMeterLayout
{
    QRect funcPanel;    ///< in the display
    QRect unitPanel;    ///< in the display
    QRect dataPanel;    ///< in the display
    QRect subDataPanel; ///< in dataPanel
};

DigitalMeterLayout digitalMeterLayout(int lcdWidth, int lcdHeight, int bevel);

/// The AC/DC mark inside a unit panel of `funcPanel` size: its top quarter.
QRect acDcMarkRect(const QSize &funcPanel);

/// The unit's font size a reading sets: half the unit panel's width, in points.
int tickUnitFontPoints(int funcPanelWidth);

} // namespace orvel
