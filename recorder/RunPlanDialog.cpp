#include "recorder/RunPlanDialog.h"

#include "resources/Strings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextDocument>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <limits>

namespace orvel {

namespace {
namespace id {
constexpr int Caption = 2451, Start = 2452, AtOnce = 2453, When = 2454, AtTime = 2455, Pre = 2456, Stop = 2457,
              Count = 2458, After = 2459, StopWhen = 2460, Alarms = 2461, Tone = 2462, Command = 2463, AlarmName = 2466,
              Line = 2429;
} // namespace id

const QString kTimeFormat = QStringLiteral("HH:mm:ss");

QStringList linesOf(const QPlainTextEdit *edit)
{
    QStringList lines;
    for (const QString &line : edit->toPlainText().split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return lines;
}

QString clockCondition(const QTimeEdit *edit)
{
    return QStringLiteral("at ") + edit->time().toString(kTimeFormat);
}
} // namespace

RunPlanDialog::RunPlanDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(LoadStr(id::Caption));
    auto *column = new QVBoxLayout(this);

    auto *start = new QGroupBox(LoadStr(id::Start), this);
    auto *startGrid = new QGridLayout(start);
    rbtnStartAtOnce = new QRadioButton(LoadStr(id::AtOnce), start);
    rbtnStartWhen = new QRadioButton(LoadStr(id::When), start);
    rbtnStartAt = new QRadioButton(LoadStr(id::AtTime), start);
    editStartWhen = new QLineEdit(start);
    editStartAt = new QTimeEdit(start);
    editStartAt->setDisplayFormat(kTimeFormat);
    spnPreTrigger = new QSpinBox(start);
    spnPreTrigger->setRange(0, kMaxPreTrigger);
    startGrid->addWidget(rbtnStartAtOnce, 0, 0);
    startGrid->addWidget(rbtnStartWhen, 1, 0);
    startGrid->addWidget(editStartWhen, 1, 1);
    startGrid->addWidget(rbtnStartAt, 2, 0);
    startGrid->addWidget(editStartAt, 2, 1);
    startGrid->addWidget(new QLabel(LoadStr(id::Pre), start), 3, 0);
    startGrid->addWidget(spnPreTrigger, 3, 1);
    column->addWidget(start);

    auto *stop = new QGroupBox(LoadStr(id::Stop), this);
    auto *stopGrid = new QGridLayout(stop);
    chkStopCount = new QCheckBox(LoadStr(id::Count), stop);
    spnStopCount = new QSpinBox(stop);
    spnStopCount->setRange(1, std::numeric_limits<int>::max());
    chkStopAfter = new QCheckBox(LoadStr(id::After), stop);
    editStopAfter = new QLineEdit(stop);
    chkStopAt = new QCheckBox(LoadStr(id::AtTime), stop);
    editStopAt = new QTimeEdit(stop);
    editStopAt->setDisplayFormat(kTimeFormat);
    editStopWhen = new QPlainTextEdit(stop);
    stopGrid->addWidget(chkStopCount, 0, 0);
    stopGrid->addWidget(spnStopCount, 0, 1);
    stopGrid->addWidget(chkStopAfter, 1, 0);
    stopGrid->addWidget(editStopAfter, 1, 1);
    stopGrid->addWidget(chkStopAt, 2, 0);
    stopGrid->addWidget(editStopAt, 2, 1);
    stopGrid->addWidget(new QLabel(LoadStr(id::StopWhen), stop), 3, 0, 1, 2);
    stopGrid->addWidget(editStopWhen, 4, 0, 1, 2);
    column->addWidget(stop);

    column->addWidget(new QLabel(LoadStr(id::Alarms), this));
    editAlarms = new QPlainTextEdit(this);
    column->addWidget(editAlarms);
    chkTone = new QCheckBox(LoadStr(id::Tone), this);
    column->addWidget(chkTone);
    column->addWidget(new QLabel(LoadStr(id::Command), this));
    editCommand = new QLineEdit(this);
    column->addWidget(editCommand);
    lblCheck = new QLabel(this);
    lblCheck->setWordWrap(true);
    lblCheck->setTextFormat(Qt::PlainText);
    QPalette warn = lblCheck->palette();
    warn.setColor(QPalette::WindowText, Qt::red);
    lblCheck->setPalette(warn);
    column->addWidget(lblCheck);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    column->addWidget(buttons);
    for (QPlainTextEdit *edit : {editStopWhen, editAlarms}) { // four lines in view, long ones wrapped
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setFixedHeight(edit->fontMetrics().lineSpacing() * 4 + 2 * edit->frameWidth() +
                             int(2 * edit->document()->documentMargin()));
    }

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QLineEdit *edit : {editStartWhen, editStopAfter, editCommand})
        connect(edit, &QLineEdit::textChanged, this, &RunPlanDialog::check);
    for (QPlainTextEdit *edit : {editStopWhen, editAlarms})
        connect(edit, &QPlainTextEdit::textChanged, this, &RunPlanDialog::check);
    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{rbtnStartAtOnce, rbtnStartWhen, rbtnStartAt,
                                                                       chkStopCount, chkStopAfter, chkStopAt})
        connect(b, &QAbstractButton::toggled, this, &RunPlanDialog::check);
    setPlan({});
}

