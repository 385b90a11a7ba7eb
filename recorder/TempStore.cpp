#include "recorder/TempStore.h"

#include "recorder/Tarecord.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace orvel {

namespace {
constexpr int kMaxTries = 100000; // names passed over before giving up

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}
} // namespace

QString temporaryFileName(const QString &stem, int n)
{
    return stem + QString::number(n) + QStringLiteral(".TMP");
}

bool isTemporaryFileName(const QString &fileName, const QString &stem)
{
    if (!fileName.startsWith(stem) || !fileName.endsWith(QStringLiteral(".TMP")))
        return false;
    const QStringView number = QStringView(fileName).mid(stem.size(), fileName.size() - stem.size() - 4);
    return !number.isEmpty() &&
           std::all_of(number.begin(), number.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

TemporaryStore::TemporaryStore(QString stem)
    : stem_(std::move(stem))
{}

TemporaryStore::~TemporaryStore()
{
    close();
}

bool TemporaryStore::open(const QString &folder)
{
    close();
    for (int n = count_ + 1, tries = 0; tries < kMaxTries; ++n, ++tries) {
        const QString path = QDir(folder).filePath(temporaryFileName(stem_, n));
        const QByteArray name = QFile::encodeName(path);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == EEXIST)
                continue; // somebody's recording: never replaced
            error_ = path + QStringLiteral(": ") + systemError(errno);
            return false;
        }
        take(fd, path);
        count_ = n;
        created_.append(path);
        return true;
    }
    error_ = folder + QStringLiteral(": ") + systemError(EEXIST);
    return false;
}

bool TemporaryStore::openFile(const QString &path, bool replace)
{
    close();
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC | (replace ? O_TRUNC : O_EXCL), 0644);
    if (fd < 0) {
        error_ = path + QStringLiteral(": ") + systemError(errno);
        return false;
    }
    take(fd, path);
    return true;
}

void TemporaryStore::take(int fd, const QString &path)
{
    ::flock(fd, LOCK_EX | LOCK_NB); // another copy can tell the file is still written
    fd_ = fd;
    path_ = path;
    written_ = 0;
    error_.clear();
}

bool TemporaryStore::write(const TARecord &record)
{
    if (fd_ < 0)
        return false;
    unsigned char bytes[kRecordSize];
    writeRecord(record, bytes);
    qsizetype done = 0;
    while (done < kRecordSize) {
        const ssize_t n = ::write(fd_, bytes + done, std::size_t(kRecordSize - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error_ = path_ + QStringLiteral(": ") + systemError(n < 0 ? errno : ENOSPC);
            if (done > 0) { // no half record: the file ends with the last whole one
                const off_t whole = off_t(written_) * kRecordSize;
                if (::ftruncate(fd_, whole) == 0)
                    ::lseek(fd_, whole, SEEK_SET);
            }
            return false;
        }
        done += n;
    }
    ++written_;
    return true;
}

void TemporaryStore::close()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

QStringList TemporaryStore::deleteAll()
{
    close();
    QStringList kept;
    for (auto it = created_.crbegin(); it != created_.crend(); ++it) {
        if (!QFile::remove(*it) && QFile::exists(*it))
            kept.prepend(*it);
    }
    created_ = kept;
    return kept;
}

} // namespace orvel
