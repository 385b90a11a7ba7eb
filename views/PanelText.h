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

/// Black with lime characters, like the meter's display.
void setLcdColours(QWidget *widget);

/// A display panel: characters of `colour` on black in `face`, `pixelHeight`
/// high. What it shows comes from the meter or from a file, so it is always
/// shown as plain text, never as markup.
QLabel *blackPanel(QWidget *parent, const char *name, const QColor &colour, int pixelHeight, Qt::Alignment align,
                   const QString &face = QStringLiteral("Arial"));

/// A display panel: lime characters on black in Arial `pixelHeight` high.
QLabel *lcdPanel(QWidget *parent, const char *name, int pixelHeight, Qt::Alignment align);

/// Shows `text` in `panel` drawn in `face` with `align`. The panel's property
/// "face" records the face; the text itself is already mapped for the symbol
/// face, so it reads right with any font.
void showLabel(QLabel *panel, const QString &text, LabelFace face, LabelAlign align);

} // namespace orvel
