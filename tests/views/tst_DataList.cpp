// The data list: one line per stored reading, 32000 lines a sheet, a reset back
// to one empty sheet, and nothing read past the end of the buffer. It and the
// digital meter are made from the core objects alone, without the main window.

#include "base/Messages.h"
#include "meter/MeterReading.h"
#include "platform/SystemMetrics.h"
#include "platform/Tiling.h"
#include "tests/support/CoreObjects.h"
#include "tests/support/Records.h"
#include "tests/support/TestRun.h"
#include "views/Datapagelist.h"
#include "views/Digitalmeter.h"

#include <QLabel>
#include <QScreen>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

#include <memory>

using namespace orvel;
using namespace orvel::test;

namespace {

std::unique_ptr<CoreObjects> core;
TDataPageListForm *list = nullptr;

/// Stores `n` more readings and lists each as the recorder does (the test
/// plays the recorder's part: there is no recorder window).
void record(int n)
{
    const TMeterReading r = voltMeterReading(QStringLiteral("1.234"));
    for (int k = 0; k < n; ++k)
        SendMessage(list, UM_LIST_ADD, int(core->recording.takeSample(r, QTime(9, 5, 3, 456)).index));
}

QStringList tabCaptions()
{
    QStringList captions;
    for (int i = 0; i < list->PageControl->count(); ++i)
        captions << list->PageControl->tabText(i);
    return captions;
}

} // namespace

