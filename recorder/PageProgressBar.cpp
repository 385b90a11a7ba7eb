#include "recorder/PageProgressBar.h"

#include <QStyle>
#include <QStyleOptionProgressBar>

#include <algorithm>

namespace orvel {

namespace {
// The style draws a bar's end a little beyond its length (an edge, a shade).
constexpr int kEndMargin = 3;
} // namespace

void PageProgressBar::setValue(int value)
{
    shown_ = std::clamp(value, minimum(), std::max(minimum(), maximum()));
    QProgressBar::setValue(shown_);
    update();
}

void PageProgressBar::stepTo(int value)
{
    value = std::clamp(value, minimum(), std::max(minimum(), maximum()));
    const int from = shown_;
    if (value == from)
        return;
    shown_ = value;
    if (value < from || orientation() != Qt::Horizontal || invertedAppearance() || isTextVisible()) {
        update(); // back to the start, or a look that changes as a whole
        return;
    }
    const int left = barEnd(from) - kEndMargin, right = barEnd(value) + kEndMargin;
    update(QRect(left, 0, right - left + 1, height()));
}

void PageProgressBar::initStyleOption(QStyleOptionProgressBar *option) const
{
    QProgressBar::initStyleOption(option);
    option->progress = shown_;
}

int PageProgressBar::barEnd(int value) const
{
    QStyleOptionProgressBar option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_ProgressBarContents, &option, this);
    const qint64 steps = qint64(maximum()) - minimum();
    if (steps <= 0)
        return contents.left();
    return contents.left() + int(qint64(contents.width()) * (qint64(value) - minimum()) / steps);
}

} // namespace orvel
