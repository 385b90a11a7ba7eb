#pragma once
// The numbered messages by which the windows tell each other about events.
// PostMessage queues a message for the receiver's next turn of the event loop;
// SendMessage delivers it at once and returns after the receiver's handler.
// No message carries a pointer: data goes through shared state and the
// receivers' own fields.

#include <QEvent>

class QObject;

namespace orvel {

inline constexpr int WM_USER = 1024;
inline constexpr QEvent::Type UM_READING = QEvent::Type(WM_USER + 2);        ///< 1026: a reading is ready
inline constexpr QEvent::Type UM_LINK_ENDED = QEvent::Type(WM_USER + 5);     ///< 1029: the link was released
inline constexpr QEvent::Type UM_UNLINK = QEvent::Type(WM_USER + 6);         ///< 1030: release the link
inline constexpr QEvent::Type UM_LINK = QEvent::Type(WM_USER + 7);           ///< 1031: make the link
inline constexpr QEvent::Type UM_LIST_RESET = QEvent::Type(WM_USER + 8);     ///< 1032: start the data list again
inline constexpr QEvent::Type UM_LIST_ADD = QEvent::Type(WM_USER + 10);      ///< 1034: wParam = buffer index to list
inline constexpr QEvent::Type UM_STATE_CHANGED = QEvent::Type(WM_USER + 12); ///< 1036: states changed

/// One window message: its number and one integer.
class WindowMessage : public QEvent
{
public:
    WindowMessage(QEvent::Type number, int value)
        : QEvent(number)
        , wParam(value)
    {}
    const int wParam; ///< 0 or one integer; never a pointer
};

/// Queues message `number` for `window`.
void PostMessage(QObject *window, QEvent::Type number, int wParam = 0);

/// Delivers message `number` to `window` now.
void SendMessage(QObject *window, QEvent::Type number, int wParam = 0);

} // namespace orvel
