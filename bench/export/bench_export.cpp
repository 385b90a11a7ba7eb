// The recorder's text export of a million readings: the whole Export command
// (dialog shown and accepted, All Pages, text to a file), the text built alone,
// and, for comparison, writing the same bytes. Prints figures; decides nothing.

#include "app/Globalvar.h"
#include "app/Startup.h"
#include "base/Messages.h"
#include "bench/support/BenchWindows.h"
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
using namespace orvel::bench;

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

void BM_RecorderTextExport(benchmark::State &state)
{
    holdReadings(kReadings);
    for (auto _ : state) {
        QTimer::singleShot(0, DlgExportForm, [] {
            DlgExportForm->rbtnPageAll->click();
            DlgExportForm->btnBrowse->click();
            DlgExportForm->btnExport->click();
        });
        GraphicalForm->sbtnExportClick();
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
        const QByteArray text = exportText(recording().buffer(), 1, recording().state().iLastPage);
        bytes = text.size();
        benchmark::DoNotOptimize(text.constData());
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_TextBuiltAlone)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_WriteSameBytes(benchmark::State &state)
{
    holdReadings(kReadings);
    const QByteArray text = exportText(recording().buffer(), 1, recording().state().iLastPage);
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
    return orvel::bench::runWithWindows(argc, argv, std::make_unique<BenchPrompt>());
}