void RunPlanDialog::setPlan(const RunPlan &p)
{
    // The start: a time of day has its own field, any other condition is text.
    const auto start = parseCondition(p.start, ConditionUse::Start).condition;
    const bool startAt = start && start->test == ConditionTest::At;
    (p.start.trimmed().isEmpty() ? rbtnStartAtOnce : startAt ? rbtnStartAt : rbtnStartWhen)->setChecked(true);
    editStartWhen->setText(startAt ? QString() : p.start);
    editStartAt->setTime(startAt ? QTime(0, 0).addSecs(start->clockSeconds) : QTime(0, 0));
    spnPreTrigger->setValue(p.preTrigger);
    // The first count, duration and time of day among the stops have their fields; the rest are text.
    chkStopCount->setChecked(false);
    chkStopAfter->setChecked(false);
    chkStopAt->setChecked(false);
    editStopAfter->clear();
    QStringList others;
    for (const QString &text : p.stops) {
        const auto c = parseCondition(text, ConditionUse::Stop).condition;
        if (c && c->forMs == 0 && c->test == ConditionTest::Readings && !chkStopCount->isChecked() &&
            c->count <= spnStopCount->maximum()) {
            chkStopCount->setChecked(true);
            spnStopCount->setValue(int(c->count));
        } else if (c && c->forMs == 0 && c->test == ConditionTest::After && !chkStopAfter->isChecked()) {
            chkStopAfter->setChecked(true);
            editStopAfter->setText(durationText(c->durationMs));
        } else if (c && c->forMs == 0 && c->test == ConditionTest::At && !chkStopAt->isChecked()) {
            chkStopAt->setChecked(true);
            editStopAt->setTime(QTime(0, 0).addSecs(c->clockSeconds));
        } else {
            others << text;
        }
    }
    editStopWhen->setPlainText(others.join(QLatin1Char('\n')));
    editAlarms->setPlainText(p.alarms.join(QLatin1Char('\n')));
    chkTone->setChecked(p.alarmTone);
    editCommand->setText(p.command);
    check();
}

RunPlan RunPlanDialog::plan() const
{
    RunPlan p;
    if (rbtnStartWhen->isChecked())
        p.start = editStartWhen->text().trimmed();
    else if (rbtnStartAt->isChecked())
        p.start = clockCondition(editStartAt);
    p.preTrigger = rbtnStartAtOnce->isChecked() ? 0 : spnPreTrigger->value();
    if (chkStopCount->isChecked())
        p.stops << QStringLiteral("readings ") + QString::number(spnStopCount->value());
    if (chkStopAfter->isChecked())
        p.stops << QStringLiteral("after ") + editStopAfter->text().trimmed();
    if (chkStopAt->isChecked())
        p.stops << clockCondition(editStopAt);
    p.stops << linesOf(editStopWhen);
    p.alarms = linesOf(editAlarms);
    p.alarmTone = chkTone->isChecked();
    p.command = editCommand->text().trimmed();
    return p;
}

QString RunPlanDialog::problem() const
{
    // Each field named as the dialog names it, each line of a list by its number there.
    const RunPlan p = plan();
    if (rbtnStartWhen->isChecked())
        if (const ParsedCondition c = parseCondition(p.start, ConditionUse::Start); !c.condition)
            return LoadStr(id::Start) + QStringLiteral(": ") + c.error;
    if (chkStopAfter->isChecked())
        if (const ParsedCondition c =
                parseCondition(QStringLiteral("after ") + editStopAfter->text(), ConditionUse::Stop);
            !c.condition)
            return LoadStr(id::After) + QStringLiteral(": ") + c.error;
    const struct
    {
        QStringList lines;
        ConditionUse use;
        int name;
    } lists[] = {{linesOf(editStopWhen), ConditionUse::Stop, id::Stop}, {p.alarms, ConditionUse::Alarm, id::AlarmName}};
    for (const auto &list : lists)
        for (qsizetype i = 0; i < list.lines.size(); ++i)
            if (const ParsedCondition c = parseCondition(list.lines[i], list.use); !c.condition)
                return LoadStr(list.name) + QStringLiteral(", ") + LoadStr(id::Line).arg(i + 1).arg(c.error);
    return {};
}

void RunPlanDialog::check()
{
    editStartWhen->setEnabled(rbtnStartWhen->isChecked());
    editStartAt->setEnabled(rbtnStartAt->isChecked());
    spnPreTrigger->setEnabled(!rbtnStartAtOnce->isChecked());
    spnStopCount->setEnabled(chkStopCount->isChecked());
    editStopAfter->setEnabled(chkStopAfter->isChecked());
    editStopAt->setEnabled(chkStopAt->isChecked());
    const QString wrong = problem();
    lblCheck->setText(wrong);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(wrong.isEmpty());
}

} // namespace orvel
