// The painted chart, looked at pixel by pixel: the line where values are and a
// gap where they are null, the cursor on its point, monochrome without colour,
// labels that never collide, whatever the size.

#include "ChartTestData.h"

#include "chart/ChartExport.h"
#include "chart/ChartPainter.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace orvel;
using namespace orvel::test;

namespace {

const QColor kLine(0, 255, 0);

ChartStyle testStyle()
{
    ChartStyle s;
    s.deskColor = QColor(0xF0, 0xF0, 0xF0);
    s.graphBackColor = Qt::black;
    s.graphForeColor = QColor(0x80, 0x00, 0x80);
    s.subsetColor = kLine;
    s.lineType = gThinSolid;
    return s;
}

QImage render(const ChartModel &model, const ChartStyle &style, QSize size = {800, 500})
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    paintChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), model, style);
    return image;
}

bool isLineColour(QRgb p)
{
    return qGreen(p) > 90 && qRed(p) < 60 && qBlue(p) < 60;
}

/// Rows of column x (within the graph) painted in the line's colour.
QList<int> lineRows(const QImage &image, int x, const QRectF &plot)
{
    QList<int> rows;
    for (int y = static_cast<int>(plot.top()); y < static_cast<int>(plot.bottom()); ++y)
        if (isLineColour(image.pixel(x, y)))
            rows << y;
    return rows;
}

/// Share of the graph's rows (away from its frame) in column x that have `colour`.
double columnShare(const QImage &image, int x, const QRectF &plot, QRgb colour)
{
    int hits = 0;
    int rows = 0;
    for (int y = static_cast<int>(plot.top()) + 2; y < static_cast<int>(plot.bottom()) - 2; ++y, ++rows)
        if (image.pixel(x, y) == colour)
            ++hits;
    return rows ? static_cast<double>(hits) / rows : 0.0;
}

ChartModel modelWithGap()
{
    ChartData d = demoData(200);
    for (int i = 0; i < 200; ++i)
        d.setValue(i, 50.0f);
    for (int i = 80; i < 120; ++i) {
        d.setValue(i, -99999.0f);
        d.setLabel(i, " ");
    }
    d.setValue(150, -99999.0f); // point 151 stands alone
    d.setValue(152, -99999.0f);
    d.setValue(151, -20.0f);
    ChartModel m;
    m.setData(d);
    return m;
}

} // namespace

class TestChartPainter : public QObject
{
    Q_OBJECT

private slots:
    // A mark is a thin line through its point with its text at the graph's top,
    // cut to the room before the next mark (none at all when there is no room).
    void marksAreLinesWithTheirTextCutToFit()
    {
        ChartModel model = modelWithGap();
        ChartData d = model.data();
        d.marks = {{100, QStringLiteral("no room")}, {101, QStringLiteral("fan started")}};
        model.setData(d);
        const ChartStyle style = testStyle();
        const QImage image = render(model, style);
        const ChartLayout layout = layoutChart(QRectF(image.rect()), model, style, &image);
        const QRgb mark = chartColors(style).mark.rgb();
        const int x100 = static_cast<int>(layout.x.toPixel(100)), x101 = static_cast<int>(layout.x.toPixel(101));
        QVERIFY(columnShare(image, x100, layout.plot, mark) > 0.8);
        QVERIFY(columnShare(image, x101, layout.plot, mark) > 0.8);
        const auto textPixels = [&](int from, int to) {
            int n = 0;
            for (int x = from; x < to; ++x)
                for (int y = int(layout.plot.top()) + 2; y < int(layout.plot.top()) + 16; ++y)
                    n += qRed(image.pixel(x, y)) > 120 && qBlue(image.pixel(x, y)) < 80;
            return n;
        };
        QCOMPARE(textPixels(x100 + 1, x101), 0);
        QVERIFY(textPixels(x101 + 2, x101 + 60) > 20);
    }

