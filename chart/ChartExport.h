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

class QMimeData;
class QPrinter;

namespace orvel {

/// Largest bitmap side and area the chart renders (larger requests are refused, not attempted).
inline constexpr int kMaxBitmapSide = 16384;
inline constexpr qint64 kMaxBitmapPixels = 64LL * 1024 * 1024;
/// Largest metafile side, in hundredths of a millimetre (ten metres).
inline constexpr int kMaxMetafileSide = 1'000'000;

enum class MetafileFormat { Emf, Svg, Pdf };

/// The vector format for a file name: ".svg" and ".pdf" (any letter case) choose those, any
/// other name an enhanced metafile.
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
QByteArray chartMetafile(MetafileFormat format, QSize hundredthsMm, const ChartModel &model, const ChartStyle &style);

/// Pixels at 96 dots per inch for a size in hundredths of a millimetre.
QSize pixelsForHundredthsMm(QSize hundredthsMm);

/// Clipboard contents for a metafile: the SVG picture and a bitmap of the same size.
/// Null for an invalid size.
QMimeData *chartMetafileMimeData(QSize hundredthsMm, const ChartModel &model, const ChartStyle &style);

/// Where the chart goes on a printed page: the page's width, and its height up to three
/// quarters of the width, so that a portrait page gets a chart of the usual shape.
QRectF printTarget(const QRectF &page);

/// Prints the chart on one page of `printer`. False when the printer could not be started.
bool printChart(QPrinter &printer, const ChartModel &model, const ChartStyle &style);

/// Writes `bytes` to `path` through a temporary file in the same folder that replaces the
/// target only when it is complete, so a failed write leaves any earlier file untouched.
bool writeFileWhole(const QString &path, const QByteArray &bytes);

} // namespace orvel
