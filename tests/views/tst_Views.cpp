// The analog meter and the comparator: needles drawn where the geometry says,
// the scale chosen by function, the alarm tones, the limit dialog.

#include "app/Globalvar.h"
#include "app/Main4.h"
#include "app/Startup.h"
#include "base/Messages.h"
#include "meter/FrameDecoder.h"
#include "meter/Needle.h"
#include "platform/Tone.h"
#include "tests/support/TestRun.h"
#include "views/Analogmeter.h"
#include "views/Comparator.h"
#include "views/Dlghilow.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSemaphore>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <cmath>
#include <memory>

using namespace orvel;
using namespace orvel::test;

namespace {

// Share of the points of the needle line from radius `from` to `to` that are dark.
double darkShareAlong(const QImage &img, QPoint pivot, double angle, int from, int to)
{
    int darkCount = 0, total = 0;
    for (int r = from; r <= to; ++r) {
        const QPoint p = pivot + needleEnd(angle, r);
        if (!img.rect().contains(p))
            continue;
        ++total;
        // The line is one pixel wide; truncation may put it a pixel aside. Dark: grey below 90.
        bool any = false;
        for (int dx = -1; dx <= 1 && !any; ++dx)
            for (int dy = -1; dy <= 1 && !any; ++dy)
                any = img.rect().contains(p + QPoint(dx, dy)) && qGray(img.pixel(p + QPoint(dx, dy))) < 90;
        darkCount += any;
    }
    return total ? double(darkCount) / total : 0.0;
}

AnalogValues analog(int function, int reading, int scaleEnd, int pointPos, bool negative = false)
{
    AnalogValues v;
    v.iFunction = function;
    v.reading = reading;
    v.scaleEnd = scaleEnd;
    v.pointPos = pointPos;
    v.negative = negative;
    v.szUnit = QStringLiteral("V");
    return v;
}

} // namespace

