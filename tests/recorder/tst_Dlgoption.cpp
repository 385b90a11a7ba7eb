// The acquisition interval dialog: what a showing prepares, the mode buttons,
// and the interval typed under "Customization...".

#include "recorder/Dlgoption.h"
#include "tests/support/ScriptedPrompt.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTest>

using namespace orvel;
using namespace orvel::test;

class TestDlgOption : public QObject
{
    Q_OBJECT

private slots:
    void showingTakesTheMembersWithoutAsking_data()
    {
        QTest::addColumn<bool>("manual");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("item");
        QTest::newRow("automatic, every 10 s") << false << 10 << 1;
        QTest::newRow("automatic, full speed") << false << 0 << 0;
        QTest::newRow("manual") << true << 10 << 1;
    }
    void showingTakesTheMembersWithoutAsking()
    {
        QFETCH(bool, manual);
        QFETCH(int, seconds);
        QFETCH(int, item);
        ScopedPrompt prompt;
        TDialogOption dlg;
        dlg.bManualChosen = manual;
        dlg.iIntervalSeconds = seconds;
        dlg.show();
        QCOMPARE(dlg.rbtnManual->isChecked(), manual);
        QCOMPARE(dlg.rbtnAutomatic->isChecked(), !manual);
        QCOMPARE(dlg.cbxInterval->isEnabled(), !manual);
        QCOMPARE(dlg.cbxInterval->currentIndex(), item);
        QVERIFY(prompt->inputRequests.isEmpty());
    }

    void modeButtonsDisableAndEnableTheList()
    {
        ScopedPrompt prompt;
        TDialogOption dlg;
        dlg.show();
        dlg.rbtnManual->click();
        QVERIFY(dlg.bManualChosen);
        QVERIFY(!dlg.cbxInterval->isEnabled());
        dlg.rbtnAutomatic->click();
        QVERIFY(!dlg.bManualChosen);
        QVERIFY(dlg.cbxInterval->isEnabled());
    }

    void chosenIntervalIsAskedUntilUsable_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("offered"); // default text of each input box
        QTest::addColumn<int>("boxes");           // Error[E9007] boxes
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("item");

        QTest::newRow("number") << 10 << 1 << QStringList{"25"} << QStringList{"10"} << 0 << 25 << 1;
        QTest::newRow("zero") << 10 << 1 << QStringList{"0"} << QStringList{"10"} << 0 << 0 << 1;
        QTest::newRow("cancel keeps") << 7 << 1 << QStringList{} << QStringList{"7"} << 0 << 7 << 1;
        QTest::newRow("negative asked again")
            << 10 << 1 << QStringList{"-3", "5"} << QStringList{"10", "-3"} << 1 << 5 << 1;
        QTest::newRow("milliseconds overflow asked again")
            << 10 << 1 << QStringList{"3000000", "60"} << QStringList{"10", "3000000"} << 1 << 60 << 1;
        QTest::newRow("not a number keeps 10") << 10 << 1 << QStringList{"abc"} << QStringList{"10"} << 1 << 10 << 1;
        QTest::newRow("not a number keeps full speed")
            << 0 << 1 << QStringList{"abc"} << QStringList{"0"} << 1 << 0 << 0;
        QTest::newRow("not a number after a refusal asks again")
            << 10 << 1 << QStringList{"-3", "abc", "4"} << QStringList{"10", "-3", "-3"} << 2 << 4 << 1;
        QTest::newRow("full speed asks nothing") << 10 << 0 << QStringList{} << QStringList{} << 0 << 0 << 0;
    }
    void chosenIntervalIsAskedUntilUsable()
    {
        QFETCH(int, before);
        QFETCH(int, chosen);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, offered);
        QFETCH(int, boxes);
        QFETCH(int, seconds);
        QFETCH(int, item);
        ScopedPrompt prompt;
        prompt->inputAnswers = typed;
        TDialogOption dlg;
        dlg.iIntervalSeconds = before;
        dlg.show();

        dlg.cbxInterval->setCurrentIndex(chosen); // as the user picks it
        emit dlg.cbxInterval->activated(chosen);

        QStringList defaults;
        for (const InputRequest &r : prompt->inputRequests) {
            QCOMPARE(r.caption, QStringLiteral("Interval in second(s)"));
            QCOMPARE(r.prompt, QStringLiteral("Input an integer value ? "));
            defaults << r.defaultText;
        }
        QCOMPARE(defaults, offered);
        QCOMPARE(prompt->captions(), QStringList(boxes, QStringLiteral("Error[E9007]")));
        QCOMPARE(dlg.iIntervalSeconds, seconds);
        QCOMPARE(dlg.cbxInterval->currentIndex(), item);

        // The next showing shows the interval kept: 0 as "Full Speed".
        dlg.hide();
        dlg.show();
        QCOMPARE(dlg.cbxInterval->currentIndex(), seconds != 0 ? 1 : 0);
        QCOMPARE(prompt->inputRequests.size(), offered.size());
    }
};

QTEST_MAIN(TestDlgOption)
#include "tst_Dlgoption.moc"
