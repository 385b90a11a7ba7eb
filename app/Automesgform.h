#pragma once
// The self-closing warning window: a warning that goes on by itself after
// 3 seconds unless the user answers it first. The caller sets its caption and
// three lines and shows it modally.

#include "platform/UserPrompt.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace orvel {

inline constexpr int kAutoCloseSteps = 30; ///< bar maximum: 30 steps of 100 ms
inline constexpr int kAutoCloseTickMs = 100;

class TAutoMsgForm : public QDialog
{
    Q_OBJECT

public:
    explicit TAutoMsgForm(QWidget *parent = nullptr);

    QLabel *Image1 = nullptr; ///< the exclamation icon
    QLabel *lbMsg1 = nullptr;
    QLabel *lbMsg2 = nullptr;
    QLabel *lbMsg3 = nullptr;
    QProgressBar *ProgressBar = nullptr; ///< 0..30, one step per tick of Timer1
    QPushButton *bbtnAbort = nullptr;    ///< ends with Abort
    QPushButton *bbtnYes = nullptr;      ///< "&Continue": ends with Retry
    QTimer *Timer1 = nullptr;            ///< 100 ms, runs while shown

    /// Sets the caption and lines, shows the window modally and returns how it
    /// ended: Abort, Retry ("&Continue") or Yes (the time ran out).
    PromptButton ShowWarning(const QString &caption, const QString &line1, const QString &line2, const QString &line3);

    /// Every showing starts the bar from empty and the timer.
    void FormShow();
    /// One step of the bar; at the end, closes with Yes.
    void Timer1Timer();

    /// Escape and the window manager's close end the warning like "&Continue"
    /// (Retry): only the Abort button may end the link.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
};

extern TAutoMsgForm *AutoMsgForm;

} // namespace orvel
