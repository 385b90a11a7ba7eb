#pragma once
// Showing a prefix or unit label in a panel: its face, its alignment, and the
// symbol face's letters drawn as the characters they stand for.

#include "meter/Getunitfuncstr.h"

class QLabel;

namespace orvel {

/// The face's name as it is recorded on the panel ("Arial" or "Symbol").
QString faceName(LabelFace face);

/// Shows `text` in `panel` drawn in `face` with `align`. The panel's property
/// "face" records the face; the text itself is already mapped for the symbol
/// face, so it reads right with any font.
void showLabel(QLabel *panel, const QString &text, LabelFace face, LabelAlign align);

} // namespace orvel
