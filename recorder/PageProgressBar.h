#pragma once
// The recorder's progress bar: how far the page being recorded has filled.

#include <QProgressBar>

namespace orvel {

/// A QProgressBar that moves a reading at a time without repainting itself
/// whole: QProgressBar::setValue() repaints the whole bar at once whenever it
/// moves, which at up to 64 readings a second was a fifth of what storing one
/// cost. It shows its own value (value(), stepTo()); use it through this class.
class PageProgressBar : public QProgressBar
{
public:
    using QProgressBar::QProgressBar;

    int value() const { return shown_; }
    /// Shows `value` at once, the whole bar painted again.
    void setValue(int value);
    /// Shows `value` with the window's next paint, only the part of the bar
    /// that changed painted (all of it when it goes back).
    void stepTo(int value);

protected:
    void initStyleOption(QStyleOptionProgressBar *option) const override;

private:
    /// Where the bar of `value` ends, in this widget's coordinates.
    int barEnd(int value) const;

    int shown_ = 0;
};

} // namespace orvel