    void lineIsDrawnWhereValuesAreAndBreaksAtNullPoints()
    {
        const ChartModel model = modelWithGap();
        const ChartStyle style = testStyle();
        const QImage image = render(model, style);
        const ChartLayout layout = layoutChart(QRectF(image.rect()), model, style, &image);
        QVERIFY(layout.hasPlot);
        const double y50 = layout.y.toPixel(50.0);

        // Between points that have values: the line, at the height of 50.
        for (int i : {0, 10, 40, 78, 121, 140, 160, 198}) {
            const int x = static_cast<int>(std::round((layout.x.toPixel(i) + layout.x.toPixel(i + 1)) / 2.0));
            const QList<int> rows = lineRows(image, x, layout.plot);
            QVERIFY2(!rows.isEmpty(), qPrintable(QStringLiteral("no line at point %1").arg(i)));
            for (int row : rows)
                QVERIFY2(std::abs(row - y50) <= 2.0,
                         qPrintable(QStringLiteral("line at row %1, value row %2").arg(row).arg(y50)));
        }
        // Across the null points the graph has no line colour at all.
        for (int x = static_cast<int>(layout.x.toPixel(79)) + 3; x < static_cast<int>(layout.x.toPixel(120)) - 2; ++x)
            QVERIFY2(lineRows(image, x, layout.plot).isEmpty(),
                     qPrintable(QStringLiteral("line in the gap at x %1").arg(x)));
        // The reading alone between nulls is marked, at its own height, and joined to nothing.
        const int xAlone = static_cast<int>(layout.x.toPixel(151));
        const QList<int> rows = lineRows(image, xAlone, layout.plot);
        QVERIFY(!rows.isEmpty());
        QVERIFY(std::abs(rows.first() - layout.y.toPixel(-20.0)) <= 4.0);
        const int xBetween = static_cast<int>((layout.x.toPixel(149) + layout.x.toPixel(150)) / 2.0);
        for (int row : lineRows(image, xBetween, layout.plot))
            QVERIFY(std::abs(row - y50) <= 2.0); // no slope down towards the lone reading

        image.save(chartOutputPath(QStringLiteral("painter-null-gap.png")));
    }

    void lineFollowsTheValuesAndTheCursorStandsAtItsPoint()
    {
        ChartModel model;
        model.setData(demoData(200));
        model.setCursorPoint(57);
        const ChartStyle style = testStyle();
        QImage image = render(model, style);
        ChartLayout layout = layoutChart(QRectF(image.rect()), model, style, &image);
        for (int i = 5; i < 200; i += 23) {
            const int x = static_cast<int>(layout.x.toPixel(i));
            const QList<int> rows = lineRows(image, x, layout.plot);
            QVERIFY(!rows.isEmpty());
            const double expected = layout.y.toPixel(demoValue(i));
            // The line passes through the value's row (steep parts cover several rows).
            QVERIFY2(rows.first() - 2 <= expected && expected <= rows.last() + 2,
                     qPrintable(QStringLiteral("point %1: rows %2..%3, value at %4")
                                    .arg(i)
                                    .arg(rows.first())
                                    .arg(rows.last())
                                    .arg(expected)));
        }

        // The cursor: a white line at its point and nowhere near it.
        const QRgb white = qRgb(255, 255, 255);
        const int x = static_cast<int>(std::floor(layout.x.toPixel(57)));
        QVERIFY(columnShare(image, x, layout.plot, white) > 0.95);
        QVERIFY(columnShare(image, x - 3, layout.plot, white) < 0.1);
        QVERIFY(columnShare(image, x + 3, layout.plot, white) < 0.1);

        // The print style leaves the cursor out.
        ChartStyle printStyle = style;
        printStyle.showCursor = false;
        QVERIFY(columnShare(render(model, printStyle), x, layout.plot, white) < 0.1);

        // Zoomed: the cursor moves with its point.
        QVERIFY(model.zoomIn({40, 80, std::nullopt}));
        image = render(model, style);
        layout = layoutChart(QRectF(image.rect()), model, style, &image);
        const int xZoomed = static_cast<int>(std::floor(layout.x.toPixel(57)));
        QVERIFY(std::abs(xZoomed - x) > 50);
        QVERIFY(columnShare(image, xZoomed, layout.plot, white) > 0.95);

        // A cursor outside the zoomed points is not drawn anywhere.
        model.setCursorPoint(10);
        image = render(model, style);
        for (int col = static_cast<int>(layout.plot.left()) + 1; col < static_cast<int>(layout.plot.right()); ++col)
            QVERIFY(columnShare(image, col, layout.plot, white) < 0.5);
    }

