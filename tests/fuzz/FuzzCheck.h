#pragma once
// What every fuzz target shares: a check that aborts (so libFuzzer keeps the
// input) when an invariant breaks, and a scratch file for readers that take a path.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "invariant broken at %s:%d: %s\n", __FILE__, __LINE__, #condition);                   \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)

namespace orvel::fuzz {

/// A folder for scratch files: memory-backed where there is one (faster runs).
inline QString scratchFolder()
{
    static const QString folder =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return folder;
}

/// Removes what it names when the run ends (libFuzzer ends with exit()).
struct ScratchCleanup
{
    QStringList paths;
    ~ScratchCleanup()
    {
        for (const QString &p : paths)
            QFileInfo(p).isDir() ? void(QDir(p).removeRecursively()) : void(QFile::remove(p));
    }
};

/// Removes `path` (a file or a folder) when the run ends.
inline void removeAtExit(const QString &path)
{
    static ScratchCleanup cleanup;
    if (!cleanup.paths.contains(path))
        cleanup.paths.append(path);
}

/// A file of this process that holds `bytes`; its name ends in `suffix`.
inline QString scratchFile(const QByteArray &bytes, const QString &suffix)
{
    const QString path = scratchFolder() + QStringLiteral("/orvel-fuzz-%1%2").arg(::getpid()).arg(suffix);
    removeAtExit(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort(); // the fuzzer's own trouble, not the input's
    return path;
}

} // namespace orvel::fuzz
