// The export dialogs driven as a user would: controls clicked and typed into
// while the dialog is shown, the chooser answered by the scripted prompt, and
// the files, pictures and print-outs that come out checked.

#include "app/Globalvar.h"
#include "app/Main4.h"
#include "app/Startup.h"
#include "chart/ChartExport.h"
#include "chart/PEGraph.h"
#include "export/Dlgexportunit.h"
#include "export/Dlgfitexportunit.h"
#include "meter/FrameDecoder.h"
#include "recorder/Graphicalrecord.h"
#include "tests/support/TestRun.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QtEndian>

#include <functional>
#include <memory>

using namespace orvel;
using namespace orvel::test;

namespace {

// Readings 0, 1, 2, … stored by the recorder as a tick would leave them.
void storeReadings(int n)
{
    TMeterReading &r = FormMain->Acquisition->computation.MeterReading;
    for (int i = 0; i < n; ++i) {
        r.sValue = QString::number(i);
        r.sExponent = QStringLiteral("0");
        r.iFunction = fn::VoltDC;
        r.szDisplay = r.sValue;
        r.szUnit = QStringLiteral("V");
        GraphicalForm->TakeSample();
    }
}

// Runs `show` (which shows `dialog` modally) while `act` works the shown dialog; a dialog
// that `act` left open is cancelled, and that is reported.
bool runDialog(QDialog *dialog, const std::function<void()> &show, const std::function<void()> &act)
{
    bool leftOpen = false;
    QTimer::singleShot(0, dialog, [&] {
        act();
        if (dialog->isVisible()) {
            leftOpen = true;
            dialog->reject();
        }
    });
    show();
    return !leftOpen;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestRun> run;
    std::unique_ptr<WindowSet> windows;

    ScriptedPrompt &asked() { return run->asked(); }

    bool recorderExport(const std::function<void(TDlgExportForm &)> &act)
    {
        TDlgExportForm &d = *DlgExportForm;
        return runDialog(
            &d, [] { GraphicalForm->sbtnExportClick(); }, [&] { act(d); });
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        run = std::make_unique<TestRun>();
        windows = std::make_unique<WindowSet>();
        GraphicalForm->Clock = [] { return QTime(9, 5, 3, 456); };
        programState().ReadingReceived = true;
        run->asked().messages.clear(); // start-up's complaints about the ports are not ours
    }

    void cleanup()
    {
        recording().markSaved();
        windows.reset();
        run.reset();
    }

    void textExportOfPagesAndItsRefusals()
    {
        storeReadings(450);
        TGraphicalForm &g = *GraphicalForm;
        g.sbtnPageUpClick(); // page 2 of 3 shown
        QCOMPARE(recording().state().iShownPage, 2);
        const QString csv = run->filePath(QStringLiteral("out.csv"));

        struct Row
        {
            const char *name;
            std::function<void(TDlgExportForm &)> act;
            int lines;                  ///< lines written; −1: no file
            int firstNumber;            ///< number of the first line
            const char *asked;          ///< caption of the message shown, "" for none
            const char *text = nullptr; ///< its text, when checked
        };
        auto browse = [this, csv](TDlgExportForm &d) {
            asked().fileAnswers = QStringList{csv};
            d.btnBrowse->click();
        };
        auto browseThen = [browse](auto... buttons) { // the file chosen, then `buttons` clicked in turn
            return [=](TDlgExportForm &d) {
                browse(d);
                ((d.*buttons)->click(), ...);
            };
        };
        auto pages = [browse](const char *from, const char *to) {
            return [browse, from, to](TDlgExportForm &d) {
                browse(d);
                d.rbtnPage->click();
                d.editPageFrom->setText(QString::fromLatin1(from));
                d.editPageTo->setText(QString::fromLatin1(to));
                d.btnExport->click();
            };
        };
        const Row rows[] = {
            {"all pages", browseThen(&TDlgExportForm::rbtnPageAll, &TDlgExportForm::btnExport), 450, 1, ""},
            {"this page", browseThen(&TDlgExportForm::btnExport), 200, 51, ""},
            {"pages 1 to 1", pages("1", "1"), 50, 1, ""},
            {"from after to", pages("3", "2"), 0, 0, ""},
            {"no name", [](TDlgExportForm &d) { d.btnExport->click(); }, -1, 0, "Error[E9013]"},
            {"not an integer", pages("1", "x"), -1, 0, "Orvel Data Logging System", "'x' is not a valid integer value"},
            {"page 0", pages("0", "2"), -1, 0, "Error[E2062]"},
            {"page 4", pages("2", "4"), -1, 0, "Error[E2062]"},
            {"cancelled", browseThen(&TDlgExportForm::btnCancel), -1, 0, ""},
        };
        for (const Row &row : rows) {
            QFile::remove(csv);
            asked().messages.clear();
            asked().fileRequests.clear();
            QVERIFY2(recorderExport(row.act), row.name);
            QCOMPARE(asked().captions(), *row.asked ? QStringList{row.asked} : QStringList{});
            if (row.text)
                QCOMPARE(asked().messages.first().text, QString::fromLatin1(row.text));
            if (row.lines < 0) {
                QVERIFY2(!QFile::exists(csv), row.name);
                continue;
            }
            const QByteArray text = readAll(csv);
            QCOMPARE(text.count("\r\n"), row.lines);
            QVERIFY2(text.isEmpty() || text.endsWith("\r\n"), row.name);
            if (row.lines > 0)
                QVERIFY2(text.startsWith(QByteArray::number(row.firstNumber) + ",  9:05:03.4  ," +
                                         QByteArray::number(row.firstNumber - 1) + "\r\n"),
                         row.name);
        }

        // The chooser: CSV, "Untitled", asking before overwriting; the name shown shortened.
        recorderExport([&](TDlgExportForm &d) {
            asked().fileAnswers = QStringList{QStringLiteral("/a/very/long/folder/name/for/the/export.csv")};
            d.btnBrowse->click();
            QCOMPARE(d.stxFileName->text(), QStringLiteral("/a/.../name/for/the/export.csv"));
            d.btnCancel->click();
        });
        const FileRequest &request = asked().fileRequests.last();
        QCOMPARE(request.defaultExtension, QStringLiteral("csv"));
        QCOMPARE(request.filter, QStringLiteral("CSV files(*.csv)|*.csv"));
        QCOMPARE(request.fileName, QStringLiteral("Untitled"));
        QVERIFY(request.promptOverwrite);

        // A file that cannot be created: its name in the message, an earlier file untouched.
        asked().messages.clear();
        const QString missing = run->filePath(QStringLiteral("no/such/folder/out.csv"));
        recorderExport([&](TDlgExportForm &d) {
            asked().fileAnswers = QStringList{missing};
            d.btnBrowse->click();
            d.btnExport->click();
        });
        QCOMPARE(asked().messages.size(), 1);
        QCOMPARE(asked().messages.first().text, QStringLiteral("Cannot create file ") + missing);
        QCOMPARE(recording().state().iShownPage, 2);
        QVERIFY(!recording().state().ExportInProgress);
    }

    void picturesOfTheShownPageWholeAndUnzoomed()
    {
        storeReadings(450);
        TGraphicalForm &g = *GraphicalForm;
        g.sbtnPageUpClick();
        g.PEGraph->resize(800, 500);
        const QSize size = g.PEGraph->size();
        QTest::mousePress(g.PEGraph, Qt::LeftButton, {}, QPoint(size.width() * 4 / 10, size.height() * 3 / 10));
        QTest::mouseMove(g.PEGraph, QPoint(size.width() / 2, size.height() / 2));
        QTest::mouseRelease(g.PEGraph, Qt::LeftButton, {}, QPoint(size.width() * 6 / 10, size.height() * 7 / 10));
        QVERIFY(g.PEGraph->isZoomed());
        const int zoomFirst = g.PEGraph->model().firstShown();
        const int zoomLast = g.PEGraph->model().lastShown();

        const QString bmp = run->filePath(QStringLiteral("page.bmp"));
        QVERIFY(recorderExport([&](TDlgExportForm &d) {
            d.rbtnBitMap->click();
            d.rbtnFile->click();
            QVERIFY(!d.rbtnPageAll->isEnabled());
            asked().fileAnswers = QStringList{bmp};
            d.btnBrowse->click();
            d.btnExport->click();
        }));
        QCOMPARE(asked().fileRequests.last().defaultExtension, QStringLiteral("bmp"));
        const QByteArray bytes = readAll(bmp); // a file in BMP form, "BM" first
        const QImage picture = QImage::fromData(bytes, "BMP");
        QCOMPARE(picture.size(), QSize(1000, 681));
        // The whole page 2, although the screen shows a zoomed part of it.
        ChartModel whole = g.PEGraph->model();
        whole.undoZoom();
        QCOMPARE(picture.convertToFormat(QImage::Format_RGB32),
                 chartImage({1000, 681}, whole, g.PEGraph->outputStyle()).convertToFormat(QImage::Format_RGB32));
        QCOMPARE(recording().state().iShownPage, 2);
        QCOMPARE(g.PEGraph->model().firstShown(), zoomFirst);
        QCOMPARE(g.PEGraph->model().lastShown(), zoomLast);

        // A metafile: the enhanced-metafile signature; sizes shown in the unit chosen.
        const QString emf = run->filePath(QStringLiteral("page.emf"));
        QVERIFY(recorderExport([&](TDlgExportForm &d) {
            d.rbtnMetaFile->click();
            QCOMPARE(d.editWidth->text(), QStringLiteral("100"));
            QCOMPARE(d.editHigh->text(), QStringLiteral("68.1"));
            d.rbtnInches->click();
            QCOMPARE(d.editWidth->text(), QStringLiteral("3.93700787401575"));
            QCOMPARE(d.editHigh->text(), QStringLiteral("2.68110236220472"));
            d.rbtnFile->click();
            // A .wmf name is refused and not taken.
            asked().fileAnswers = QStringList{run->filePath(QStringLiteral("page.wmf")), emf};
            d.btnBrowse->click();
            QVERIFY(d.stxFileName->text().isEmpty());
            QCOMPARE(asked().captions(), QStringList{"Error[E2063]"});
            d.btnBrowse->click();
            d.btnExport->click();
        }));
        QCOMPARE(asked().fileRequests.last().filter,
                 QStringLiteral("All (*.emf)|*.emf|Enhanced Metafiles (*.emf)|*.emf"));
        const QByteArray meta = readAll(emf);
        QCOMPARE(meta.mid(40, 4), QByteArray(" EMF"));
        QVERIFY(!QFile::exists(run->filePath(QStringLiteral("page.wmf"))));

        // A size that is no number is refused and the dialog stays; a bitmap beyond what the
        // chart makes says so and leaves the earlier file as it was.
        asked().messages.clear();
        QVERIFY(recorderExport([&](TDlgExportForm &d) {
            d.rbtnBitMap->click();
            d.rbtnFile->click();
            asked().fileAnswers = QStringList{bmp};
            d.btnBrowse->click();
            d.editWidth->setText(QStringLiteral("wide"));
            d.btnExport->click();
            QVERIFY(d.isVisible());
            QCOMPARE(d.editWidth->text(), QStringLiteral("1000"));
            d.editWidth->setText(QStringLiteral("16384"));
            d.editHigh->setText(QStringLiteral("16384"));
            d.btnExport->click();
        }));
        QCOMPARE(asked().captions(), (QStringList{"Orvel Data Logging System", "Error[E2064]"}));
        QCOMPARE(asked().messages.first().text, QStringLiteral("'wide' is not a valid floating point value"));
        QVERIFY(asked().messages.last().text.startsWith(QStringLiteral("A bitmap of 16384 x 16384 pixels")));
        QCOMPARE(readAll(bmp), bytes);
    }

    void printsPagesIntoOneFileAndComesBack()
    {
        storeReadings(450);
        TGraphicalForm &g = *GraphicalForm;
        g.sbtnPageUpClick();
        g.sbtnPageUpClick();
        QCOMPARE(recording().state().iShownPage, 1);
        const float shownFirst = g.PEGraph->model().data().value(150);
        const QString pdf = run->filePath(QStringLiteral("printout.pdf"));
        QPrinter &printer = programPrinter();
        const QString savedOutput = printer.outputFileName();
        printer.setOutputFileName(pdf);

        // While the pages go out, the buffer and the page stay still.
        QList<int> pagesOut;
        bool stillEverywhere = true;
        const QMetaObject::Connection seen = connect(DlgExportForm, &TExportDialog::pageExported, this, [&](int page) {
            pagesOut << page;
            stillEverywhere = stillEverywhere && recording().state().ExportInProgress && !g.sbtnExport->isEnabled() &&
                              !g.mnuClear->isEnabled() && !g.sbtnOpenFile->isEnabled();
        });
        QVERIFY(recorderExport([&](TDlgExportForm &d) {
            d.rbtnBitMap->click();
            d.rbtnPrinter->click();
            d.rbtnPage->click();
            d.editPageFrom->setText(QStringLiteral("2"));
            d.editPageTo->setText(QStringLiteral("3"));
            d.btnExport->click();
        }));
        disconnect(seen);
        printer.setOutputFileName(savedOutput);

        QCOMPARE(pagesOut, (QList<int>{2, 3}));
        QVERIFY(stillEverywhere);
        QVERIFY(!recording().state().ExportInProgress);
        QVERIFY(g.sbtnExport->isEnabled());
        const QByteArray bytes = readAll(pdf);
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))), 2);
        QCOMPARE(recording().state().iShownPage, 1);
        QCOMPARE(g.PEGraph->model().data().value(150), shownFirst);
        QCOMPARE(g.PEGraph->shownStyle().viewingStyle, gColor);
        QVERIFY(asked().messages.isEmpty());
    }

    void viewerExportsItsChartAndKeepsWhatWasTyped()
    {
        storeReadings(20);
        PEGraph &chart = *GraphicalForm->PEGraph;
        TDlgFitExportForm &d = *DlgFitExportForm;
        const QString emf = run->filePath(QStringLiteral("viewer.emf"));
        auto viewerExport = [&](const std::function<void()> &act) {
            return runDialog(
                &d, [&] { d.ViewerExport(chart); }, act);
        };
        QVERIFY(viewerExport([&] {
            QVERIFY(d.rbtnText->isHidden());
            QVERIFY(d.rbtnMetaFile->isChecked());
            QVERIFY(d.rbtnThisPage->isChecked());
            QCOMPARE(d.editPageTo->text(), QStringLiteral("1"));
            d.rbtnPrinter->click();
            QVERIFY(!d.rbtnPageAll->isEnabled());
            d.rbtnFile->click();
            d.editWidth->setText(QStringLiteral("50"));
            d.btnExport->click(); // no name yet
        }));
        QCOMPARE(asked().captions(), QStringList{"Error[E9013]"});
        QVERIFY(viewerExport([&] {
            QCOMPARE(d.editWidth->text(), QStringLiteral("50"));
            asked().fileAnswers = QStringList{emf};
            d.btnBrowse->click();
            d.btnExport->click();
        }));
        const QByteArray meta = readAll(emf);
        QCOMPARE(meta.mid(40, 4), QByteArray(" EMF"));
        // The header's picture frame, inclusive: 50 mm wide in hundredths of a millimetre.
        const auto le32 = [&](int at) {
            return qFromLittleEndian<qint32>(reinterpret_cast<const uchar *>(meta.constData()) + at);
        };
        QCOMPARE(le32(32) - le32(24), 4999);
        QCOMPARE(asked().captions(), QStringList{"Error[E9013]"});
    }
};

QTEST_MAIN(TestExport)
#include "tst_Export.moc"
