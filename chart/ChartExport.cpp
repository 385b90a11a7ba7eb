#include "chart/ChartExport.h"

#include "base/WholeFile.h"
#include "chart/EmfWriter.h"

#include <QBuffer>
#include <QMimeData>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>
#include <QTemporaryFile>

#include <cmath>
#include <cstdio>

namespace orvel {

namespace {

constexpr int kSvgDpi = 2540;
constexpr int kScreenDpi = 96;
constexpr int kPdfDpi = 600;

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
    if (!isValidBitmapSize(pixels))
        return {};
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    QPainter painter(&image);
    paintChart(painter, QRectF(QPointF(0, 0), QSizeF(pixels)), model, style);
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
    if (!isValidMetafileSize(hundredthsMm))
        return {};
    // One user unit is a hundredth of a millimetre, so the picture's size comes out exact.
    const QSize pixels = hundredthsMm;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(kSvgDpi);
    svg.setSize(pixels);
    svg.setViewBox(QRect(QPoint(0, 0), pixels));
    svg.setTitle(model.data().mainTitle);
    QPainter painter;
    if (!painter.begin(&svg))
        return {};
    paintChart(painter, QRectF(QPointF(0, 0), QSizeF(pixels)), model, style);
    painter.end();
    return bytes;
}

QByteArray chartPdf(QSize hundredthsMm, const ChartModel &model, const ChartStyle &style)
{
    if (!isValidMetafileSize(hundredthsMm))
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kPdfDpi);
        const QSizeF mm(hundredthsMm.width() / 100.0, hundredthsMm.height() / 100.0);
        pdf.setPageLayout(QPageLayout(QPageSize(mm, QPageSize::Millimeter), QPageLayout::Portrait, QMarginsF()));
        pdf.setTitle(model.data().mainTitle);
        QPainter painter;
        if (!painter.begin(&pdf))
            return {};
        paintChart(painter, QRectF(0, 0, pdf.width(), pdf.height()), model, style);
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

QRectF printTarget(const QRectF &page)
{
    QRectF target = page;
    target.setHeight(std::min(page.height(), page.width() * 0.75));
    return target;
}

namespace {

void paintOnPage(QPainter &painter, QPrinter &printer, const ChartModel &model, const ChartStyle &style)
{
    const QRectF page(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    paintChart(painter, printTarget(page), model, style);
}

} // namespace

ChartPrintJob::ChartPrintJob(QPrinter &printer)
    : printer_(printer)
    , target_(printer.outputFileName())
{}

ChartPrintJob::~ChartPrintJob()
{
    finish();
}

bool ChartPrintJob::addPage(const ChartModel &model, const ChartStyle &style)
{
    if (failed_ || finished_)
        return false;
    if (!toFile()) {
        // A printer: every page is a print-out of its own.
        if (!printChart(printer_, model, style))
            failed_ = true;
        return !failed_;
    }
    if (painter_) {
        if (!printer_.newPage()) {
            failed_ = true;
            return false;
        }
    } else {
        // Written beside the target under a name of its own, renamed over it at the end.
        QTemporaryFile part(target_ + QStringLiteral(".XXXXXX"));
        part.setAutoRemove(false);
        if (!part.open()) {
            failed_ = true;
            return false;
        }
        part_ = part.fileName();
        // A print-out file is readable like any other the printer makes.
        part.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                            QFileDevice::ReadOther);
        part.close();
        printer_.setOutputFileName(part_);
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(&printer_)) {
            failed_ = true;
            return false;
        }
    }
    paintOnPage(*painter_, printer_, model, style);
    return true;
}

bool ChartPrintJob::finish()
{
    if (finished_)
        return !failed_;
    finished_ = true;
    if (painter_ && painter_->isActive() && !painter_->end())
        failed_ = true;
    painter_.reset();
    if (toFile()) {
        printer_.setOutputFileName(target_);
        if (!part_.isEmpty()) {
            // rename() replaces the target in one step.
            if (failed_ ||
                std::rename(QFile::encodeName(part_).constData(), QFile::encodeName(target_).constData()) != 0) {
                failed_ = true;
                QFile::remove(part_);
            }
        }
    }
    return !failed_;
}

bool printChart(QPrinter &printer, const ChartModel &model, const ChartStyle &style)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    paintOnPage(painter, printer, model, style);
    return painter.end();
}

bool writeFileWhole(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty() || bytes.isEmpty())
        return false;
    return writeWholeFile(path, bytes);
}

} // namespace orvel
