#include "chart/ChartExport.h"

#include "base/WholeFile.h"
#include "chart/EmfWriter.h"

#include <QBuffer>
#include <QMimeData>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>
#include <limits>

namespace orvel {

namespace {

constexpr int kSvgDpi = 2540;
constexpr int kScreenDpi = 96;
constexpr int kPdfDpi = 600;

// Charts of `each` one under another; an empty size when they would not fit an int.
QSize stacked(QSize each, std::size_t count)
{
    const qint64 height = qint64(each.height()) * qint64(count);
    return height > std::numeric_limits<int>::max() ? QSize() : QSize(each.width(), int(height));
}

void paintStacked(QPainter &painter, QSize each, std::span<const ChartModel> charts, const ChartStyle &style)
{
    for (std::size_t i = 0; i < charts.size(); ++i)
        paintChart(painter, QRectF(QPointF(0, double(each.height()) * double(i)), QSizeF(each)), charts[i], style);
}

} // namespace

MetafileFormat metafileFormatFor(const QString &fileName)
{
    if (fileName.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        return MetafileFormat::Svg;
    if (fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return MetafileFormat::Pdf;
    if (fileName.endsWith(QLatin1String(".wmf"), Qt::CaseInsensitive))
        return MetafileFormat::Wmf;
    return MetafileFormat::Emf;
}

bool isValidBitmapSize(QSize pixels)
{
    return pixels.width() >= 1 && pixels.height() >= 1 && pixels.width() <= kMaxBitmapSide &&
           pixels.height() <= kMaxBitmapSide &&
           static_cast<qint64>(pixels.width()) * pixels.height() <= kMaxBitmapPixels;
}

bool isValidMetafileSize(QSize hundredthsMm)
{
    return hundredthsMm.width() >= 1 && hundredthsMm.height() >= 1 && hundredthsMm.width() <= kMaxMetafileSide &&
           hundredthsMm.height() <= kMaxMetafileSide;
}

QImage chartImage(QSize pixels, const ChartModel &model, const ChartStyle &style)
{
    return chartImage(pixels, std::span(&model, 1), style);
}

QImage chartImage(QSize pixels, std::span<const ChartModel> charts, const ChartStyle &style)
{
    const QSize whole = stacked(pixels, charts.size());
    if (charts.empty() || !isValidBitmapSize(pixels) || !isValidBitmapSize(whole))
        return {};
    QImage image(whole, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    QPainter painter(&image);
    paintStacked(painter, pixels, charts, style);
    return image;
}

QByteArray chartBmp(QSize pixels, const ChartModel &model, const ChartStyle &style)
{
    const QImage image = chartImage(pixels, model, style);
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP"))
        return {};
    return bytes;
}

QByteArray chartEmf(QSize hundredthsMm, const ChartModel &model, const ChartStyle &style)
{
    if (!isValidMetafileSize(hundredthsMm))
        return {};
    EmfWriter emf(hundredthsMm);
    QPainter painter;
    if (!painter.begin(&emf))
        return {};
    paintChart(painter, QRectF(QPointF(0, 0), QSizeF(hundredthsMm)), model, style);
    painter.end();
    return emf.data();
}

QSize pixelsForHundredthsMm(QSize hundredthsMm)
{
    auto px = [](int v) { return std::max(1, static_cast<int>(std::lround(v / 2540.0 * kScreenDpi))); };
    return {px(hundredthsMm.width()), px(hundredthsMm.height())};
}

QByteArray chartSvg(QSize hundredthsMm, const ChartModel &model, const ChartStyle &style)
{
    return chartSvg(hundredthsMm, std::span(&model, 1), style);
}

QByteArray chartSvg(QSize hundredthsMm, std::span<const ChartModel> charts, const ChartStyle &style)
{
    const QSize whole = stacked(hundredthsMm, charts.size());
    if (charts.empty() || !isValidMetafileSize(hundredthsMm) || !isValidMetafileSize(whole))
        return {};
    // One user unit is a hundredth of a millimetre, so the picture's size comes out exact.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(kSvgDpi);
    svg.setSize(whole);
    svg.setViewBox(QRect(QPoint(0, 0), whole));
    svg.setTitle(charts.front().data().mainTitle);
    QPainter painter;
    if (!painter.begin(&svg))
        return {};
    paintStacked(painter, hundredthsMm, charts, style);
    painter.end();
    return bytes;
}

QByteArray chartPdf(QSize hundredthsMm, const ChartModel &model, const ChartStyle &style)
{
    return chartPdf(hundredthsMm, std::span(&model, 1), style);
}

QByteArray chartPdf(QSize hundredthsMm, std::span<const ChartModel> charts, const ChartStyle &style)
{
    if (charts.empty() || !isValidMetafileSize(hundredthsMm))
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kPdfDpi);
        const QSizeF mm(hundredthsMm.width() / 100.0, hundredthsMm.height() / 100.0);
        pdf.setPageLayout(QPageLayout(QPageSize(mm, QPageSize::Millimeter), QPageLayout::Portrait, QMarginsF()));
        pdf.setTitle(charts.front().data().mainTitle);
        QPainter painter;
        if (!painter.begin(&pdf))
            return {};
        for (std::size_t i = 0; i < charts.size(); ++i) {
            if (i > 0 && !pdf.newPage())
                return {};
            paintChart(painter, QRectF(0, 0, pdf.width(), pdf.height()), charts[i], style);
        }
        painter.end();
    }
    return bytes;
}

QByteArray chartMetafile(MetafileFormat format, QSize hundredthsMm, const ChartModel &model, const ChartStyle &style)
{
    switch (format) {
    case MetafileFormat::Svg: return chartSvg(hundredthsMm, model, style);
    case MetafileFormat::Pdf: return chartPdf(hundredthsMm, model, style);
    case MetafileFormat::Wmf: return {};
    case MetafileFormat::Emf: break;
    }
    return chartEmf(hundredthsMm, model, style);
}

QMimeData *chartMetafileMimeData(QSize hundredthsMm, const ChartModel &model, const ChartStyle &style)
{
    const QByteArray svg = chartSvg(hundredthsMm, model, style);
    const QImage image = chartImage(pixelsForHundredthsMm(hundredthsMm), model, style);
    if (svg.isEmpty() || image.isNull())
        return nullptr;
    auto *mime = new QMimeData;
    mime->setData(QStringLiteral("image/svg+xml"), svg);
    mime->setImageData(image);
    return mime;
}

bool writeFileWhole(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty() || bytes.isEmpty())
        return false;
    return writeWholeFile(path, bytes);
}

} // namespace orvel
