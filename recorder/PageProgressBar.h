#pragma once
// The recorder's progress bar: how far the page being recorded has filled.

#include <QImage>
#include <QProgressBar>
#include <QStyleOptionProgressBar>

#include <tuple>
#include <vector>

namespace orvel {

/// A QProgressBar that moves a reading at a time without repainting itself
/// whole: QProgressBar::setValue() repaints the whole bar at once whenever it
/// moves, which at up to 64 readings a second was a fifth of what storing one
/// cost. It shows its own value (value(), stepTo()); use it through this class.
///
/// A page fills with the same steps again and again, and the style paints the
/// whole bar even for the strip a step changes: the strip each step shows is
/// kept (while the bar looks the same) and put back as it is the next time.
class PageProgressBar : public QProgressBar
{
public:
    explicit PageProgressBar(QWidget *parent = nullptr);

    int value() const { return shown_; }
    /// Shows `value` at once, the whole bar painted again.
    void setValue(int value);
    /// Shows `value` with the window's next paint, only the part of the bar
    /// that changed painted (all of it when it goes back).
    void stepTo(int value);

protected:
    void initStyleOption(QStyleOptionProgressBar *option) const override;
    void paintEvent(QPaintEvent *event) override;

private:
    /// Where the bar of `value` ends, in this widget's coordinates.
    int barEnd(int value) const;
    /// The pixels a step from `from` to `to` changes.
    QRect stepArea(int from, int to) const;

    /// What the bar's looks depend on besides its value.
    struct Look
    {
        qreal ratio = 0;
        const QStyle *style = nullptr;
        QStyleOptionProgressBar option; ///< its rectangle, state, palette, range; progress left at the minimum

        bool operator==(const Look &other) const;
    };
    Look look() const;

    int shown_ = 0;
    using ContentsKey = std::tuple<QSize, const QStyle *, bool, Qt::Orientation>;
    mutable QRect contents_;          ///< the style's contents rectangle …
    mutable ContentsKey contentsFor_; ///< … for this size, style, text and orientation
    Look stripsLook_;
    std::vector<QImage> strips_; ///< by value − minimum: the strip the step up to it showed
};

} // namespace orvel
