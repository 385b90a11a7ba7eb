// The graph viewer opened by the recorder's Fit View command on the buffer as
// the recorder leaves it: a few readings drawn one point each, ten thousand
// reduced to the blocks' extremes, and nothing at all.

#include "app/Globalvar.h"
#include "app/Main4.h"
#include "app/Startup.h"
#include "chart/PEGraph.h"
#include "export/Viewgraphunit.h"
#include "meter/FrameDecoder.h"
#include "platform/SystemMetrics.h"
#include "recorder/Graphicalrecord.h"
#include "recorder/LoggerFile.h"
#include "recorder/Marks.h"
#include "tests/support/Records.h"
#include "tests/support/WindowsRun.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <functional>
#include <memory>

using namespace orvel;
using namespace orvel::test;

namespace {

// The reading a tick leaves behind, then one sample of it.
void store(const char *value, int function = fn::VoltDC, const char *prefix = "", const char *unit = "V")
{
    TMeterReading &r = FormMain->Acquisition->computation.MeterReading;
    r.sValue = QString::fromLatin1(value);
    r.sExponent = QStringLiteral("0");
    r.iFunction = function;
    r.szDisplay = r.sValue;
    r.szPrefix = QString::fromLatin1(prefix);
    r.szUnit = QString::fromLatin1(unit);
    GraphicalForm->TakeSample();
}

// The buffer holds `n` readings of `value(i)`, opened from a file (in the start-up folder).
void hold(int n, const std::function<float(int)> &value)
{
    ReadingBuffer file;
    for (int i = 0; i < n; ++i) {
        file.append(voltReading(value(i), QStringLiteral("t%1").arg(i)));
    }
    const QString path = QDir::current().filePath(QStringLiteral("held.g52"));
    QVERIFY(saveLoggerFile(path, file));
    recording().clear();
    GraphicalForm->LoadFile(path);
    QCOMPARE(recording().buffer().count(), n);
}

// Opens the viewer as Fit View does, runs `inspect` while it is shown, then closes it by `close`.
void openViewer(
    const std::function<void(TFormViewGraphic &)> &inspect,
    const std::function<void(TFormViewGraphic &)> &close = [](TFormViewGraphic &v) { v.close(); })
{
    TFormViewGraphic &v = *FormViewGraphic;
    bool ran = false;
    QTimer::singleShot(0, &v, [&] {
        ran = true;
        inspect(v);
        close(v);
    });
    GraphicalForm->sbtnFitViewClick();
    QVERIFY(ran);
    QVERIFY(v.isHidden());
}

QStringList panels(const QLabel *time, const QLabel *data, const QLabel *unit, const QLabel *func, const QLabel *pf)
{
    return {time->text(), data->text(), unit->text(), func->text(), pf->text()};
}

void dragZoom(PEGraph *chart)
{
    const QSize size = chart->size();
    QTest::mousePress(chart, Qt::LeftButton, {}, QPoint(size.width() * 3 / 10, size.height() * 3 / 10));
    QTest::mouseMove(chart, QPoint(size.width() / 2, size.height() / 2));
    QTest::mouseRelease(chart, Qt::LeftButton, {}, QPoint(size.width() * 7 / 10, size.height() * 7 / 10));
}

const ChartData &chartData()
{
    return FormViewGraphic->PEGraphView->model().data();
}

} // namespace

