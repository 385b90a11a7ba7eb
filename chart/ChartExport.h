#pragma once
// The chart's outputs besides the screen: bitmaps, metafiles (EMF, or SVG and
// PDF by the file name), the clipboard and the printer. Each renders with
// paintChart onto its own device, so all of them show the same picture.

#include "chart/ChartModel.h"
#include "chart/ChartPainter.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <memory>

class QMimeData;
class QPainter;
class QPrinter;

namespace orvel {

/// Largest bitmap side and area the chart renders (larger requests are refused, not attempted).
inline constexpr int kMaxBitmapSide = 16384;
inline constexpr qint64 kMaxBitmapPixels = 64LL * 1024 * 1024;
/// Largest metafile side, in hundredths of a millimetre (ten metres).
inline constexpr int kMaxMetafileSide = 1'000'000;

/// Wmf: a name that asks for a Windows Metafile, which the chart does not write (it never puts
/// enhanced-metafile bytes under such a name).
enum class MetafileFormat { Emf, Svg, Pdf, Wmf };

/// The vector format for a file name: ".svg", ".pdf" and ".wmf" (any letter case) choose
/// those, any other name an enhanced metafile.
MetafileFormat metafileFormatFor(const QString &fileName);

bool isValidBitmapSize(QSize pixels);
bool isValidMetafileSize(QSize hundredthsMm);

/// The chart as a bitmap of `pixels` (96 dots per inch); a null image for an invalid size.
QImage chartImage(QSize pixels, const ChartModel &model, const ChartStyle &style);

/// The chart as a Windows bitmap file.
QByteArray chartBmp(QSize pixels, const ChartModel &model, const ChartStyle &style);

/// The chart as a vector picture `hundredthsMm` in size; empty for an invalid size.
QByteArray chartEmf(QSize hundredthsMm, const ChartModel &model, const ChartStyle &style);
QByteArray chartSvg(QSize hundredthsMm, const ChartModel &model, const ChartStyle &style);
QByteArray chartPdf(QSize hundredthsMm, const ChartModel &model, const ChartStyle &style);
/// Empty for MetafileFormat::Wmf.
QByteArray chartMetafile(MetafileFormat format, QSize hundredthsMm, const ChartModel &model, const ChartStyle &style);

/// Pixels at 96 dots per inch for a size in hundredths of a millimetre.
QSize pixelsForHundredthsMm(QSize hundredthsMm);

/// Clipboard contents for a metafile: the SVG picture and a bitmap of the same size.
/// Null for an invalid size.
QMimeData *chartMetafileMimeData(QSize hundredthsMm, const ChartModel &model, const ChartStyle &style);

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

/// Writes `bytes` to `path` through a temporary file in the same folder that replaces the
/// target only when it is complete, so a failed write leaves any earlier file untouched.
bool writeFileWhole(const QString &path, const QByteArray &bytes);

} // namespace orvel
