// The recorder's text export of a million readings: the whole Export command
// (dialog shown and accepted, All Pages, text to a file), the text built alone,
// and, for comparison, writing the same bytes. Prints figures; decides nothing.

#include "app/Globalvar.h"
#include "app/Messages.h"
#include "app/Startup.h"
#include "export/Dlgexportunit.h"
#include "export/ExportText.h"
#include "platform/PortNames.h"
#include "platform/UserPrompt.h"
#include "recorder/Graphicalrecord.h"
#include "recorder/Tarecord.h"
#include "views/Datapagelist.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace orvel;

namespace {

constexpr qsizetype kReadings = 1000000;

QString exportPath()
{
    return QDir::current().filePath(QStringLiteral("export.csv"));
}

// Answers the file chooser with the export's file; messages go to standard error.
class BenchPrompt final : public UserPrompt
{
public:
    PromptButton message(const MessageRequest &request) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(request.caption), qPrintable(request.text));
        return request.defaultButton;
    }
    QString openFileName(const FileRequest &) override { return {}; }
    QString saveFileName(const FileRequest &) override { return exportPath(); }
    QString inputText(const InputRequest &request) override { return request.defaultText; }
    std::optional<quint32> chooseColor(quint32, const QObject *) override { return std::nullopt; }
    bool printDialog(QPrinter &, const QObject *) override { return false; }
    bool printerSetup(QPrinter &, const QObject *) override { return false; }
};

TARecord recordOf(int i)
{
    const int tenths = 9 * 36000 + i * 5;
    return TARecord(
        QStringLiteral("1.234"), QStringLiteral("0"), 6,
        QString::asprintf("  %d:%02d:%02d.%d  ", tenths / 36000 % 24, tenths / 600 % 60, tenths / 10 % 60, tenths % 10),
        QStringLiteral("1.234"), QString(), QStringLiteral("V"), float(i % 1000) * 0.01f - 3.0f, QString());
}

void holdReadings(qsizetype n)
{
    GraphicalForm->ResetRecorder();
    SendMessage(DataPageListForm, UM_LIST_RESET);
    ReadingBuffer &buffer = readingBuffer();
    buffer.clear();
    buffer.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        buffer.append(recordOf(int(i)));
    GraphicalForm->iStoredCount = int(n);
    GraphicalForm->iLastPage = pageCount(n);
    GraphicalForm->iShownPage = GraphicalForm->iLastPage;
    GraphicalForm->bBufferEmpty = n == 0;
}

void BM_RecorderTextExport(benchmark::State &state)
{
    holdReadings(kReadings);
    for (auto _ : state) {
        QTimer::singleShot(0, DlgExportForm, [] {
            DlgExportForm->rbtnPageAll->click();
            DlgExportForm->btnBrowse->click();
            DlgExportForm->btnExport->click();
        });
        DlgExportForm->RecorderExport();
    }
    state.counters["bytes"] = double(QFileInfo(exportPath()).size());
    state.SetLabel("Export command, All Pages, 1000000 readings");
}
BENCHMARK(BM_RecorderTextExport)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_TextBuiltAlone(benchmark::State &state)
{
    holdReadings(kReadings);
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray text = exportText(readingBuffer(), 1, GraphicalForm->iLastPage);
        bytes = text.size();
        benchmark::DoNotOptimize(text.constData());
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_TextBuiltAlone)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_WriteSameBytes(benchmark::State &state)
{
    holdReadings(kReadings);
    const QByteArray text = exportText(readingBuffer(), 1, GraphicalForm->iLastPage);
    for (auto _ : state) {
        QSaveFile file(exportPath());
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
            state.SkipWithError("cannot write");
    }
    state.counters["bytes"] = double(text.size());
}
BENCHMARK(BM_WriteSameBytes)->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    for (int i = 1; i <= kComPortCount; ++i)
        qputenv(portEnvironmentVariable(comPortName(i)).toLatin1().constData(), "/nonexistent/orvel-bench");
    WindowSet windows;
    setUserPrompt(std::make_unique<BenchPrompt>());

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    GraphicalForm->bUnsaved = false;
    return 0;
}
