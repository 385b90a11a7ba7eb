#pragma once
// The progress window of a file load: a message line, a progress line and bar,
// and an abort button that asks first. It has no title bar. It tells the
// loader of a confirmed abort through abortConfirmed (and the callback the
// load began with).

#include "base/Progress.h"

#include <QColor>
#include <QDialog>

class QCloseEvent;
class QKeyEvent;
class QLabel;
class QProgressBar;
class QPushButton;

namespace orvel {

class TMsgForm : public QDialog, public ProgressWindow
{
    Q_OBJECT

public:
    explicit TMsgForm(QWidget *parent = nullptr);

    QLabel *MsgPanel = nullptr;          ///< one line of message text, large serif; caller sets text and colour
    QLabel *Label1 = nullptr;            ///< centred progress line
    QProgressBar *ProgressBar = nullptr; ///< 0..100 at creation; the caller may set other bounds
    QPushButton *bbtnAbort = nullptr;

    /// Asks W8014; on Yes says abortConfirmed.
    void bbtnAbortClick();
    /// Sets the message line in `colour` (red while reading, blue while adding).
    void setMessage(const QString &text, const QColor &colour) override;

    // ---- ProgressWindow
    void begin(const QString &message, const QColor &colour, int steps, std::function<void()> onAbort) override;
    void advance(int step, const QString &line) override;
    void setAbortEnabled(bool enabled) override;
    void end() override;

signals:
    /// The user confirmed the abort: the load stops before its next block.
    void abortConfirmed();

protected:
    /// Escape, and a close asked for by the user, act like the abort button
    /// (they ask first) instead of hiding the window while the load runs on.
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    std::function<void()> onAbort_; ///< the running job's abort, between begin() and end()
};

extern TMsgForm *MsgForm;

} // namespace orvel
