#pragma once
// The chart's outputs besides the screen and the printer (chart/ChartPrint.h):
// bitmaps, metafiles (EMF, or SVG and PDF by the file name) and the
// clipboard's data. Each renders with paintChart onto its own device, so all
// of them show the same picture. None needs widgets: orvel-cli plot draws
// through them.

#include "chart/ChartModel.h"
#include "chart/ChartPainter.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <span>

class QMimeData;

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
/// Several charts one under another, each `pixels` in size; a null image when the whole is too large.
QImage chartImage(QSize pixels, std::span<const ChartModel> charts, const ChartStyle &style);

/// The chart as a Windows bitmap file.
QByteArray chartBmp(QSize pixels, const ChartModel &model, const ChartStyle &style);

/// The chart as a vector picture `hundredthsMm` in size; empty for an invalid size.
QByteArray chartEmf(QSize hundredthsMm, const ChartModel &model, const ChartStyle &style);
QByteArray chartSvg(QSize hundredthsMm, const ChartModel &model, const ChartStyle &style);
QByteArray chartPdf(QSize hundredthsMm, const ChartModel &model, const ChartStyle &style);
/// Several charts each `hundredthsMm` in size: in an SVG picture one under another, in a PDF a page each.
QByteArray chartSvg(QSize hundredthsMm, std::span<const ChartModel> charts, const ChartStyle &style);
QByteArray chartPdf(QSize hundredthsMm, std::span<const ChartModel> charts, const ChartStyle &style);
/// Empty for MetafileFormat::Wmf.
QByteArray chartMetafile(MetafileFormat format, QSize hundredthsMm, const ChartModel &model, const ChartStyle &style);

/// Pixels at 96 dots per inch for a size in hundredths of a millimetre.
QSize pixelsForHundredthsMm(QSize hundredthsMm);

/// Clipboard contents for a metafile: the SVG picture and a bitmap of the same size.
/// Null for an invalid size.
QMimeData *chartMetafileMimeData(QSize hundredthsMm, const ChartModel &model, const ChartStyle &style);

/// Writes `bytes` to `path` through a temporary file in the same folder that replaces the
/// target only when it is complete, so a failed write leaves any earlier file untouched.
bool writeFileWhole(const QString &path, const QByteArray &bytes);

} // namespace orvel
