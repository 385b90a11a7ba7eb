// The data list: one line per stored reading, 32000 lines a sheet, a reset back
// to one empty sheet, and nothing read past the end of the buffer.

#include "app/Globalvar.h"
#include "app/Main4.h"
#include "app/Startup.h"
#include "base/Messages.h"
#include "meter/MeterReading.h"
#include "recorder/Graphicalrecord.h"
#include "tests/support/WindowsRun.h"
#include "views/Datapagelist.h"

#include <QListView>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

#include <memory>

using namespace orvel;
using namespace orvel::test;

namespace {

/// Stores `n` more readings and lists each as the recorder does (the test
/// plays the recorder's part: the recorder window does not hear of them).
void record(int n)
{
    TMeterReading r;
    r.sValue = r.szDisplay = QStringLiteral("1.234");
    r.sExponent = QStringLiteral("0");
    r.iFunction = 6;
    r.szUnit = QStringLiteral("V");
    for (int k = 0; k < n; ++k)
        SendMessage(DataPageListForm, UM_LIST_ADD, int(recording().takeSample(r, QTime(9, 5, 3, 456)).index));
}

QStringList tabCaptions()
{
    QStringList captions;
    for (int i = 0; i < DataPageListForm->PageControl->count(); ++i)
        captions << DataPageListForm->PageControl->tabText(i);
    return captions;
}

} // namespace

class TestDataList : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowsRun> run;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        run = std::make_unique<WindowsRun>();
        QObject::disconnect(&recording(), nullptr, GraphicalForm, nullptr);
    }

    void cleanup() { run.reset(); }

    void lineIsMadeFromTheBufferWhenShown()
    {
        record(2);
        QCOMPARE(DataPageListForm->lineText(1, 1), QStringLiteral("2,  9:05:03.4  ,1.234V"));
        const QAbstractItemModel *model = DataPageListForm->dataList(1)->model();
        QCOMPARE(model->data(model->index(1, 0)).toString(), DataPageListForm->lineText(1, 1));
        QCOMPARE(DataPageListForm->lineText(1, 2), QString());
    }

    void sheetHoldsThirtyTwoThousandLinesThenTheNextOneShows()
    {
        record(32000);
        QCOMPARE(DataPageListForm->lineCount(1), 32000);
        QVERIFY(DataPageListForm->lineText(1, 31999).startsWith(QLatin1String("32000,")));

        record(1);
        QCOMPARE(DataPageListForm->lineCount(1), 32000);
        QCOMPARE(DataPageListForm->lineCount(2), 1);
        QVERIFY(DataPageListForm->lineText(2, 0).startsWith(QLatin1String("32001,")));
        QCOMPARE(tabCaptions(), (QStringList{QStringLiteral("Sheet1"), QStringLiteral("Sheet2")}));
        QCOMPARE(DataPageListForm->PageControl->currentIndex(), 1);
        QCOMPARE(DataPageListForm->PageControl->widget(1)->objectName(), QStringLiteral("tsSheet2"));
        QCOMPARE(DataPageListForm->PageControl->widget(1)->findChild<QListView *>(QStringLiteral("DataList")),
                 DataPageListForm->dataList(2));

        // Looking back at Sheet1 lasts until the next line arrives.
        DataPageListForm->PageControl->setCurrentIndex(0);
        record(1);
        QCOMPARE(DataPageListForm->PageControl->currentIndex(), 1);
        // The newest line is selected once the event loop runs.
        QTRY_COMPARE(DataPageListForm->dataList(2)->currentIndex().row(), 1);
        QVERIFY(DataPageListForm->dataList(2)->selectionModel()->isRowSelected(1, QModelIndex()));
    }

    void resetOnTheTenthSheetLeavesOneEmptySheet1()
    {
        record(9 * 32000 + 5);
        QCOMPARE(DataPageListForm->sheetCount(), 10);
        QCOMPARE(DataPageListForm->PageControl->currentIndex(), 9);

        SendMessage(DataPageListForm, UM_LIST_RESET);
        QCOMPARE(tabCaptions(), QStringList{QStringLiteral("Sheet1")});
        QCOMPARE(DataPageListForm->currentSheet(), 1);
        QCOMPARE(DataPageListForm->lineCount(1), 0);
        QCOMPARE(DataPageListForm->PageControl->currentIndex(), 0);
        QCoreApplication::processEvents(); // a queued selection must not touch the sheets that went

        // A loaded file fills the buffer again from index 0: numbering restarts at 1.
        recording().clear();
        record(2);
        QCOMPARE(DataPageListForm->lineText(1, 0), QStringLiteral("1,  9:05:03.4  ,1.234V"));
    }

    void indexOutsideTheBufferIsIgnored()
    {
        record(2);
        for (int index : {2, 1000, -1})
            SendMessage(DataPageListForm, UM_LIST_ADD, index);
        QCOMPARE(DataPageListForm->lineCount(1), 2);

        // Lines whose records left the buffer (cleared, list not yet reset) paint empty.
        recording().clear();
        QCOMPARE(DataPageListForm->lineText(1, 0), QString());
        DataPageListForm->dataList(1)->grab();
        QVERIFY(run->asked().messages.isEmpty());
    }
};

QTEST_MAIN(TestDataList)
#include "tst_DataList.moc"
