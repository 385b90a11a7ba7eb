#include "recorder/PageProgressBar.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace orvel {

namespace {
// The style draws a bar's end a little beyond its length (an edge, a shade).
constexpr int kEndMargin = 3;
// A bar of more steps than a page has (there are 200) is painted by the style.
constexpr int kMostKeptSteps = 1000;
} // namespace

PageProgressBar::PageProgressBar(QWidget *parent)
    : QProgressBar(parent)
{
    // Its own background, so that a kept strip holds every pixel it shows.
    setAutoFillBackground(true);
}

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
    update(stepArea(from, value));
}

QRect PageProgressBar::stepArea(int from, int to) const
{
    const int left = barEnd(from) - kEndMargin, right = barEnd(to) + kEndMargin;
    return {left, 0, right - left + 1, height()};
}

bool PageProgressBar::Look::operator==(const Look &other) const
{
    const QStyleOptionProgressBar &a = option, &b = other.option;
    return a.rect == b.rect && ratio == other.ratio && style == other.style && a.state == b.state &&
           a.direction == b.direction && a.palette.cacheKey() == b.palette.cacheKey() && a.minimum == b.minimum &&
           a.maximum == b.maximum && a.textVisible == b.textVisible && a.text == b.text &&
           a.invertedAppearance == b.invertedAppearance && a.bottomToTop == b.bottomToTop;
}

PageProgressBar::Look PageProgressBar::look() const
{
    Look look{devicePixelRatioF(), style(), {}};
    initStyleOption(&look.option);
    look.option.progress = look.option.minimum;
    return look;
}

void PageProgressBar::paintEvent(QPaintEvent *event)
{
    const int step = shown_ - minimum();
    const QRect area = step > 0 ? stepArea(shown_ - 1, shown_) : QRect();
    if (!area.contains(event->rect()) || step > kMostKeptSteps || isTextVisible() || orientation() != Qt::Horizontal ||
        invertedAppearance()) {
        QProgressBar::paintEvent(event);
        return;
    }
    if (const Look now = look(); !(now == stripsLook_)) {
        strips_.clear();
        stripsLook_ = now;
    }
    if (strips_.size() <= std::size_t(step))
        strips_.resize(std::size_t(step) + 1);
    QImage &strip = strips_[std::size_t(step)];
    if (strip.isNull()) {
        const qreal ratio = devicePixelRatioF();
        strip = QImage((QSizeF(area.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        strip.setDevicePixelRatio(ratio);
        // As the widget paints itself: its background, then the style's bar.
        QPainter painter(&strip);
        painter.translate(-area.topLeft());
        painter.fillRect(area, palette().brush(backgroundRole()));
        QStyleOptionProgressBar option;
        initStyleOption(&option);
        style()->drawControl(QStyle::CE_ProgressBar, &option, &painter, this);
    }
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(area.topLeft(), strip);
}

void PageProgressBar::initStyleOption(QStyleOptionProgressBar *option) const
{
    QProgressBar::initStyleOption(option);
    option->progress = shown_;
}

int PageProgressBar::barEnd(int value) const
{
    // Where the bar's contents lie depends on its size, style, text and orientation.
    if (const ContentsKey now{size(), style(), isTextVisible(), orientation()}; contentsFor_ != now) {
        QStyleOptionProgressBar option;
        initStyleOption(&option);
        contents_ = style()->subElementRect(QStyle::SE_ProgressBarContents, &option, this);
        contentsFor_ = now;
    }
    const qint64 steps = qint64(maximum()) - minimum();
    if (steps <= 0)
        return contents_.left();
    return contents_.left() + int(qint64(contents_.width()) * (qint64(value) - minimum()) / steps);
}

} // namespace orvel
