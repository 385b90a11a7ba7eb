#pragma once
// What the window benchmarks share: the program's windows (offscreen, in an
// empty start-up folder, with ports that lead nowhere), the process's memory,
// and stored readings as the recorder would hold them.

#include "app/Globalvar.h"
#include "app/Messages.h"
#include "app/Startup.h"
#include "bench/support/Memory.h"
#include "platform/PortNames.h"
#include "platform/UserPrompt.h"
#include "recorder/Graphicalrecord.h"
#include "recorder/Tarecord.h"
#include "views/Datapagelist.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace orvel::bench {

/// Reading i as the recorder stores it: half a second apart from 9:00:00.0.
inline TARecord recordOf(int i, float value)
{
    const int tenths = 9 * 36000 + i * 5;
    return TARecord(
        QStringLiteral("1.234"), QStringLiteral("0"), 6,
        QString::asprintf("  %d:%02d:%02d.%d  ", tenths / 36000 % 24, tenths / 600 % 60, tenths / 10 % 60, tenths % 10),
        QStringLiteral("1.234"), QString(), QStringLiteral("V"), value, QString());
}

/// The recorder as if `n` readings had been stored (the data list is told nothing).
inline void holdReadings(qsizetype n)
{
    TGraphicalForm &g = *GraphicalForm;
    g.ResetRecorder();
    SendMessage(DataPageListForm, UM_LIST_RESET);
    ReadingBuffer &buffer = readingBuffer();
    buffer.clear();
    buffer.reserve(n);
    TARecord r = recordOf(0, 0.0f);
    for (qsizetype i = 0; i < n; ++i) {
        r.fReading = float(i % 1000) * 0.01f - 3.0f;
        buffer.append(r);
        g.Scale.UpdateScale(r.fReading, i);
        g.Extreme.UpdateExtremes(buffer, i, r.fReading);
    }
    g.iStoredCount = int(n);
    g.iLastPage = pageCount(n);
    g.iShownPage = g.iLastPage;
    g.bBufferEmpty = n == 0;
}

/// Runs the benchmarks with the program's windows up; `prompt` answers the
/// questions they ask (the console prompt when null).
inline int runWithWindows(int argc, char **argv, std::unique_ptr<UserPrompt> prompt = nullptr)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    for (int i = 1; i <= kComPortCount; ++i)
        qputenv(portEnvironmentVariable(comPortName(i)).toLatin1().constData(), "/nonexistent/orvel-bench");
    WindowSet windows;
    if (prompt)
        setUserPrompt(std::move(prompt));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    readingBuffer().clear();
    GraphicalForm->bUnsaved = false;
    return 0;
}

} // namespace orvel::bench
