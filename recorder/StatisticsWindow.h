#pragma once
// A small window with the statistics of what a chart shows: the readings in
// view (the zoomed range, or else the page) and the whole recording. It
// follows the chart it came from: the owner calls refresh() whenever the view,
// the page or the recording changes. Copy puts the text on the clipboard.

#include "recorder/Statistics.h"
#include "recorder/WindowContext.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace orvel {

class StatisticsWindow : public QDialog
{
    Q_OBJECT

public:
    /// Buffer indexes of the readings in view: first, count.
    using ViewRange = std::function<std::pair<qsizetype, qsizetype>()>;

    StatisticsWindow(const WindowContext &context, QWidget *parent, ViewRange viewRange);

    /// Shows the window (or brings it to the front) with fresh figures.
    void open();
    /// Recomputes the figures, when the window is shown (cheap: new readings
    /// are summarised once, a range costs its two ends and its block count).
    void refresh();
    /// The figures as text, as Copy puts them on the clipboard.
    QString text() const;

    QLabel *ViewPanel = nullptr;  ///< the readings in view
    QLabel *WholePanel = nullptr; ///< the whole recording
    QLabel *MarksPanel = nullptr; ///< the marks of the readings in view, with their times
    QPushButton *btnCopy = nullptr;

private:
    void copyToClipboard();

    const WindowContext Context;
    ViewRange viewRange_;
};

/// The summaries of the program's reading buffer, shared by every statistics window.
StatisticsIndex &statisticsIndex();

} // namespace orvel
