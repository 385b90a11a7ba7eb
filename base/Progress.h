#pragma once
// A window that shows how far a long job (a file load) has come and lets the
// user abort it. The job's caller drives it; the program's progress window is
// one, a test may put in its own.

#include <QColor>
#include <QString>

#include <functional>

namespace orvel {

class ProgressWindow
{
public:
    virtual ~ProgressWindow() = default;

    /// Shows the window with `message` in `colour`, an empty bar of `steps`
    /// steps and the abort button enabled; a confirmed abort calls `onAbort`
    /// until end().
    virtual void begin(const QString &message, const QColor &colour, int steps, std::function<void()> onAbort) = 0;
    /// The bar at `step` (0..steps) and `line` below the message.
    virtual void advance(int step, const QString &line) = 0;
    /// The message line anew, in `colour`.
    virtual void setMessage(const QString &message, const QColor &colour) = 0;
    /// Whether the abort button can be pressed (a job past its point of no return cannot).
    virtual void setAbortEnabled(bool enabled) = 0;
    /// Hides the window; an abort confirmed afterwards goes nowhere.
    virtual void end() = 0;
};

} // namespace orvel
