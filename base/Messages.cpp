#include "base/Messages.h"

#include <QCoreApplication>

namespace orvel {

void PostMessage(QObject *window, QEvent::Type number, int wParam)
{
    if (window)
        QCoreApplication::postEvent(window, new WindowMessage(number, wParam));
}

void SendMessage(QObject *window, QEvent::Type number, int wParam)
{
    if (!window)
        return;
    WindowMessage message(number, wParam);
    QCoreApplication::sendEvent(window, &message);
}

} // namespace orvel
