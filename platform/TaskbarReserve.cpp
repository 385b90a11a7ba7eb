#include "platform/TaskbarReserve.h"

#include <algorithm>

namespace orvel {

int taskbarReserveFor(const QRect &screen, const QRect &available)
{
    if (!screen.isValid() || !available.isValid())
        return 0;
    const int screenBottom = screen.y() + screen.height();
    const int availableBottom = available.y() + available.height();
    return std::clamp(screenBottom - availableBottom, 0, screen.height());
}

} // namespace orvel
