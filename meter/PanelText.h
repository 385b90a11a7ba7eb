#pragma once
// Showing a prefix or unit label in a panel: its face, its alignment, and the
// symbol face's letters drawn as the characters they stand for.

#include "meter/Getunitfuncstr.h"

#include <QColor>
#include <QString>
#include <Qt>

class QLabel;
class QWidget;

namespace orvel {

/// The face's name as it is recorded on the panel ("Arial" or "Symbol").
QString faceName(LabelFace face);

/// The display panels' characters: the reading's lime, the largest reading's
/// red, the smallest reading's fuchsia.
inline const QColor kLime{0x00, 0xFF, 0x00};
inline const QColor kRed{0xFF, 0x00, 0x00};
inline const QColor kFuchsia{0xFF, 0x00, 0xFF};
/// The marks' orange, as the chart draws them.
inline const QColor kMarkColour{0xFF, 0x8C, 0x00};

/// Black with lime characters, like the meter's display.
void setLcdColours(QWidget *widget);

/// How a display panel's edge looks.
enum class PanelEdge { Flat, Sunken };

/// A display panel: characters of `colour` on black in `face`, `pixelHeight`
/// high. What it shows comes from the meter or from a file, so it is always
/// shown as plain text, never as markup.
QLabel *blackPanel(QWidget *parent, const char *name, const QColor &colour, int pixelHeight, Qt::Alignment align,
                   const QString &face = QStringLiteral("Arial"), PanelEdge edge = PanelEdge::Flat);

/// A caption in `colour` (the window's text colour when invalid) beside the panels.
QLabel *colouredCaption(QWidget *parent, const QString &text, const QColor &colour);

/// The contrast ratio of two colours as WCAG measures it, 1 (none) to 21.
double contrastRatio(const QColor &a, const QColor &b);

/// The contrast that a coloured text keeps on a dark background.
inline constexpr double kReadableContrast = 4.5;

/// The shade of `colour` a text takes on `background`: `colour` itself on a
/// light background, as ever; on a dark one (a dark desktop theme), `colour`
/// made lighter, hue kept, until it reaches kReadableContrast.
QColor shadeOn(const QColor &colour, const QColor &background);

/// Draws `label`'s text in `colour`'s shade on the label's own background, and
/// again whenever its palette changes (a desktop that turns dark while the
/// program runs).
void setTextColour(QLabel *label, const QColor &colour);

/// Shows `text` in `panel` drawn in `face` with `align`. The panel's property
/// "face" records the face; the text itself is already mapped for the symbol
/// face, so it reads right with any font.
void showLabel(QLabel *panel, const QString &text, LabelFace face, LabelAlign align);

} // namespace orvel
