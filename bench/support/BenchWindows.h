#pragma once
// What the window benchmarks share: the program's windows (offscreen, in an
// empty start-up folder, with ports that lead nowhere), the process's memory,
// and stored readings as the recorder would hold them.

#include "app/Globalvar.h"
#include "app/Startup.h"
#include "base/Messages.h"
#include "bench/support/Memory.h"
#include "platform/PortNames.h"
#include "platform/UserPrompt.h"
#include "recorder/Graphicalrecord.h"
#include "recorder/Tarecord.h"
#include "views/Datapagelist.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <vector>

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

/// The recorder holding record(0) … record(n − 1), opened from a file as Open
/// opens one (the file is written a block at a time, then removed); the data
/// list is emptied again.
inline void holdRecords(qsizetype n, const std::function<TARecord(qsizetype)> &record)
{
    const QString path = QDir::current().filePath(QStringLiteral("held.g52"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        std::vector<unsigned char> block;
        for (qsizetype first = 0; first < n; first += 65536) {
            const qsizetype count = std::min<qsizetype>(65536, n - first);
            block.resize(std::size_t(count) * kRecordSize);
            for (qsizetype i = 0; i < count; ++i)
                writeRecord(record(first + i), block.data() + i * kRecordSize);
            file.write(reinterpret_cast<const char *>(block.data()), qint64(block.size()));
        }
    }
    recording().clear();
    GraphicalForm->LoadFile(path);
    QFile::remove(path);
    // What these benchmarks measure is the recorder's: the data list starts empty.
    SendMessage(DataPageListForm, UM_LIST_RESET);
}

/// The recorder as if `n` readings had been stored, one a half second.
inline void holdReadings(qsizetype n)
{
    holdRecords(n, [](qsizetype i) { return recordOf(int(i), float(i % 1000) * 0.01f - 3.0f); });
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
    recording().clear();
    return 0;
}

} // namespace orvel::bench
