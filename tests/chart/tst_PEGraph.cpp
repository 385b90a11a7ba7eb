// The PEGraph widget as the recorder and the viewer use it: pending properties,
// live append, cursor keys and clicks, zoom by dragging, the exported files, the
// clipboard and print-outs.

#include "ChartTestData.h"
#include "EmfReader.h"

#include "chart/ChartExport.h"
#include "chart/PEGraph.h"

#include "tests/support/ScriptedPrompt.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <QtEndian>

using namespace orvel;
using namespace orvel::test;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

template <typename T> T le(const QByteArray &b, int offset)
{
    return qFromLittleEndian<T>(b.constData() + offset);
}

QColor buttonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

/// Runs export `action` at `size` (pixels, or hundredths of a millimetre for metafiles) to `path`.
bool exportChart(PEGraph &g, int action, QSize size, const QString &path = QString())
{
    g.SetPEnarg1(size.width());
    g.SetPEnarg2(size.height());
    g.SetPEstrarg1(path);
    return g.SetPEactions(action);
}

} // namespace

class TestPEGraph : public QObject
{
    Q_OBJECT

    std::unique_ptr<PEGraph> graph;

    /// A shown recorder chart, 800 × 500, with a page of 200 readings.
    PEGraph &recorderPage()
    {
        graph = std::make_unique<PEGraph>();
        graph->resize(800, 500);
        setUpRecorderChart(*graph, buttonFace());
        loadReadings(*graph, 200, -62.0, 72.0);
        graph->show();
        if (!QTest::qWaitForWindowExposed(graph.get()))
            qWarning("chart window not exposed");
        return *graph;
    }

    QPoint pointPosition(int index, double value) const
    {
        const ChartLayout layout = graph->screenLayout();
        return QPointF(layout.x.toPixel(index), layout.y.toPixel(value)).toPoint();
    }

private slots:
    void cleanup() { graph.reset(); }