class TestViewer : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowsRun> run;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        run = std::make_unique<WindowsRun>();
        GraphicalForm->Clock = [] { return QTime(9, 5, 3, 456); };
        programState().ReadingReceived = true;
    }

    void cleanup() { run.reset(); }

    void fewReadingsOnePointEachWithJumpsZoomAndPrint()
    {
        store("1.5");
        store("7.25", fn::Ohm, "K", "W");
        store("-2.5", fn::VoltDC, "m");
        store("0.5");
        const QString pdf = run->filePath(QStringLiteral("viewer.pdf"));
        programPrinter().setOutputFormat(QPrinter::PdfFormat);
        programPrinter().setOutputFileName(pdf);

        openViewer(
            [&](TFormViewGraphic &v) {
                QCOMPARE(v.windowTitle(), QStringLiteral("Graphical viewer"));
                QCOMPARE(v.frameGeometry(), QRect(QPoint(0, 0), primaryScreenSize()));
                QVERIFY(!v.bReduced);
                QCOMPARE(chartData().points(), 4);
                QCOMPARE(chartData().value(1), 7.25f);
                QCOMPARE(chartData().label(2), QStringLiteral("  9:05:03.4  "));
                QCOMPARE(chartData().manualMaxY, double(recording().state().Scale.fScaleMax));
                QCOMPARE(chartData().manualMinY, double(recording().state().Scale.fScaleMin));
                QCOMPARE(v.PEGraphView->GetCursorPoint(), 0);
                QCOMPARE(v.focusWidget(), v.PEGraphView);

                // The resistance unit shows as stored, "W", in the panel's own face.
                QCOMPARE(panels(v.MaxTimePanel, v.MaxDataPanel, v.MaxUnitPanel, v.MaxFuncPanel, v.MaxPFPanel),
                         (QStringList{"  9:05:03.4  ", "7.25", "K", "W", ""}));
                QCOMPARE(v.MaxFuncPanel->font().family(), QStringLiteral("Times New Roman"));
                QCOMPARE(panels(v.MinTimePanel, v.MinDataPanel, v.MinUnitPanel, v.MinFuncPanel, v.MinPFPanel),
                         (QStringList{"  9:05:03.4  ", "-2.5", "m", "V", ""}));

                QTest::mouseClick(v.MinDataPanel, Qt::LeftButton);
                QCOMPARE(v.PEGraphView->GetCursorPoint(), 2);
                QTest::mouseClick(v.MaxDataPanel, Qt::LeftButton);
                QCOMPARE(v.PEGraphView->GetCursorPoint(), 1);

                QVERIFY(!v.sbtnUndoZoom->isEnabled());
                dragZoom(v.PEGraphView);
                QVERIFY(v.PEGraphView->isZoomed());
                QVERIFY(v.sbtnUndoZoom->isEnabled());
                v.sbtnUndoZoom->click();
                QVERIFY(!v.PEGraphView->isZoomed());
                QVERIFY(!v.sbtnUndoZoom->isEnabled());

                v.sbtnPrint->click();
                QVERIFY(QFileInfo(pdf).size() > 0);
                QCOMPARE(v.PEGraphView->shownStyle().viewingStyle, gColor);
            },
            [](TFormViewGraphic &v) { QTest::keyClick(v.PEGraphView, Qt::Key_Escape); });
        programPrinter().setOutputFileName(QString());

        // Closed, the chart keeps 100 points: the readings, then empty points.
        QCOMPARE(chartData().points(), 100);
        QCOMPARE(chartData().value(0), 1.5f);
        QCOMPARE(chartData().value(3), 0.5f);
        QCOMPARE(chartData().value(4), -99999.0f);
        QCOMPARE(chartData().label(99), QStringLiteral(" "));
        QCOMPARE(chartData().manualMaxY, 100.0);
        QCOMPARE(chartData().manualMinY, -100.0);
    }

    void manyReadingsReducedWithJumpsToTheRecordersExtremes()
    {
        // 50 twice in one block (the recorder keeps the newer, 7777, which the block does not list);
        // −3 alone; one damaged reading.
        hold(10000, [](int i) {
            return i == 7776 || i == 7777 ? 50.0f : i == 123 ? -3.0f : i == 500 ? qQNaN() : float(i % 100) * 0.01f;
        });
        QCOMPARE(recording().state().Extreme.iMaxIndex, 7777);
        QCOMPARE(recording().state().Extreme.iMinIndex, 123);
        recording().placeMark(123, MarkKind::User, QStringLiteral("dip"));
        recording().placeMark(9999, MarkKind::Alarm, QStringLiteral("last"));

        openViewer(
            [](TFormViewGraphic &v) {
                QVERIFY(v.bReduced);
                QCOMPARE(chartData().points(), 5000);
                // Each mark on the point that stands for its reading.
                QCOMPARE(chartData().marks,
                         (std::vector<ChartMark>{{61, QStringLiteral("dip")}, {4999, QStringLiteral("last")}}));
                QCOMPARE(chartData().label(61), QStringLiteral("t123"));
                for (int i = 0; i < chartData().points(); ++i)
                    QVERIFY2(std::isfinite(chartData().value(i)), qPrintable(QString::number(i)));
                QCOMPARE(v.MaxDataPanel->text(), QStringLiteral("50"));
                QCOMPARE(v.MaxTimePanel->text(), QStringLiteral("t7777"));
                QCOMPARE(v.MinDataPanel->text(), QStringLiteral("-3"));

                QTest::mouseClick(v.MaxDataPanel, Qt::LeftButton);
                QCOMPARE(v.PEGraphView->GetCursorPoint(), 3888);
                QCOMPARE(chartData().value(3888), 50.0f);
                QTest::mouseClick(v.MinDataPanel, Qt::LeftButton);
                QCOMPARE(v.PEGraphView->GetCursorPoint(), 61);
            },
            [](TFormViewGraphic &v) { v.bbtnClose->click(); });
        QVERIFY(FormViewGraphic->Reduction.indexes.empty());
        QCOMPARE(chartData().points(), 100);
        QCOMPARE(chartData().label(99), QStringLiteral("t99"));
    }

    // A reading stored while the viewer is open is not in its chart, nor in its figures.
    void readingsStoredWhileOpenStayOutOfTheView()
    {
        store("1.5");
        store("2.5");
        openViewer([](TFormViewGraphic &v) {
            store("3.5");
            QCOMPARE(chartData().points(), 2);
            QCOMPARE(v.readingsInView(), (std::pair<qsizetype, qsizetype>{0, 2}));
        });
    }

    // orvel-cli plot, the real program, paints what the viewer shows of a file
    // (reduced, a damaged reading, its marks) and what the recorder shows of a
    // page (page 1, its empty points first): the very same pixels.
    void plotDrawsWhatTheViewerAndTheRecorderShow()
    {
        hold(9950, [](int i) { return i == 7777 ? 50.0f : i == 500 ? qQNaN() : float(i % 100) * 0.01f; });
        recording().placeMark(10, MarkKind::User, QStringLiteral("start"));
        recording().placeMark(9949, MarkKind::Alarm, QStringLiteral("last"));
        const QString file = QDir::current().filePath(QStringLiteral("held.g52"));
        QVERIFY(writeMarksFile(marksFilePath(file), recording().marks(), 0, 9950));
        auto picture = [&](PEGraph &chart, const QString &name) {
            chart.SetPEnarg1(1000);
            chart.SetPEnarg2(600);
            chart.SetPEstrarg1(run->filePath(name));
            QVERIFY(chart.SetPEactions(gBmpToFile));
        };
        openViewer([&](TFormViewGraphic &v) { picture(*v.PEGraphView, QStringLiteral("viewer.bmp")); });
        // A picture has no cursor: the recorder's on an empty point names no unit on the Y axis either.
        GraphicalForm->sbtnFirstPageClick();
        QTest::keyClick(GraphicalForm->PEGraph, Qt::Key_Home);
        picture(*GraphicalForm->PEGraph, QStringLiteral("page.bmp"));
        for (const auto &[shown, pages] :
             {std::pair{"viewer.bmp", QStringList{}}, std::pair{"page.bmp", QStringList{"--pages", "1-1"}}}) {
            const QString png = run->filePath(QStringLiteral("plot.png"));
            QProcess plot;
            plot.start(QStringLiteral(ORVEL_CLI),
                       QStringList{"plot", file, "--size", "1000x600", "--out", png} + pages);
            QVERIFY(plot.waitForFinished(20000));
            QCOMPARE(plot.exitCode(), 0);
            QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGB32),
                     QImage(run->filePath(QLatin1String(shown))).convertToFormat(QImage::Format_RGB32));
        }
    }

    void anEmptyBufferShowsEmptyPanels()
    {
        openViewer([](TFormViewGraphic &v) {
            QCOMPARE(chartData().points(), 0);
            QCOMPARE(panels(v.MaxTimePanel, v.MaxDataPanel, v.MaxUnitPanel, v.MaxFuncPanel, v.MaxPFPanel),
                     QStringList(5, QString()));
            QCOMPARE(panels(v.MinTimePanel, v.MinDataPanel, v.MinUnitPanel, v.MinFuncPanel, v.MinPFPanel),
                     QStringList(5, QString()));
            QTest::mouseClick(v.MaxDataPanel, Qt::LeftButton);
            QCOMPARE(v.PEGraphView->GetCursorPoint(), 0);
        });
        QCOMPARE(chartData().points(), 100);
        QCOMPARE(chartData().value(0), -99999.0f);
        QCOMPARE(chartData().label(0), QStringLiteral(" "));
    }
};

QTEST_MAIN(TestViewer)
#include "tst_Viewer.moc"
