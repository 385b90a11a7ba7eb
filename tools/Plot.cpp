#include "tools/Plot.h"

#include "chart/ChartExport.h"
#include "chart/ChartLooks.h"
#include "export/ChartContent.h"
#include "export/ViewReduction.h"
#include "recorder/Pages.h"
#include "resources/Strings.h"
#include "tools/Output.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPalette>

#include <cmath>
#include <vector>

namespace orvel::cli {

namespace {
constexpr int kTooLarge = 2501; ///< "orvel-cli: %1 charts of %2 × %3 pixels make a picture too large; …"

enum class Picture { Png, Svg, Pdf };

std::optional<Picture> pictureFor(const QString &out)
{
    if (out.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return Picture::Png;
    if (out.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        return Picture::Svg;
    if (out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return Picture::Pdf;
    return std::nullopt;
}

// What one pass over the file gathers.
struct FileCharts
{
    qsizetype n = 0;
    ScaleRange scale;
    ViewReduction reduction;
    std::vector<TARecord> points; ///< the viewer's points, or the readings of the pages
    MarkList marks;
};

QByteArray pictureBytes(Picture picture, QSize pixels, std::span<const ChartModel> charts, const ChartStyle &style)
{
    const QSize hundredthsMm(int(std::lround(pixels.width() * 2540.0 / 96.0)),
                             int(std::lround(pixels.height() * 2540.0 / 96.0)));
    switch (picture) {
    case Picture::Svg: return chartSvg(hundredthsMm, charts, style);
    case Picture::Pdf: return chartPdf(hundredthsMm, charts, style);
    case Picture::Png: break;
    }
    const QImage image = chartImage(pixels, charts, style);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG"))
        return {};
    return bytes;
}
} // namespace

bool isPlotPicture(const QString &out)
{
    return pictureFor(out).has_value();
}

int plot(const PlotOptions &options, std::FILE *err)
{
    const std::optional<Picture> picture = pictureFor(options.out);
    if (!picture) {
        printError(LoadStrArg(kNotAPicture, options.out), err);
        return 2;
    }
    LoggerFileReader reader;
    const std::optional<IndexRange> pagesRange = openPages(reader, options.in, options.pages, err);
    if (!pagesRange)
        return 1;

    // One pass over every reading: the Y range as the recorder widens it, and
    // the viewer's points or the readings of the pages.
    FileCharts f;
    f.n = reader.recordCount();
    const bool reduced = !options.pages && viewIsReduced(f.n);
    ViewReducer reducer(f.reduction, reduced ? f.n : 0, reduced ? &f.points : nullptr);
    const IndexRange keep = options.pages ? *pagesRange : IndexRange{0, reduced ? 0 : f.n};
    const BlocksRead read =
        readBlocks(reader, IndexRange{0, f.n}, [&](const TARecord *block, qsizetype count, qsizetype first) {
            for (qsizetype i = 0; i < count; ++i)
                f.scale.UpdateScale(block[i].fReading, first + i);
            if (reduced)
                reducer.take(block, count, first);
            const qsizetype from = std::max(first, keep.first), to = std::min(first + count, keep.first + keep.count);
            if (from < to)
                f.points.insert(f.points.end(), block + (from - first), block + (to - first));
            return true;
        });
    if (read != BlocksRead::Done) {
        printError(LoadStrArg(kCannotRead, options.in), err);
        return 1;
    }
    reducer.finish(0, 0); // a picture has no cursor to put on the extremes
    f.marks = readMarksBeside(options.in, f.n, err).marks;
    reader.close();

    const QColor face = QGuiApplication::palette().color(QPalette::Button);
    std::vector<ChartModel> charts;
    ChartStyle style;
    auto add = [&](ChartData data) {
        data.manualMaxY = f.scale.fScaleMax;
        data.manualMinY = f.scale.fScaleMin;
        charts.emplace_back().setData(data);
    };
    if (!options.pages) {
        ChartData data = viewerChartData();
        setViewerPoints(
            data, int(f.points.size()), [&](int i) -> const TARecord & { return f.points[std::size_t(i)]; }, f.marks,
            f.n, f.reduction.indexes);
        add(std::move(data));
        style = viewerChartStyle(face);
    } else {
        const int lastPage = pageCount(f.n);
        for (int page = options.pages->from; page <= options.pages->to; ++page) {
            ChartData data = recorderChartData();
            setPagePoints(
                data, pageRange(f.n, lastPage, page),
                [&](qsizetype index) -> const TARecord & { return f.points[std::size_t(index - keep.first)]; },
                f.marks);
            add(std::move(data));
        }
        style = recorderChartStyle(face);
    }
    style.showCursor = false; // as pictures and print-outs leave it out
    const QByteArray bytes = pictureBytes(*picture, options.pixels, charts, style);
    if (bytes.isEmpty()) {
        printError(LoadStr(kTooLarge).arg(QString::number(charts.size()), QString::number(options.pixels.width()),
                                          QString::number(options.pixels.height())),
                   err);
        return 1;
    }
    if (!writeFileWhole(options.out, bytes)) {
        printError(LoadStrArg(kCannotWrite, options.out), err);
        return 1;
    }
    return 0;
}

} // namespace orvel::cli