    void propertiesWaitForReinit()
    {
        PEGraph &g = recorderPage();
        g.SetPoints(100);
        g.SetYData(0, 3, 1.5f);
        g.SetMainTitle(QStringLiteral("Other"));
        g.SetSubsetColors(0, Qt::red);
        QCOMPARE(g.model().data().points(), 200); // the screen has not changed yet
        QCOMPARE(g.shownStyle().subsetColor, QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(g.GetSubsetColors(0), QColor(Qt::red)); // the colour as set, for the colour dialog
        QVERIFY(g.SetPEactions(gReinitAndReset));
        QCOMPARE(g.model().data().points(), 100);
        QCOMPARE(g.model().data().value(3), 1.5f);
        QCOMPARE(g.model().data().mainTitle, QStringLiteral("Other"));
        QCOMPARE(g.shownStyle().subsetColor, QColor(Qt::red));
        QVERIFY(!g.GetSubsetColors(1).isValid());

        // gResetImage takes the looks only.
        g.SetViewingStyle(gMonochrome);
        g.SetYData(0, 3, 2.5f);
        QVERIFY(g.SetPEactions(gResetImage));
        QCOMPARE(g.shownStyle().viewingStyle, gMonochrome);
        QCOMPARE(g.model().data().value(3), 1.5f);
        QVERIFY(!g.SetPEactions(12345));
    }

    void appendThroughTheHandleScrollsThePage()
    {
        PEGraph &g = recorderPage();
        g.SetCursorPoint(199);
        g.GethObject().appendPoint(99.5f, QStringLiteral("  9:10:00.0  "));
        g.GethObject().appendPoint(-12.25f, QStringLiteral("  9:10:00.5  "));
        QCOMPARE(g.model().data().value(199), demoValue(199)); // pending until the redraw
        g.SetPEactions(gReinitAndReset);
        const ChartData &d = g.model().data();
        QCOMPARE(d.points(), 200);
        QCOMPARE(d.value(0), demoValue(2));
        QCOMPARE(d.label(0), demoTime(2));
        QCOMPARE(d.value(198), 99.5f);
        QCOMPARE(d.value(199), -12.25f);
        QCOMPARE(d.label(199), QStringLiteral("  9:10:00.5  "));
        QCOMPARE(g.GetCursorPoint(), 199);

        // After a clear, the first reading lands on the right of an empty page.
        setUpRecorderChart(g, buttonFace());
        g.GethObject().appendPoint(5.0f, QStringLiteral("t"));
        g.SetPEactions(gReinitAndReset);
        QVERIFY(g.model().data().isNull(198));
        QCOMPARE(g.model().data().value(199), 5.0f);
    }

    // A new reading repaints only the graph and its labels over the kept
    // background; the screen still shows exactly what a whole painting shows.
    void liveAppendShowsWhatAWholePaintingShows()
    {
        PEGraph &g = recorderPage();
        g.SetCursorPoint(199);
        const auto append = [&g](float value, const char *time) {
            g.GethObject().appendPoint(value, QString::fromLatin1(time));
            g.SetPEactions(gReinitAndReset);
            g.SetCursorPoint(199);
        };
        const std::pair<const char *, std::function<void()>> steps[] = {
            {"a reading", [&] { append(12.5f, "  9:10:00.0  "); }},
            {"another", [&] { append(-40.0f, "  9:10:00.5  "); }},
            {"a mark",
             [&] {
                 g.SetMarks({{150, QStringLiteral("probe moved")}});
                 g.SetPEactions(gReinitAndReset);
             }},
            {"a wider time", [&] { append(0.0f, "  10:10:01.0  "); }},
            {"the mark removed",
             [&] {
                 g.SetMarks({});
                 g.SetPEactions(gReinitAndReset);
             }},
            {"the cursor moved", [&] { g.SetCursorPoint(20); }},
            {"a thick line with large points at the scale's top and bottom",
             [&] {
                 g.SetSubsetLineTypes(0, gThickSolid);
                 g.SetPlottingMethod(gPointsPlusLine);
                 g.SetPointSize(gLargePoints);
                 append(72.0f, "  10:10:01.1  ");
                 append(-62.0f, "  10:10:01.2  ");
             }},
            {"a reading that widens the scale",
             [&] {
                 g.SetManualMaxY(500.0);
                 append(400.0f, "  10:10:01.5  ");
             }},
            {"a page without readings, the scale kept",
             [&] {
                 for (int i = 0; i < 200; ++i)
                     setEmptyPoint(g, i);
                 g.SetPEactions(gReinitAndReset);
             }},
            {"an emptied page", [&] { setUpRecorderChart(g, buttonFace()); }},
            {"its first reading", [&] { append(3.0f, "  10:11:00.0  "); }},
        };
        for (const auto &[what, change] : steps) {
            change();
            QCoreApplication::processEvents(); // what changed goes to the screen
            QImage whole(g.size(), QImage::Format_RGB32);
            const QImage screen = g.grab().toImage().convertToFormat(QImage::Format_RGB32);
            whole.setDotsPerMeterX(screen.dotsPerMeterX());
            whole.setDotsPerMeterY(screen.dotsPerMeterY());
            QPainter painter(&whole);
            paintChart(painter, QRectF(g.rect()), g.model(), g.shownStyle());
            painter.end();
            QVERIFY2(screen == whole, what);
        }
    }

    void keysMoveTheCursorAndAreReported()
    {
        PEGraph &g = recorderPage();
        QSignalSpy moved(&g, &PEGraph::OnCursorMoved);
        QSignalSpy keys(&g, &PEGraph::OnKeyDown);
        g.SetCursorPoint(100);
        QCOMPARE(moved.count(), 0); // set by the program: no event

        QTest::keyClick(&g, Qt::Key_Right);
        QCOMPARE(g.GetCursorPoint(), 101);
        QTest::keyClick(&g, Qt::Key_Left);
        QTest::keyClick(&g, Qt::Key_Left);
        QCOMPARE(g.GetCursorPoint(), 99);
        QCOMPARE(moved.count(), 3);
        QTest::keyClick(&g, Qt::Key_End);
        QCOMPARE(g.GetCursorPoint(), 199);
        QTest::keyClick(&g, Qt::Key_Right); // already at the end: no move, no event
        QCOMPARE(moved.count(), 4);
        QTest::keyClick(&g, Qt::Key_Home);
        QCOMPARE(g.GetCursorPoint(), 0);

        // Page keys are the recorder's: reported with their modifiers, the cursor stays.
        QTest::keyClick(&g, Qt::Key_PageUp, Qt::ControlModifier);
        QTest::keyClick(&g, Qt::Key_PageDown);
        QCOMPARE(g.GetCursorPoint(), 0);
        // Every key is reported, the Control key of Ctrl+PgUp too.
        QCOMPARE(keys.count(), 9);
        QCOMPARE(keys.at(6).at(0).toInt(), int(Qt::Key_Control));
        QCOMPARE(keys.at(7).at(0).toInt(), int(Qt::Key_PageUp));
        QCOMPARE(keys.at(7).at(1).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ControlModifier));
        QCOMPARE(keys.at(8).at(0).toInt(), int(Qt::Key_PageDown));
        QCOMPARE(keys.at(8).at(1).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::NoModifier));
    }

    void clickPutsTheCursorOnTheNearestPoint()
    {
        PEGraph &g = recorderPage();
        QSignalSpy moved(&g, &PEGraph::OnCursorMoved);
        QTest::mouseClick(&g, Qt::LeftButton, {}, pointPosition(37, 0.0) + QPoint(1, 0));
        QCOMPARE(g.GetCursorPoint(), 37);
        QCOMPARE(moved.count(), 1);
        QTest::mouseClick(&g, Qt::LeftButton, {}, QPoint(2, 2)); // on the desk: nothing
        QCOMPARE(g.GetCursorPoint(), 37);

        g.SetMouseCursorControl(false);
        QTest::mouseClick(&g, Qt::LeftButton, {}, pointPosition(60, 0.0));
        QCOMPARE(g.GetCursorPoint(), 37);
    }

    void dragZoomsAndUndoReturns()
    {
        PEGraph &g = recorderPage();
        g.SetCursorPoint(120);
        QSignalSpy zoomed(&g, &PEGraph::OnZoomIn);
        QSignalSpy moved(&g, &PEGraph::OnCursorMoved);
        const QPoint from = pointPosition(100, 40.0);
        const QPoint to = pointPosition(150, -20.0);
        QTest::mousePress(&g, Qt::LeftButton, {}, from);
        QTest::mouseMove(&g, (from + to) / 2);
        QTest::mouseRelease(&g, Qt::LeftButton, {}, to);
        QCOMPARE(zoomed.count(), 1);
        QCOMPARE(moved.count(), 0);
        QVERIFY(g.isZoomed());
        QVERIFY(std::abs(g.model().firstShown() - 100) <= 1);
        QVERIFY(std::abs(g.model().lastShown() - 150) <= 1);
        QVERIFY(std::abs(g.model().yRange().max - 40.0) < 1.0);
        QVERIFY(std::abs(g.model().yRange().min + 20.0) < 1.0);
        QCOMPARE(g.GetCursorPoint(), 120);

        // A live reading keeps the zoom.
        g.GethObject().appendPoint(1.0f, QStringLiteral("x"));
        g.SetPEactions(gReinitAndReset);
        QVERIFY(g.isZoomed());

        QVERIFY(g.SetPEactions(gUndoZoom));
        QVERIFY(!g.isZoomed());
        QCOMPARE(g.model().firstShown(), 0);
        QCOMPARE(g.model().lastShown(), 199);
        QCOMPARE(g.model().yRange(), (ValueRange{-62.0, 72.0}));
        QCOMPARE(g.GetCursorPoint(), 120);

        // Without zooming allowed a drag changes nothing.
        g.SetAllowZooming(gNoZooming);
        QTest::mousePress(&g, Qt::LeftButton, {}, from);
        QTest::mouseRelease(&g, Qt::LeftButton, {}, to);
        QVERIFY(!g.isZoomed());
        QCOMPARE(zoomed.count(), 1);
    }

    void screenShowsTheCursorAndClipboardPicturesDoNot()
    {
        PEGraph &g = recorderPage();
        g.SetCursorPoint(57);
        const QImage screen = g.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const ChartLayout layout = g.screenLayout();
        const int x = static_cast<int>(std::floor(layout.x.toPixel(57) * screen.devicePixelRatio()));
        const int y = static_cast<int>(layout.plot.center().y() * screen.devicePixelRatio());
        QCOMPARE(screen.pixel(x, y), qRgb(255, 255, 255)); // white cursor on the black graph

        QVERIFY(exportChart(g, gBmpToClip, g.size()));
        const QImage exported = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(exported.size(), g.size());
        int white = 0;
        for (int row = static_cast<int>(layout.plot.top()) + 2; row < static_cast<int>(layout.plot.bottom()) - 2; ++row)
            if (exported.pixel(static_cast<int>(std::floor(layout.x.toPixel(57))), row) == qRgb(255, 255, 255))
                ++white;
        QCOMPARE(white, 0);
        screen.save(chartOutputPath(QStringLiteral("widget-recorder.png")));

        QVERIFY(exportChart(g, gBmpToClip, {640, 400}));
        QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(640, 400));

        QVERIFY(exportChart(g, gMetaToClip, {10000, 6810}));
        const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
        QVERIFY(mime);
        QVERIFY(mime->data(QStringLiteral("image/svg+xml")).contains("<svg"));
        QVERIFY(mime->hasImage());
        QCOMPARE(qvariant_cast<QImage>(mime->imageData()).size(), pixelsForHundredthsMm({10000, 6810}));
    }

    void bitmapFileHasTheAskedPixels()
    {
        PEGraph &g = recorderPage();
        const QString path = chartOutputPath(QStringLiteral("chart.bmp"));
        QFile::remove(path);
        QVERIFY(exportChart(g, gBmpToFile, {1000, 681}, path));
        const QByteArray bmp = readAll(path);
        QVERIFY(bmp.size() > 54);
        QCOMPARE(bmp.left(2), QByteArray("BM"));
        QCOMPARE(le<quint32>(bmp, 2), static_cast<quint32>(bmp.size()));
        const quint32 pixelsAt = le<quint32>(bmp, 10);
        QVERIFY(le<quint32>(bmp, 14) >= 40); // an information header
        QCOMPARE(static_cast<qint32>(le<quint32>(bmp, 18)), 1000);
        QCOMPARE(std::abs(static_cast<qint32>(le<quint32>(bmp, 22))), 681);
        QCOMPARE(le<quint16>(bmp, 26), quint16(1));
        const quint16 bits = le<quint16>(bmp, 28);
        QVERIFY(bits == 24 || bits == 32);
        const quint32 rowBytes = ((1000 * bits / 8) + 3) / 4 * 4;
        QVERIFY(pixelsAt + rowBytes * 681 <= static_cast<quint32>(bmp.size()));
        QImage back;
        QVERIFY(back.loadFromData(bmp, "BMP"));
        QCOMPARE(back.size(), QSize(1000, 681));
    }

    void metafileFilesByName()
    {
        PEGraph &g = recorderPage();
        const QSize size(10000, 6810);

        const QString emfPath = chartOutputPath(QStringLiteral("chart-widget.emf"));
        QVERIFY(exportChart(g, gMetaToFile, size, emfPath));
        const EmfParse emf = readEmf(readAll(emfPath));
        QVERIFY2(emf.error.isEmpty(), qPrintable(emf.error));
        QCOMPARE(emf.records.first().rect(24), QRect(0, 0, 10000, 6810));
        QVERIFY(emf.texts().contains(QStringLiteral("Data Logger")));

        const QString svgPath = chartOutputPath(QStringLiteral("chart.svg"));
        QVERIFY(exportChart(g, gMetaToFile, size, svgPath));
        const QByteArray svg = readAll(svgPath);
        QXmlStreamReader xml(svg);
        bool title = false;
        QString width;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("svg")) // the root's width: checked below
                width = xml.attributes().value(QLatin1String("width")).toString();
            if (xml.isCharacters() && xml.text().toString().contains(QLatin1String("Data Logger")))
                title = true;
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(title);
        QVERIFY2(width.endsWith(QLatin1String("mm")) && std::abs(width.chopped(2).toDouble() - 100.0) < 0.5,
                 qPrintable(width));

        const QString pdfPath = chartOutputPath(QStringLiteral("chart.pdf"));
        QVERIFY(exportChart(g, gMetaToFile, size, pdfPath));
        QVERIFY(readAll(pdfPath).startsWith("%PDF"));

        // The name decides, in any letter case; anything else is an enhanced metafile.
        QCOMPARE(metafileFormatFor(QStringLiteral("A.SVG")), MetafileFormat::Svg);
        QCOMPARE(metafileFormatFor(QStringLiteral("a.Pdf")), MetafileFormat::Pdf);
        QCOMPARE(metafileFormatFor(QStringLiteral("a.wmf")), MetafileFormat::Wmf);
        QCOMPARE(metafileFormatFor(QStringLiteral("svg")), MetafileFormat::Emf);
    }

    void printsInMonochromeWithoutACursor()
    {
        PEGraph &g = recorderPage();
        g.SetCursorPoint(57);
        const QString path = chartOutputPath(QStringLiteral("printout.pdf"));
        QFile::remove(path);
        g.printer().setOutputFormat(QPrinter::PdfFormat);
        g.printer().setOutputFileName(path);

        // The recorder's print command: monochrome, print, colour again.
        g.SetViewingStyle(gMonochrome);
        QVERIFY(g.SetPEactions(gResetImage));
        QVERIFY(!g.outputStyle().showCursor);
        {
            const QImage page = chartImage({800, 500}, g.model(), g.outputStyle());
            for (int y = 0; y < page.height(); y += 3)
                for (int x = 0; x < page.width(); x += 3)
                    QVERIFY(isGrey(page.pixel(x, y)));
        }
        ScopedPrompt scripted;
        QVERIFY(g.SetPEactions(gPrintDialog));
        QVERIFY(readAll(path).startsWith("%PDF"));
        g.SetViewingStyle(gColor);
        g.SetPEactions(gReinitAndReset);
        QCOMPARE(g.shownStyle().viewingStyle, gColor);

        // Printing at once to the chart's printer.
        const QString direct = chartOutputPath(QStringLiteral("printout-direct.pdf"));
        QFile::remove(direct);
        g.printer().setOutputFileName(direct);
        QVERIFY(g.SetPEactions(gPrintGraph));
        QVERIFY(readAll(direct).startsWith("%PDF"));
    }

    void badExportsWriteNothing()
    {
        PEGraph &g = recorderPage();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kept.bmp"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("earlier picture");
        old.close();

        g.SetPEstrarg1(QString()); // no file name
        QVERIFY(!g.SetPEactions(gBmpToFile));
        QVERIFY(!g.SetPEactions(gMetaToFile));

        QVERIFY(!exportChart(g, gBmpToFile, {100000, 100000}, path)); // far beyond any bitmap
        QCOMPARE(g.lastError(), PEError::SizeOutOfRange);
        QCOMPARE(readAll(path), QByteArray("earlier picture"));

        QVERIFY(!exportChart(g, gMetaToFile, {1000, 1000}, dir.filePath(QStringLiteral("no/such/folder/x.emf"))));
        QCOMPARE(g.lastError(), PEError::CannotWrite);

        // Never enhanced-metafile bytes under a Windows Metafile's name.
        const QString wmf = dir.filePath(QStringLiteral("x.WMF"));
        QVERIFY(!exportChart(g, gMetaToFile, {1000, 1000}, wmf));
        QCOMPARE(g.lastError(), PEError::UnsupportedFormat);
        QVERIFY(!QFile::exists(wmf));

        // Size 0: the chart's size on the screen.
        QVERIFY(exportChart(g, gBmpToFile, {0, 0}, path));
        QImage back;
        QVERIFY(back.load(path, "BMP"));
        QCOMPARE(back.size(), g.size());
    }

    void viewerShowsFiveThousandPoints()
    {
        graph = std::make_unique<PEGraph>();
        PEGraph &g = *graph;
        g.resize(1600, 900);
        setUpViewerChart(g, buttonFace());
        loadReadings(g, 5120, -62.0, 72.0);
        g.SetPEactions(gReinitAndReset);
        g.SetCursorPoint(0);
        g.SetPEactions(gUndoZoom);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QCOMPARE(g.model().lastShown(), 5119);
        const ChartLayout layout = g.screenLayout();
        QVERIFY(layout.xLabels.size() >= 5);
        QVERIFY(layout.labelStride >= 100);
        g.grab().save(chartOutputPath(QStringLiteral("widget-viewer.png")));
    }
};

QTEST_MAIN(TestPEGraph)
#include "tst_PEGraph.moc"
