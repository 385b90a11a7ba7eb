#include "recorder/StatisticsWindow.h"

#include "meter/ProgramState.h"
#include "recorder/Recording.h"
#include "resources/Strings.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvel {

namespace {
constexpr int kCaption = 2090, kInView = 2091, kWhole = 2092, kCopy = 2093, kMarks = 2360;

QLabel *figures(QWidget *parent, QVBoxLayout *column, int caption)
{
    auto *group = new QGroupBox(LoadStr(caption), parent);
    auto *inside = new QVBoxLayout(group);
    auto *label = new QLabel(group);
    label->setTextFormat(Qt::PlainText); // texts from the readings, never markup
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(320);
    inside->addWidget(label);
    column->addWidget(group);
    return label;
}
} // namespace

StatisticsIndex &statisticsIndex()
{
    static StatisticsIndex index;
    return index;
}

StatisticsWindow::StatisticsWindow(const WindowContext &context, QWidget *parent, ViewRange viewRange)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , Context(context)
    , viewRange_(std::move(viewRange))
{
    setWindowTitle(LoadStr(kCaption));
    setModal(false);
    auto *column = new QVBoxLayout(this);
    ViewPanel = figures(this, column, kInView);
    WholePanel = figures(this, column, kWhole);
    MarksPanel = figures(this, column, kMarks);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    btnCopy = buttons->addButton(LoadStr(kCopy), QDialogButtonBox::ActionRole);
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    connect(btnCopy, &QPushButton::clicked, this, &StatisticsWindow::copyToClipboard);
}

void StatisticsWindow::open()
{
    show();
    raise();
    activateWindow();
    refresh();
}

void StatisticsWindow::refresh()
{
    if (!isVisible())
        return;
    const ReadingBuffer &buffer = Context.recording.buffer();
    const ExpectedInterval expected = Context.recording.expectedInterval();
    // The comparator's limits in force (it keeps the shared ones up to date).
    const StatsLimits limits{Context.state.HiLimit, Context.state.LowLimit};
    StatisticsIndex &index = statisticsIndex();
    index.update(buffer, limits);
    const auto [first, count] = viewRange_ ? viewRange_() : std::pair<qsizetype, qsizetype>{0, buffer.count()};
    ViewPanel->setText(statsLines(buffer, index.range(buffer, first, count), limits, expected).join(QLatin1Char('\n')));
    WholePanel->setText(statsLines(buffer, index.whole(), limits, expected).join(QLatin1Char('\n')));
    // The marks in view: time, the kind when a rule placed it, the text.
    QStringList marked;
    const MarkList &marks = Context.recording.marks();
    const auto [from, to] = marks.within(first, count);
    for (qsizetype p = from; p < to; ++p) {
        const Mark &m = marks.at(p);
        marked << m.time + QStringLiteral("  ") +
                      (m.kind == MarkKind::User ? QString()
                                                : QLatin1Char('[') + markKindName(m.kind) + QStringLiteral("] ")) +
                      m.text.simplified();
    }
    MarksPanel->setText(marked.join(QLatin1Char('\n')));
    MarksPanel->parentWidget()->setVisible(!marked.isEmpty());
    // Longer lines widen the window: a figure is never cut off (a larger window stays as it is).
    if (const QSize wanted = size().expandedTo(sizeHint()); wanted != size())
        resize(wanted);
}

QString StatisticsWindow::text() const
{
    QString text = LoadStr(kInView) + QLatin1Char('\n') + ViewPanel->text() + QStringLiteral("\n\n") + LoadStr(kWhole) +
                   QLatin1Char('\n') + WholePanel->text() + QLatin1Char('\n');
    if (!MarksPanel->text().isEmpty())
        text += QLatin1Char('\n') + LoadStr(kMarks) + QLatin1Char('\n') + MarksPanel->text() + QLatin1Char('\n');
    return text;
}

void StatisticsWindow::copyToClipboard()
{
    QApplication::clipboard()->setText(text());
}

} // namespace orvel
