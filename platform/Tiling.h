#pragma once
// Where each window goes: the main strip across the top of the screen, a left
// column a quarter of the screen wide (digital meter, analog meter, data list),
// the recorder over the right three quarters, the comparator floating over the
// column. All rectangles are outer bounds (frame and title bar included);
// divisions truncate toward zero.

#include "platform/SystemMetrics.h"
#include "platform/WindowPlacement.h"

#include <QRect>
#include <QSize>

namespace orvel {

inline constexpr int kMainBevelHeight = 2;             ///< height of the bevel line at the top of the strip
inline constexpr int kToolbarRowHeight = 25;           ///< toolbar row under the bevel
inline constexpr int kToolbarMargin = 8;               ///< space above the toolbar buttons
inline constexpr QSize kAnalogFaceSize{198, 178};      ///< the analog meter's face picture
inline constexpr QSize kComparatorFrameSize{201, 122}; ///< the comparator's frame picture

/// Height of the main strip: two dialog frames, title bar, menu bar, bevel and toolbar row.
int mainStripHeight(const SystemMetrics &m);

/// The main strip: the whole width of the screen at its top.
QRect mainWindowRect(int screenWidth, const SystemMetrics &m);

/// Digital meter: top of the left column.
QRect digitalMeterRect(int screenWidth, int screenHeight, int stripHeight);

/// Analog meter: under the digital meter, as high as its face plus frame and title bar.
QRect analogMeterRect(int screenWidth, int stripHeight, int digitalMeterHeight, const SystemMetrics &m);

/// Data list: under both meters down to the task bar.
QRect dataListRect(int screenWidth, int screenHeight, int stripHeight, int digitalMeterHeight, int analogMeterHeight,
                   int taskbarReserve);

/// Recorder: the right three quarters, from the strip down to the task bar.
QRect recorderRect(int screenWidth, int screenHeight, int stripHeight, int taskbarReserve);

/// The digital meter: maximised it fills the screen below the strip; it cannot
/// shrink below a quarter of that area either way.
SizeLimits digitalMeterLimits(int screenWidth, int screenHeight, int stripHeight);

/// The data list: maximised it keeps to the left column down to the task bar.
SizeLimits dataListLimits(int screenWidth, int screenHeight, int stripHeight, int taskbarReserve);

/// The recorder: never narrower than three quarters of the screen nor shorter
/// than the space between strip and task bar.
SizeLimits recorderLimits(int screenWidth, int screenHeight, int stripHeight, int taskbarReserve);

/// Comparator: over the left column; its client holds the frame picture and two button rows.
QRect comparatorRect(int screenHeight, int stripHeight, const SystemMetrics &m, int alarmButtonHeight,
                     int limitButtonHeight);

} // namespace orvel