    void monochromeHasNoColour()
    {
        ChartModel model = modelWithGap();
        model.setCursorPoint(30);
        ChartStyle style = testStyle();
        style.viewingStyle = gMonochrome;
        style.deskColor = QColor(0xD4, 0xD0, 0xC8);
        const QImage image = render(model, style);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!isGrey(image.pixel(x, y)))
                    QFAIL(qPrintable(QStringLiteral("colour at %1,%2").arg(x).arg(y)));
        // Black line on white: dark pixels at the value's height.
        const ChartLayout layout = layoutChart(QRectF(image.rect()), model, style, &image);
        const int x = static_cast<int>(layout.x.toPixel(20));
        const int y = static_cast<int>(std::round(layout.y.toPixel(50.0)));
        int darkest = 255;
        for (int dy = -2; dy <= 2; ++dy)
            darkest = std::min(darkest, qGray(image.pixel(x, y + dy)));
        QVERIFY(darkest < 100);
        QCOMPARE(image.pixel(5, 5), qRgb(255, 255, 255));
        image.save(chartOutputPath(QStringLiteral("painter-monochrome.png")));
    }

    void labelsNeverCollideAtAnySize_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<double>("lo");
        QTest::addColumn<double>("hi");
        QTest::newRow("recorder page") << 200 << -2.66 << 6.65;
        QTest::newRow("ticks on both edges") << 200 << -100.0 << 100.0;
        QTest::newRow("viewer") << 5120 << -2.66 << 6.65;
        QTest::newRow("few") << 3 << -0.5 << 0.5;
    }

    void labelsNeverCollideAtAnySize()
    {
        QFETCH(int, points);
        QFETCH(double, lo);
        QFETCH(double, hi);
        ChartModel model;
        model.setData(demoData(points, lo, hi));
        const ChartStyle style = testStyle();
        QImage device(1, 1, QImage::Format_RGB32);
        for (int width = 120; width <= 2400; width += 37) {
            for (int height : {90, 160, 333, 681, 1080}) {
                const QRectF target(0, 0, width, height);
                const ChartLayout layout = layoutChart(target, model, style, &device);
                if (!layout.hasPlot)
                    continue;
                for (std::size_t k = 0; k < layout.xLabels.size(); ++k) {
                    const QRectF r = layout.xLabels[k].rect;
                    QVERIFY(target.contains(r));
                    if (k > 0)
                        QVERIFY2(layout.xLabels[k - 1].rect.right() < r.left(),
                                 qPrintable(QStringLiteral("X labels overlap at %1 x %2").arg(width).arg(height)));
                }
                for (std::size_t k = 1; k < layout.yLabels.size(); ++k)
                    QVERIFY2(!layout.yLabels[k - 1].rect.intersects(layout.yLabels[k].rect),
                             qPrintable(QStringLiteral("Y labels overlap at %1 x %2").arg(width).arg(height)));
                for (const PlacedLabel &label : layout.yLabels) {
                    QVERIFY(target.contains(label.rect));
                    for (const PlacedLabel &xLabel : layout.xLabels)
                        QVERIFY2(!label.rect.intersects(xLabel.rect),
                                 qPrintable(QStringLiteral("Y label %1 meets X label %2 at %3 x %4")
                                                .arg(label.text, xLabel.text)
                                                .arg(width)
                                                .arg(height)));
                    QVERIFY(label.text.section(QLatin1Char('.'), 1).size() == 3);
                }
                if (width >= 400 && height >= 300) {
                    QVERIFY(layout.xLabels.size() >= 2);
                    QVERIFY(layout.yLabels.size() >= 3);
                }
            }
        }
    }

    void tinyTargetsPaintOnlyTheDesk()
    {
        ChartModel model;
        model.setData(demoData(200));
        const ChartStyle style = testStyle();
        for (QSize size : {QSize(1, 1), QSize(10, 10), QSize(40, 300), QSize(300, 30)}) {
            const QImage image = render(model, style, size);
            QCOMPARE(image.pixel(0, 0), style.deskColor.rgb());
            QVERIFY(!layoutChart(QRectF(image.rect()), model, style, &image).hasPlot);
        }
        QImage image(100, 100, QImage::Format_RGB32);
        QPainter painter(&image);
        paintChart(painter, QRectF(), model, style); // an empty target draws nothing and does not fail
    }

    void illegibleColoursAreMadeVisible()
    {
        // The viewer's grid colour is the button face on a white graph: the grid is darkened.
        ChartStyle style;
        style.graphBackColor = Qt::white;
        style.graphForeColor = QColor(0xF0, 0xF0, 0xF0);
        style.subsetColor = Qt::white;
        const ChartColors c = chartColors(style);
        QVERIFY(qGray(c.grid.rgb()) < 200);
        QVERIFY(qGray(c.line.rgb()) < 200);
        QCOMPARE(c.text, QColor(Qt::black));
        // Colours that are already visible stay as they are.
        style.graphBackColor = Qt::black;
        style.graphForeColor = QColor(0x80, 0x00, 0x80);
        style.subsetColor = QColor(0xC0, 0xC0, 0xC0);
        QCOMPARE(chartColors(style).grid, QColor(0x80, 0x00, 0x80));
        QCOMPARE(chartColors(style).line, QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(chartColors(style).cursor, QColor(Qt::white));
    }
};

QTEST_MAIN(TestChartPainter)
#include "tst_ChartPainter.moc"
