// Painting the chart: a recorder page (200 points) and a full viewer (5120
// points) into a 1920 × 1080 image, a live reading appended and redrawn, the
// metafile export and a printed page. Prints what it measured; decides nothing.

#include "chart/ChartExport.h"
#include "chart/ChartPainter.h"
#include "chart/ChartPrint.h"
#include "chart/PEGraph.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>

using namespace orvel;

namespace {

QString timeText(int i)
{
    const int tenths = 9 * 36000 + i * 5;
    return QString::asprintf("  %d:%02d:%02d.%d  ", tenths / 36000, tenths / 600 % 60, tenths / 10 % 60, tenths % 10);
}

float reading(int i)
{
    return static_cast<float>(40.0 * std::sin(i / 30.0) + 6.0 * std::sin(i * 0.7) + 10.0);
}

ChartModel modelOf(int n)
{
    ChartData d;
    d.setPoints(n);
    d.maxPointsToGraph = n;
    d.pointsToGraph = n;
    for (int i = 0; i < n; ++i) {
        d.setValue(i, reading(i));
        d.setLabel(i, timeText(i));
    }
    d.scaleControl = gManualMinAndMax;
    d.manualMinY = -62.0;
    d.manualMaxY = 72.0;
    d.mainTitle = QStringLiteral("Data Logger");
    d.xAxisLabel = QStringLiteral("Time");
    d.yAxisLabel = QStringLiteral("Reading");
    d.maxDataString = QStringLiteral("00000000.000");
    d.maxPointLabel = QStringLiteral("00:00:00.000");
    ChartModel model;
    model.setData(d);
    model.setCursorPoint(n / 2);
    return model;
}

ChartStyle recorderStyle()
{
    ChartStyle s;
    s.graphBackColor = Qt::black;
    s.graphForeColor = QColor(0x80, 0x00, 0x80);
    s.subsetColor = QColor(0xC0, 0xC0, 0xC0);
    return s;
}

void BM_PaintChart1920x1080(benchmark::State &state)
{
    const ChartModel model = modelOf(static_cast<int>(state.range(0)));
    const ChartStyle style = recorderStyle();
    QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        paintChart(painter, QRectF(image.rect()), model, style);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PaintChart1920x1080)->Arg(200)->Arg(5120)->Unit(benchmark::kMillisecond);

void BM_AppendAndRedraw(benchmark::State &state)
{
    // The recorder's live path: one reading through the handle, gReinitAndReset, the widget
    // painting itself anew.
    const int n = static_cast<int>(state.range(0));
    PEGraph graph;
    graph.resize(1920, 1080);
    graph.SetPoints(n);
    graph.SetMaxPointsToGraph(n);
    graph.SetPointsToGraph(n);
    graph.SetManualScaleControlY(gManualMinAndMax);
    graph.SetManualMinY(-62.0);
    graph.SetManualMaxY(72.0);
    for (int i = 0; i < n; ++i) {
        graph.SetYData(0, i, reading(i));
        graph.SetPointLabels(i, timeText(i));
    }
    graph.SetPEactions(gReinitAndReset);
    QImage target(graph.size(), QImage::Format_ARGB32_Premultiplied);
    int next = n;
    for (auto _ : state) {
        graph.GethObject().appendPoint(reading(next), timeText(next));
        ++next;
        graph.SetPEactions(gReinitAndReset);
        graph.render(&target);
    }
}
BENCHMARK(BM_AppendAndRedraw)->Arg(200)->Arg(5120)->Unit(benchmark::kMillisecond);

void BM_MetafileExport(benchmark::State &state)
{
    const ChartModel model = modelOf(static_cast<int>(state.range(0)));
    ChartStyle style = recorderStyle();
    style.showCursor = false;
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = static_cast<std::size_t>(chartEmf({10000, 6810}, model, style).size());
    state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_MetafileExport)->Arg(200)->Arg(5120)->Unit(benchmark::kMillisecond);

void BM_PrintPage(benchmark::State &state)
{
    // A monochrome print-out to a PDF printer (the printer's own file writing included).
    const ChartModel model = modelOf(static_cast<int>(state.range(0)));
    ChartStyle style = recorderStyle();
    style.viewingStyle = gMonochrome;
    style.showCursor = false;
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
    printer.setPageOrientation(QPageLayout::Landscape);
    for (auto _ : state)
        benchmark::DoNotOptimize(printChart(printer, model, style));
}
BENCHMARK(BM_PrintPage)->Arg(200)->Arg(5120)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv); // the widget benchmark needs widgets
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
