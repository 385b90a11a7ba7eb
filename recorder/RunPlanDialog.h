#pragma once
// The dialog of an unattended recording (the recorder's Acquisition menu):
// how it starts (at once, when a condition holds, at a time of day; the
// readings kept before the start), how it stops (by hand, after a count of
// readings, after a duration, when one of several conditions holds, at a time
// of day), the alarms, the tone and the command run on each mark. Every
// condition is text, checked as it is typed: the line under the fields says
// what is wrong, and OK waits until nothing is.

#include "recorder/RunPlan.h"

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
class QTimeEdit;

namespace orvel {

class RunPlanDialog : public QDialog
{
    Q_OBJECT

public:
    explicit RunPlanDialog(QWidget *parent = nullptr);

    /// Puts `plan` into the fields.
    void setPlan(const RunPlan &plan);
    /// The plan the fields make.
    RunPlan plan() const;
    /// What is wrong with it (empty when nothing).
    QString problem() const;

    QRadioButton *rbtnStartAtOnce = nullptr;
    QRadioButton *rbtnStartWhen = nullptr;
    QRadioButton *rbtnStartAt = nullptr;
    QLineEdit *editStartWhen = nullptr;
    QTimeEdit *editStartAt = nullptr;
    QSpinBox *spnPreTrigger = nullptr;
    QCheckBox *chkStopCount = nullptr;
    QSpinBox *spnStopCount = nullptr;
    QCheckBox *chkStopAfter = nullptr;
    QLineEdit *editStopAfter = nullptr; ///< a duration: "10m"
    QCheckBox *chkStopAt = nullptr;
    QTimeEdit *editStopAt = nullptr;
    QPlainTextEdit *editStopWhen = nullptr; ///< one condition a line
    QPlainTextEdit *editAlarms = nullptr;   ///< one condition a line
    QCheckBox *chkTone = nullptr;
    QLineEdit *editCommand = nullptr;
    QLabel *lblCheck = nullptr; ///< what is wrong, as it is typed
    QDialogButtonBox *buttons = nullptr;

private:
    /// Checks the plan the fields make and says what is wrong.
    void check();
};

} // namespace orvel
