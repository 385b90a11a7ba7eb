#pragma once
// The program's icons 1 … 7, drawn from SVG sources at the sizes asked for:
// 1 analog meter, 2 digital meter, 3 recorder, 4 data list, 5 comparator,
// 6 serial port (spare), 7 the application.

#include <QIcon>
#include <QPixmap>

namespace orvel {

inline constexpr int kIconCount = 7;
inline constexpr int kApplicationIcon = 7;

/// Resource path of icon `id`; empty for an id outside 1..7.
QString iconResourcePath(int id);

/// Icon `id` rendered at the usual window-icon sizes; a null icon for an unknown id.
QIcon programIcon(int id);

/// Icon `id` rendered at `size` × `size` device-independent pixels.
QPixmap programIconPixmap(int id, int size);

} // namespace orvel
