// Start-up and exit of the whole program: the window set, the settings file,
// the port probe and the port opened at start-up, on pseudo-terminals.

#include "app/Globalvar.h"
#include "app/Main4.h"
#include "app/Startup.h"
#include "platform/SystemMetrics.h"
#include "platform/Tiling.h"
#include "platform/WindowPlacement.h"
#include "recorder/Graphicalrecord.h"
#include "tests/support/TestRun.h"
#include "views/Analogmeter.h"
#include "views/Comparator.h"
#include "views/Datapagelist.h"
#include "views/Digitalmeter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <clocale>
#include <memory>
#include <optional>

using namespace orvel;
using namespace orvel::test;

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

    // One run of the program in a fresh start-up folder with no real ports.
    std::unique_ptr<TestRun> run;

    ScriptedPrompt &asked() const { return run->asked(); }
    QString iniPath() const { return run->filePath(QStringLiteral("ZEVDL.ini")); }

    /// Closes the main window as the user would; the settings are written then.
    static void exitProgram()
    {
        QVERIFY(FormMain);
        QVERIFY(FormMain->close());
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        run = std::make_unique<TestRun>();
        QCOMPARE(QDir::currentPath(), run->folder());
    }

    void cleanup()
    {
        setPauseFunction(nullptr);
        run.reset();
    }

    // The window set as it starts: fifteen windows in order, the main strip along
    // the top of the screen, and the views placed from what the windows before
    // them settled.
    void startsFifteenWindowsStackedUnderTheMainStrip()
    {
        PseudoTerminal pty;
        run->ports.route(4, pty.path());
        writeFile(iniPath(), "iPort=4\r\nfHiLimit=12.5\r\nfLowLimit=-2\r\n");
        WindowSet windows;
        const QStringList expected{"orvel::TFormMain",         "orvel::TDlgRsPortForm",    "orvel::TDlgAboutForm",
                                   "orvel::TAutoMsgForm",      "orvel::TDigitalMeterForm", "orvel::TAnalogMeterForm",
                                   "orvel::TDataPageListForm", "orvel::TDlgHiLowForm",     "orvel::TComparatorForm",
                                   "orvel::TGraphicalForm",    "orvel::TDialogOption",     "orvel::TFormViewGraphic",
                                   "orvel::TDlgFitExportForm", "orvel::TMsgForm",          "orvel::TDlgExportForm"};
        QStringList classes;
        QStringList shown;
        for (QWidget *w : windows.windows()) {
            classes << QString::fromLatin1(w->metaObject()->className());
            QVERIFY(w->isWindow());
            if (w->isVisible())
                shown << QString::fromLatin1(w->metaObject()->className());
        }
        QCOMPARE(classes, expected);
        QCOMPARE(shown, (QStringList{"orvel::TFormMain", "orvel::TDigitalMeterForm", "orvel::TAnalogMeterForm",
                                     "orvel::TDataPageListForm", "orvel::TGraphicalForm"}));
        // One global reference per class, pointing at the window of the set.
        QCOMPARE(static_cast<QWidget *>(FormMain), windows.windows().at(0));
        QCOMPARE(static_cast<QWidget *>(GraphicalForm), windows.windows().at(9));

        // The main window: title, icon and the strip along the top of the screen.
        QCOMPARE(FormMain->windowTitle(), QStringLiteral("Orvel Data Logging System"));
        QCOMPARE(QApplication::applicationName(), FormMain->windowTitle());
        QCOMPARE(QApplication::applicationDisplayName(), FormMain->windowTitle());
        QVERIFY(!FormMain->windowIcon().isNull());
        QVERIFY(!QApplication::windowIcon().isNull());
        QVERIFY(!(FormMain->windowFlags() & Qt::WindowMaximizeButtonHint));

        const QSize screen = primaryScreenSize();
        const int m = mainStripHeight(FormMain->metrics());
        QCOMPARE(FormMain->stripHeight(), m);
        QCOMPARE(outerGeometry(FormMain), QRect(0, 0, screen.width(), m));
        QCOMPARE(FormMain->frameGeometry().topLeft(), QPoint(0, 0));
        QCOMPARE(FormMain->frameGeometry().width(), screen.width());
        QVERIFY(!FormMain->Acquisition->TimerGetSd.isActive());
        QCOMPARE(FormMain->Acquisition->TimerGetSd.interval(), 500);

        // The views, each placed from what the windows before it settled.
        QCOMPARE(DigitalMeterForm->frameGeometry().topLeft(), QPoint(0, m));
        QCOMPARE(DigitalMeterForm->windowTitle(), QStringLiteral("Digital Meter : COM 4"));
        QCOMPARE(AnalogMeterForm->frameGeometry().top(), m + outerGeometry(DigitalMeterForm).height());
        QCOMPARE(DataPageListForm->frameGeometry().top(),
                 m + outerGeometry(DigitalMeterForm).height() + outerGeometry(AnalogMeterForm).height());
        QCOMPARE(GraphicalForm->frameGeometry().topLeft(), QPoint(screen.width() / 4, m));
        QCOMPARE(AnalogMeterForm->windowTitle(), QStringLiteral("Analog Meter"));
        QCOMPARE(DataPageListForm->windowTitle(), QStringLiteral("Data list"));
        QCOMPARE(GraphicalForm->windowTitle(), QStringLiteral("Graphical Recorder"));
        // The comparator took the limits that were loaded before it was created.
        QCOMPARE(ComparatorForm->hiLimit(), 12.5);
        QCOMPARE(ComparatorForm->lowLimit(), -2.0);
        exitProgram();
    }

    void loadsSettingsOpensThePortAndWritesExactlyThreeLinesAtExit()
    {
        PseudoTerminal pty;
        run->ports.route(3, pty.path());
        writeFile(iniPath(), "# written by hand\r\niport=3\r\nFHILIMIT=12.5\r\nfLowLimit=-2\r\nextra=1\r\n");
        {
            WindowSet windows;
            QVERIFY2(asked().messages.isEmpty(), qPrintable(asked().captions().join(',')));
            QCOMPARE(programState().SelectedPort, 3);
            QCOMPARE(programState().HiLimit, 12.5);
            QCOMPARE(programState().LowLimit, -2.0);
            QVERIFY(programState().hComPort != nullptr);
            QCOMPARE(programState().hComPort->path(), pty.path());
            QCOMPARE(programState().WorkDir, run->folder());

            // The settings file is written first, then the port is closed.
            QByteArray fileAtClose;
            bool portOpenAtClose = false;
            setPauseFunction([&](int) {
                fileAtClose = readFile(iniPath());
                portOpenAtClose = !ProbeComPort(3);
            });
            exitProgram();
            QCOMPARE(fileAtClose, QByteArray("iPort=3\r\nfHiLimit=12.5\r\nfLowLimit=-2\r\n"));
            QVERIFY(portOpenAtClose);
            QVERIFY(programState().hComPort == nullptr);
        }
        QCOMPARE(readFile(iniPath()), QByteArray("iPort=3\r\nfHiLimit=12.5\r\nfLowLimit=-2\r\n"));
        QVERIFY(ProbeComPort(3));
    }

    void unopenablePortWarnsAfterTheOpenError()
    {
        writeFile(iniPath(), "iPort=5\r\nfHiLimit=1\r\nfLowLimit=0\r\n");
        WindowSet windows;
        QCOMPARE(asked().captions(), (QStringList{"Error[E9001]", "Warning[W8001]"}));
        const MessageRequest &w = asked().messages[1];
        QCOMPARE(w.text, QStringLiteral("You must select a valid COM port before linking to the DMM."));
        QCOMPARE(w.icon, PromptIcon::Exclamation);
        QCOMPARE(w.buttons, QList<PromptButton>{PromptButton::Ok});
        QVERIFY(programState().hComPort == nullptr);
        QVERIFY2(FormMain->isVisible(), "start-up goes on unlinked");
        asked().messages.clear();
        exitProgram();
        QVERIFY2(asked().messages.isEmpty(), "closing without a port shows nothing");
        QCOMPARE(readFile(iniPath()), QByteArray("iPort=5\r\nfHiLimit=1\r\nfLowLimit=0\r\n"));
    }

    // A missing file, or one value in it the program cannot take, gives the
    // fallbacks for all three; the port is opened all the same.
    void missingFileOrMalformedValueGivesAllThreeFallbacks_data()
    {
        QTest::addColumn<bool>("written");
        QTest::addColumn<QByteArray>("content");
        QTest::addRow("missing file") << false << QByteArray();
        QTest::addRow("letters") << true << QByteArray("iPort=4\r\nfHiLimit=abc\r\nfLowLimit=1\r\n");
        QTest::addRow("blanks around =") << true << QByteArray("iPort = 4\r\nfHiLimit=5\r\nfLowLimit=1\r\n");
        QTest::addRow("port 9") << true << QByteArray("iPort=9\r\nfHiLimit=5\r\nfLowLimit=1\r\n");
        QTest::addRow("comma decimal") << true << QByteArray("iPort=4\r\nfHiLimit=2,5\r\nfLowLimit=1\r\n");
        QTest::addRow("empty file") << true << QByteArray();
    }

    void missingFileOrMalformedValueGivesAllThreeFallbacks()
    {
        QFETCH(bool, written);
        QFETCH(QByteArray, content);
        PseudoTerminal pty;
        run->ports.route(2, pty.path());
        if (written)
            writeFile(iniPath(), content);
        else
            QVERIFY(!QFile::exists(iniPath()));
        WindowSet windows;
        QVERIFY2(asked().messages.isEmpty(), qPrintable(asked().captions().join(',')));
        QCOMPARE(programState().SelectedPort, 2);
        QCOMPARE(programState().HiLimit, 300.0);
        QCOMPARE(programState().LowLimit, 100.0);
        QVERIFY(programState().hComPort != nullptr);
        exitProgram();
        QCOMPARE(readFile(iniPath()), QByteArray("iPort=2\r\nfHiLimit=300\r\nfLowLimit=100\r\n"));
    }

    void portProbeMarksPortsThatOpen()
    {
        PseudoTerminal a, b;
        run->ports.route(3, a.path());
        run->ports.route(6, b.path());
        writeFile(iniPath(), "iPort=3\r\nfHiLimit=1\r\nfLowLimit=0\r\n");
        WindowSet windows;
        const std::array<bool, 8> expected{false, false, true, false, false, true, false, false};
        QCOMPARE(programState().PortPresent, expected);
        exitProgram();
    }

    void unwritableSettingsFileIsReportedAndExitGoesOn()
    {
        PseudoTerminal pty;
        run->ports.route(2, pty.path());
        // A folder where the file should be: it can be neither read nor replaced.
        QVERIFY(QDir(run->folder()).mkdir(QStringLiteral("ZEVDL.ini")));
        WindowSet windows;
        QVERIFY(asked().messages.isEmpty());
        QVERIFY(programState().hComPort != nullptr);
        bool closedPort = false;
        setPauseFunction([&](int) { closedPort = true; });
        exitProgram();
        QCOMPARE(asked().messages.size(), 1);
        const MessageRequest &m = asked().messages[0];
        QCOMPARE(m.caption, QStringLiteral("Orvel Data Logging System"));
        QCOMPARE(m.text, QStringLiteral("Cannot create file ") + iniPath());
        QCOMPARE(m.icon, PromptIcon::Stop);
        QVERIFY(closedPort);
        QVERIFY(programState().hComPort == nullptr);
    }

    void startUpFolderOfAnyLength()
    {
        QString deep = run->folder();
        for (int i = 0; i < 12; ++i)
            deep += QStringLiteral("/a-rather-long-folder-name-%1").arg(i);
        QVERIFY(deep.size() > 300);
        QVERIFY(QDir().mkpath(deep));
        QVERIFY(QDir::setCurrent(deep));
        writeFile(deep + "/ZEVDL.ini", "iPort=6\r\nfHiLimit=7\r\nfLowLimit=3\r\n");
        WindowSet windows;
        QCOMPARE(programState().WorkDir, deep);
        QCOMPARE(programState().SelectedPort, 6);
        exitProgram();
        QCOMPARE(readFile(deep + "/ZEVDL.ini"), QByteArray("iPort=6\r\nfHiLimit=7\r\nfLowLimit=3\r\n"));
    }

    void commaLocaleKeepsPointDecimals()
    {
        const std::string previous = std::setlocale(LC_ALL, nullptr);
        const bool haveCommaLocale = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        writeFile(iniPath(), "iPort=1\r\nfHiLimit=2.5\r\nfLowLimit=-0.75\r\n");
        {
            WindowSet windows;
            QCOMPARE(programState().HiLimit, 2.5);
            QCOMPARE(programState().LowLimit, -0.75);
            exitProgram();
        }
        QLocale::setDefault(QLocale::c());
        std::setlocale(LC_ALL, previous.c_str());
        QCOMPARE(readFile(iniPath()), QByteArray("iPort=1\r\nfHiLimit=2.5\r\nfLowLimit=-0.75\r\n"));
        if (!haveCommaLocale)
            QSKIP("de_DE.UTF-8 is not installed; only Qt's default locale was switched");
    }
};

QTEST_MAIN(TestStartup)
#include "tst_Startup.moc"
