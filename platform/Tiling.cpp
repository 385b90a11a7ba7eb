#include "platform/Tiling.h"

namespace orvel {

int mainStripHeight(const SystemMetrics &m)
{
    return 2 * m.dialogFrame + m.caption + m.menu + kMainBevelHeight + kToolbarRowHeight + kToolbarMargin;
}

QRect mainWindowRect(int screenWidth, const SystemMetrics &m)
{
    return {0, 0, screenWidth, mainStripHeight(m)};
}

QRect digitalMeterRect(int screenWidth, int screenHeight, int stripHeight)
{
    return {0, stripHeight, screenWidth / 4, (screenHeight - stripHeight) / 4};
}

QRect analogMeterRect(int screenWidth, int stripHeight, int digitalMeterHeight, const SystemMetrics &m)
{
    return {0, stripHeight + digitalMeterHeight, screenWidth / 4,
            kAnalogFaceSize.height() + 4 * m.dialogFrame + m.caption};
}

QRect dataListRect(int screenWidth, int screenHeight, int stripHeight, int digitalMeterHeight, int analogMeterHeight,
                   int taskbarReserve)
{
    const int top = stripHeight + digitalMeterHeight + analogMeterHeight;
    return {0, top, screenWidth / 4, screenHeight - top - taskbarReserve};
}

QRect recorderRect(int screenWidth, int screenHeight, int stripHeight, int taskbarReserve)
{
    const int left = screenWidth / 4;
    return {left, stripHeight, screenWidth - left, screenHeight - stripHeight - taskbarReserve};
}

QRect comparatorRect(int screenHeight, int stripHeight, const SystemMetrics &m, int alarmButtonHeight,
                     int limitButtonHeight)
{
    const int e = 2 * m.sizingFrame + m.caption;
    return {e, (screenHeight - stripHeight) / 4 + stripHeight + e, kComparatorFrameSize.width() + e,
            kComparatorFrameSize.height() + alarmButtonHeight + limitButtonHeight + e + 2};
}

SizeLimits digitalMeterLimits(int screenWidth, int screenHeight, int stripHeight)
{
    return {{screenWidth, screenHeight - stripHeight},
            {0, stripHeight},
            {screenWidth / 4, (screenHeight - stripHeight) / 4}};
}

SizeLimits dataListLimits(int screenWidth, int screenHeight, int stripHeight, int taskbarReserve)
{
    return {{screenWidth / 4, screenHeight - stripHeight - taskbarReserve},
            {0, stripHeight},
            {screenWidth / 4, screenHeight / 4}};
}

SizeLimits recorderLimits(int screenWidth, int screenHeight, int stripHeight, int taskbarReserve)
{
    const int height = screenHeight - stripHeight - taskbarReserve;
    return {{screenWidth, height}, {0, stripHeight}, {screenWidth - screenWidth / 4, height}};
}

} // namespace orvel
