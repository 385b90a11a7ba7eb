#pragma once
// Print-outs of the chart: one page, or the pages of one job, on the program's
// printer or into the file it writes. Painted with paintChart like every other
// output.

#include "chart/ChartModel.h"
#include "chart/ChartPainter.h"

#include <QRectF>
#include <QString>

#include <memory>

class QPainter;
class QPrinter;

namespace orvel {

/// Where the chart goes on a printed page: the page's width, and its height up to three
/// quarters of the width, so that a portrait page gets a chart of the usual shape.
QRectF printTarget(const QRectF &page);

/// Print-outs of one chart or several. To a printer, every page is a print-out of its own.
/// When the printer writes a file (its output file name is set), all pages go into that one
/// file: it is written beside the target and takes its place when the job finishes, so a
/// failed job leaves any earlier file as it was.
class ChartPrintJob
{
public:
    explicit ChartPrintJob(QPrinter &printer);
    ~ChartPrintJob();
    ChartPrintJob(const ChartPrintJob &) = delete;
    ChartPrintJob &operator=(const ChartPrintJob &) = delete;

    /// Prints the chart on the next page. False when the printer could not be started.
    bool addPage(const ChartModel &model, const ChartStyle &style);
    /// Ends the job (also done when it is destroyed); false when the file could not be completed.
    bool finish();
    bool toFile() const { return !target_.isEmpty(); }

private:
    QPrinter &printer_;
    QString target_; ///< the file the printer writes; empty for a printer
    QString part_;   ///< the file being written beside it
    std::unique_ptr<QPainter> painter_;
    bool failed_ = false;
    bool finished_ = false;
};

/// Prints the chart on one page of `printer`. False when the printer could not be started.
bool printChart(QPrinter &printer, const ChartModel &model, const ChartStyle &style);

} // namespace orvel