class TestDataList : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestRun> run;
    std::unique_ptr<TDataPageListForm> form;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        run = std::make_unique<TestRun>();
        core = std::make_unique<CoreObjects>();
        core->placement.stripHeight = 60;
        form = std::make_unique<TDataPageListForm>(core->context);
        list = form.get();
    }

    void cleanup()
    {
        form.reset();
        core.reset();
        run.reset();
    }

    void windowsAreMadeFromTheCoreObjectsAlone()
    {
        // The data list sits below where the strip and the two meters would be.
        const QSize screen = primaryScreenSize();
        const QRect digital = digitalMeterRect(screen.width(), screen.height(), 60);
        const int analog = analogMeterRect(screen.width(), 60, digital.height(), core->placement.metrics).height();
        QCOMPARE(outerGeometry(list).top(), 60 + digital.height() + analog);

        // The digital meter names the shared state's port and shows what it is given.
        core->state.SelectedPort = 4;
        TDigitalMeterForm meter(core->context);
        QCOMPARE(meter.windowTitle(), QStringLiteral("Digital Meter : COM 4"));
        QCOMPARE(outerGeometry(&meter).top(), 60);
        DigitalPanels panels;
        panels.DataPanel = QStringLiteral("1.234");
        panels.FuncPanel = QStringLiteral("V");
        panels.pnlAcDc = QStringLiteral("DC");
        meter.showReading(panels);
        QCOMPARE(meter.DataPanel->text(), QStringLiteral("1.234"));
        QCOMPARE(meter.pnlAcDc->text(), QStringLiteral("DC"));
        core->state.SelectedPort = 7;
        meter.UpdateCaption();
        QCOMPARE(meter.windowTitle(), QStringLiteral("Digital Meter : COM 7"));
    }

    void lineIsMadeFromTheBufferWhenShown()
    {
        record(2);
        QCOMPARE(list->lineText(1, 1), QStringLiteral("2,  9:05:03.4  ,1.234V"));
        const QAbstractItemModel *model = list->dataList(1)->model();
        QCOMPARE(model->data(model->index(1, 0)).toString(), list->lineText(1, 1));
        QCOMPARE(list->lineText(1, 2), QString());
    }

    void sheetHoldsThirtyTwoThousandLinesThenTheNextOneShows()
    {
        record(32000);
        QCOMPARE(list->lineCount(1), 32000);
        QVERIFY(list->lineText(1, 31999).startsWith(QLatin1String("32000,")));
        // The newest line is selected and scrolled to the bottom of the view.
        const DataSheetView *full = list->dataList(1);
        QTRY_COMPARE(full->currentIndex().row(), 31999);
        QCOMPARE(full->indexAt(QPoint(1, full->viewport()->height() - 1)).row(), 31999);
        const int h = full->lineHeight();
        QCOMPARE(full->indexAt(QPoint(1, 0)).row(), (32000 * h - full->viewport()->height()) / h);

        record(1);
        QCOMPARE(list->lineCount(1), 32000);
        QCOMPARE(list->lineCount(2), 1);
        QVERIFY(list->lineText(2, 0).startsWith(QLatin1String("32001,")));
        QCOMPARE(tabCaptions(), (QStringList{QStringLiteral("Sheet1"), QStringLiteral("Sheet2")}));
        QCOMPARE(list->PageControl->currentIndex(), 1);
        QCOMPARE(list->PageControl->widget(1)->objectName(), QStringLiteral("tsSheet2"));
        QCOMPARE(list->PageControl->widget(1)->findChild<DataSheetView *>(QStringLiteral("DataList")),
                 list->dataList(2));

        // Looking back at Sheet1 lasts until the next line arrives.
        list->PageControl->setCurrentIndex(0);
        record(1);
        QCOMPARE(list->PageControl->currentIndex(), 1);
        // The newest line is selected once the event loop runs.
        QTRY_COMPARE(list->dataList(2)->currentIndex().row(), 1);
        QVERIFY(list->dataList(2)->selectionModel()->isRowSelected(1, QModelIndex()));
    }

    // Lines come one at a time: the lines on screen move up by copying their
    // pixels and the scroll bar is painted only when its look changes, yet
    // the screen shows what a whole painting of the sheet shows.
    void appendedLinesShowWhatAWholePaintingShows()
    {
        QVERIFY(QTest::qWaitForWindowExposed(list));
        for (int lines : {1, 1, 30, 1, 1, 400, 1, 1}) {
            record(lines);
            QCoreApplication::processEvents();
            DataSheetView *view = list->dataList(1);
            const QPoint at = view->mapTo(list, QPoint(0, 0));
            const QImage shown = list->screen()
                                     ->grabWindow(list->winId(), at.x(), at.y(), view->width(), view->height())
                                     .toImage()
                                     .convertToFormat(QImage::Format_RGB32);
            const QImage whole = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
            QVERIFY2(shown == whole, qPrintable(QStringLiteral("at %1 lines").arg(list->lineCount(1))));
        }
    }

    void resetOnTheTenthSheetLeavesOneEmptySheet1()
    {
        record(9 * 32000 + 5);
        QCOMPARE(list->sheetCount(), 10);
        QCOMPARE(list->PageControl->currentIndex(), 9);

        SendMessage(list, UM_LIST_RESET);
        QCOMPARE(tabCaptions(), QStringList{QStringLiteral("Sheet1")});
        QCOMPARE(list->currentSheet(), 1);
        QCOMPARE(list->lineCount(1), 0);
        QCOMPARE(list->PageControl->currentIndex(), 0);
        QCoreApplication::processEvents(); // a queued selection must not touch the sheets that went

        // A loaded file fills the buffer again from index 0: numbering restarts at 1.
        core->recording.clear();
        record(2);
        QCOMPARE(list->lineText(1, 0), QStringLiteral("1,  9:05:03.4  ,1.234V"));
    }

    void indexOutsideTheBufferIsIgnored()
    {
        record(2);
        for (int index : {2, 1000, -1})
            SendMessage(list, UM_LIST_ADD, index);
        QCOMPARE(list->lineCount(1), 2);

        // Lines whose records left the buffer (cleared, list not yet reset) paint empty.
        core->recording.clear();
        QCOMPARE(list->lineText(1, 0), QString());
        list->dataList(1)->grab();
        QVERIFY(run->asked().messages.isEmpty());
    }
};

QTEST_MAIN(TestDataList)
#include "tst_DataList.moc"