class TestViews : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestRun> run;
    std::unique_ptr<PseudoTerminal> pty;
    std::unique_ptr<WindowSet> windows;
    std::vector<std::pair<int, int>> tones;
    TonePlayer savedPlayer;

    ScriptedPrompt &asked() const { return run->asked(); }

    void showAnalog(const AnalogValues &v)
    {
        AnalogMeterForm->values = v;
        SendMessage(AnalogMeterForm, UM_READING);
    }

    void showComparator(float reading)
    {
        ComparatorForm->values.reading = reading;
        SendMessage(ComparatorForm, UM_READING);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        run = std::make_unique<TestRun>();
        pty = std::make_unique<PseudoTerminal>();
        run->ports.route(2, pty->path());
        windows = std::make_unique<WindowSet>();
        tones.clear();
        savedPlayer = setTonePlayer([this](int hz, int ms) { tones.emplace_back(hz, ms); });
    }

    void cleanup()
    {
        waitForTones();
        setTonePlayer(savedPlayer);
        if (FormMain)
            FormMain->close();
        windows.reset();
        pty.reset();
        run.reset();
    }

    // ---- analog meter -----------------------------------------------------------

    void analogNeedleStandsOnItsLineAndTheOldOneIsGone()
    {
        showAnalog(analog(fn::VoltDC, 3000, 6000, 0));
        QCOMPARE(AnalogMeterForm->fNeedleAngle, 90.0);
        QImage img = AnalogMeterForm->grab().toImage();
        const QPoint pivot = AnalogMeterForm->pivot();
        QCOMPARE(pivot, QPoint(AnalogMeterForm->width() / 2, 132));
        QVERIFY2(darkShareAlong(img, pivot, 90.0, 20, 95) > 0.95, "the needle stands straight up");
        QVERIFY2(darkShareAlong(img, pivot, 150.0, 20, 60) < 0.3, "no needle at zero");

        showAnalog(analog(fn::VoltDC, 6500, 6000, 0));
        QCOMPARE(AnalogMeterForm->fNeedleAngle, 25.0);
        img = AnalogMeterForm->grab().toImage();
        QVERIFY(darkShareAlong(img, pivot, 25.0, 20, 95) > 0.95);
        // Between the label strip (below radius 55) and the scale's "3" (above 68).
        QVERIFY2(darkShareAlong(img, pivot, 90.0, 56, 66) < 0.3, "the old needle disappeared");
    }

    void analogScaleSignAndLabelsFollowTheReading()
    {
        showAnalog(analog(fn::VoltDC, 1234, 6000, 1));
        // The same reading twice changes nothing.
        const int moves = AnalogMeterForm->iNeedleMoves;
        const QImage before = AnalogMeterForm->grab().toImage();
        showAnalog(analog(fn::VoltDC, 1234, 6000, 1));
        QCOMPARE(AnalogMeterForm->iNeedleMoves, moves);
        QCOMPARE(AnalogMeterForm->grab().toImage(), before);
        QCOMPARE(AnalogMeterForm->scalePicture(), 30);
        QCOMPARE(AnalogMeterForm->MultPanel->text(), QStringLiteral("x10"));
        AnalogValues ohms = analog(fn::Ohm, 4700, 6000, 3);
        ohms.szUnit = QStringLiteral("W");
        ohms.szPrefix = QStringLiteral("K");
        showAnalog(ohms);
        QCOMPARE(AnalogMeterForm->scalePicture(), 30);
        QCOMPARE(AnalogMeterForm->FuncPanel->text(), QStringLiteral("Ω"));
        QCOMPARE(AnalogMeterForm->MultPanel->text(), QStringLiteral("x1000"));
        showAnalog(analog(fn::Frequency, 5000, 10000, 1));
        QCOMPARE(AnalogMeterForm->scalePicture(), 13);
        showAnalog(analog(fn::Celsius, 25, 2000, 2));
        QCOMPARE(AnalogMeterForm->scalePicture(), 15);

        // A negative reading moves the needle like the positive one and shows the blue minus.
        showAnalog(analog(fn::VoltDC, 3000, 6000, 0, true));
        QCOMPARE(AnalogMeterForm->fNeedleAngle, 90.0);
        const QImage img = AnalogMeterForm->grab().toImage();
        const QLabel *strip = AnalogMeterForm->MultPanel;
        const QPoint signCentre(strip->parentWidget()->x() - 16 + 5, strip->parentWidget()->y() + 20 - 11 + 5);
        const QColor minusSquare = img.pixelColor(signCentre + QPoint(0, -4));
        QVERIFY2(minusSquare.blue() > 150 && minusSquare.red() < 100, qPrintable(minusSquare.name()));
        showAnalog(analog(fn::VoltDC, 3000, 6000, 0, false));
        const QColor plusSquare = AnalogMeterForm->grab().toImage().pixelColor(signCentre + QPoint(-4, -4));
        QVERIFY2(plusSquare.red() > 150 && plusSquare.blue() < 100, qPrintable(plusSquare.name()));
    }

    // ---- comparator ---------------------------------------------------------------

    void comparatorShowsItsLimitsAndItsNeedleFollowsThem()
    {
        ComparatorForm->setLimits(12.5, -0.001);
        QCOMPARE(ComparatorForm->HiLimitPanel->text(), QStringLiteral("12.5"));
        QCOMPARE(ComparatorForm->LowLimitPanel->text(), QStringLiteral("-0.001"));
        QCOMPARE(programState().HiLimit, 12.5);
        QCOMPARE(programState().LowLimit, -0.001);

        FormMain->sbtnComparatorClick();
        ComparatorForm->setLimits(10, 0);
        showComparator(5.0f);
        QCOMPARE(ComparatorForm->fNeedleAngle, 90.0);
        QImage img = ComparatorForm->grab().toImage();
        const QPoint pivot = ComparatorForm->pivot();
        QCOMPARE(pivot, QPoint(ComparatorForm->width() / 2, 99));
        QVERIFY(darkShareAlong(img, pivot, 90.0, 15, 68) > 0.95);
        QVERIFY(darkShareAlong(img, pivot, 130.0, 15, 40) < 0.3);

        showComparator(-100.0f);
        QCOMPARE(ComparatorForm->fNeedleAngle, 130.0);
        QCOMPARE(ComparatorForm->fPrevNeedleAngle, 90.0);
        img = ComparatorForm->grab().toImage();
        QVERIFY(darkShareAlong(img, pivot, 130.0, 15, 68) > 0.95);
        QVERIFY(darkShareAlong(img, pivot, 90.0, 15, 40) < 0.3);
    }

    void alarmSoundsOutsideTheLimitsOnly()
    {
        FormMain->sbtnComparatorClick();
        ComparatorForm->setLimits(10, 0);
        showComparator(10.5f);
        QVERIFY2(tones.empty(), "the alarm is off at start");
        const double angle = ComparatorForm->fNeedleAngle;
        ComparatorForm->bbtnAlart->click();
        QCOMPARE(ComparatorForm->bbtnAlart->text(), QStringLiteral("ON"));
        QCOMPARE(ComparatorForm->fNeedleAngle, angle); // switching does not move the needle
        for (float v : {10.5f, -0.5f, 10.0f, 0.0f, 5.0f})
            showComparator(v);
        waitForTones();
        QCOMPARE(tones, (std::vector<std::pair<int, int>>{{1047, 100}, {523, 100}}));
        ComparatorForm->bbtnAlart->click();
        QCOMPARE(ComparatorForm->bbtnAlart->text(), QStringLiteral("OFF"));
        showComparator(50.0f);
        waitForTones();
        QCOMPARE(tones.size(), std::size_t(2));
    }

    void alarmToneLetsTheWindowsGoOn()
    {
        FormMain->sbtnComparatorClick();
        ComparatorForm->setLimits(10, 0);
        ComparatorForm->bbtnAlart->click();
        QCoreApplication::processEvents(); // the comparator is on screen, its needle at rest
        QSemaphore started, release;
        std::atomic<bool> sounding = false;
        std::atomic<int> played = 0;
        setTonePlayer([&](int, int) {
            sounding = true;
            started.release();
            release.tryAcquire(1, 5000); // a sound card takes its time; this one until the test lets it go
            sounding = false;
            ++played;
        });

        showComparator(20.0f);
        // The needle stands at its new place on screen before the tone.
        const QImage screen = ComparatorForm->screen()->grabWindow(ComparatorForm->winId()).toImage();
        const QPoint pivot = ComparatorForm->pivot();
        QVERIFY2(darkShareAlong(screen, pivot, 50.0, 15, 68) > 0.95, "needle painted before the tone");
        QVERIFY2(darkShareAlong(screen, pivot, 130.0, 15, 40) < 0.3, "and gone from where it rested");
        bool ran = false;
        QTimer::singleShot(0, [&ran] { ran = true; });
        QCoreApplication::processEvents();
        QVERIFY(ran);
        QVERIFY(started.tryAcquire(1, 5000));
        QVERIFY2(sounding, "a queued event ran while the tone sounded");

        // Alarms while a tone sounds do not pile up: one waits, older waiting ones are dropped.
        for (int i = 0; i < 3; ++i)
            showComparator(i % 2 ? 20.0f : -10.0f);
        release.release(10);
        waitForTones();
        QCOMPARE(played.load(), 2);
    }

    // ---- limit dialog ---------------------------------------------------------------

    void limitDialogAcceptsOrderedLimitsAndKeepsThem()
    {
        ComparatorForm->setLimits(10, 0);
        QTimer::singleShot(0, [] {
            QCOMPARE(DlgHiLowForm->mkeHiLimit->text(), QStringLiteral("10"));
            DlgHiLowForm->mkeHiLimit->setText(QStringLiteral("20"));
            DlgHiLowForm->mkeLowLimit->setText(QStringLiteral("5.5"));
            DlgHiLowForm->bbtnOk->click();
        });
        ComparatorForm->bbtnHiLowLimit->click();
        QCOMPARE(ComparatorForm->hiLimit(), 20.0);
        QCOMPARE(ComparatorForm->lowLimit(), 5.5);
        QCOMPARE(programState().HiLimit, 20.0);
        QVERIFY(asked().messages.isEmpty());
        FormMain->close();
        QFile ini(run->filePath("ZEVDL.ini"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll(), QByteArray("iPort=2\r\nfHiLimit=20\r\nfLowLimit=5.5\r\n"));
    }

    void limitDialogRefusesWrongEntries()
    {
        ComparatorForm->setLimits(10, 0);
        QTimer::singleShot(0, [this] {
            // Equal limits cannot be confirmed.
            DlgHiLowForm->mkeHiLimit->setText(QStringLiteral("3"));
            DlgHiLowForm->mkeLowLimit->setText(QStringLiteral("3"));
            DlgHiLowForm->bbtnOk->click();
            QVERIFY(DlgHiLowForm->isVisible());
            // Not a number: refused, the stored limit stays.
            DlgHiLowForm->mkeHiLimit->setText(QStringLiteral("abc"));
            DlgHiLowForm->bbtnOk->click();
            QVERIFY(DlgHiLowForm->isVisible());
            QCOMPARE(DlgHiLowForm->fHiLimit, 3.0);
            // An emptied entry keeps its stored limit and shows it again.
            DlgHiLowForm->mkeHiLimit->clear();
            DlgHiLowForm->mkeLowLimit->setText(QStringLiteral("1"));
            DlgHiLowForm->bbtnOk->click();
            QCOMPARE(DlgHiLowForm->mkeHiLimit->text(), QStringLiteral("3"));
            QCOMPARE(asked().captions(), (QStringList{"Error[E9008]", "Error[E9007]"}));
        });
        ComparatorForm->bbtnHiLowLimit->click();
        QCOMPARE(ComparatorForm->hiLimit(), 3.0);
        QCOMPARE(ComparatorForm->lowLimit(), 1.0);
        QCOMPARE(asked().messages[0].text, QStringLiteral("Limit setting is unacceptable."));
        QCOMPARE(asked().messages[0].icon, PromptIcon::Stop);
        QCOMPARE(asked().messages[1].text, QStringLiteral("Not a valid floating point value !"));
    }

    void limitDialogRefusesUnholdableLimitsAndCancelKeepsThem()
    {
        ComparatorForm->setLimits(10, 0);
        QTimer::singleShot(0, [] {
            const std::pair<QLineEdit *, const char *> entries[] = {{DlgHiLowForm->mkeHiLimit, "1E39"},
                                                                    {DlgHiLowForm->mkeLowLimit, "-1E39"},
                                                                    {DlgHiLowForm->mkeHiLimit, "1E-40"},
                                                                    {DlgHiLowForm->mkeLowLimit, "-1E-40"}};
            for (const auto &[entry, text] : entries) {
                DlgHiLowForm->FormPaint(); // both entries back at the stored limits
                entry->setText(QString::fromLatin1(text));
                DlgHiLowForm->bbtnOk->click();
                QVERIFY2(DlgHiLowForm->isVisible(), text);
            }
            // Cancel copies nothing back.
            DlgHiLowForm->mkeHiLimit->setText(QStringLiteral("99"));
            DlgHiLowForm->bbtnCancel->click();
        });
        ComparatorForm->bbtnHiLowLimit->click();
        QCOMPARE(asked().captions(), QStringList(4, QStringLiteral("Error[E9007]")));
        QCOMPARE(ComparatorForm->hiLimit(), 10.0);
        QCOMPARE(ComparatorForm->lowLimit(), 0.0);
        QCOMPARE(programState().HiLimit, 10.0);
    }
};

QTEST_MAIN(TestViews)
#include "tst_Views.moc"
