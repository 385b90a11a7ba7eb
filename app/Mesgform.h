#pragma once
// The progress window of a file load: a message line, a progress line and bar,
// and an abort button that asks first. It has no title bar. It tells the
// loader of a confirmed abort through abortConfirmed.

#include <QColor>
#include <QDialog>

class QCloseEvent;
class QKeyEvent;
class QLabel;
class QProgressBar;
class QPushButton;

namespace orvel {

class TMsgForm : public QDialog
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
    void setMessage(const QString &text, const QColor &colour);

signals:
    /// The user confirmed the abort: the load stops before its next block.
    void abortConfirmed();

protected:
    /// Escape, and a close asked for by the user, act like the abort button
    /// (they ask first) instead of hiding the window while the load runs on.
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
};

extern TMsgForm *MsgForm;

} // namespace orvel
