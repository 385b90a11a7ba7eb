#pragma once
// The program's pictures, drawn from SVG sources at their exact pixel sizes:
//  11  198 × 178  the analog meter's face
//  30  180 × 62   scale arc 0 … 6
//  13  180 × 60   scale arc 0 … 10
//  15  180 × 62   scale arc 0 … 20
//  17  11 × 11    white minus on a blue square
//  18  11 × 11    white plus on a red square
//  12  201 × 122  the comparator's frame
//  16  168 × 77   the comparator's three-zone scale (blue NG, green GO, red NG)
// The scales agree with the needles: the analog needle turns about (99, 132) of
// the face (scale pictures sit at (9, 28) on it), 100 pixels long, from 150° at
// zero to 30° at full scale; the comparator's needle turns about (100, 99) of
// its frame (scale at (16, 22)), 70 pixels long, with the zone borders at 110°
// and 70° and the stops at 130° and 50°.

#include <QImage>
#include <QSize>
#include <QString>

namespace orvel {

/// Resource path of picture `id`; empty for an unknown id.
QString pictureResourcePath(int id);

/// Size of picture `id` in pixels; empty for an unknown id.
QSize pictureSize(int id);

/// Picture `id` rendered at its size (transparent where the picture leaves the
/// background free); a null image for an unknown id. Drawn once, then shared.
QImage programBitmap(int id);

} // namespace orvel
