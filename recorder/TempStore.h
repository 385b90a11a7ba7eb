#pragma once
// The temporary store: while automatic recording runs, every stored reading is
// also written to a file in the start-up folder, one write per record, so that
// the recording survives a crash of the program. The file has no header: it is
// a logger data file ("~VORDL1.TMP", "~VORDL2.TMP", …) that Open reads back.
//
// A run never replaces a file it did not create: numbers go on from the newest
// file of this run and pass over names that exist (a file a crashed run left
// behind keeps its recording). At exit only this run's files are deleted.
// While a file is open it is locked (flock), so another copy of the program can
// tell that it is still being written.

#include <QString>
#include <QStringList>

namespace orvel {

struct TARecord;

/// The name of temporary file number `n`: `stem` + n + ".TMP".
QString temporaryFileName(const QString &stem, int n);
/// Whether `fileName` is the name of one of `stem`'s temporary files.
bool isTemporaryFileName(const QString &fileName, const QString &stem);

class TemporaryStore
{
public:
    /// Files are named `stem` + number + ".TMP".
    explicit TemporaryStore(QString stem);
    ~TemporaryStore();
    TemporaryStore(const TemporaryStore &) = delete;
    TemporaryStore &operator=(const TemporaryStore &) = delete;

    /// Creates the next file in `folder`, closing an open one first. False when
    /// no file could be created; errorText() then says why.
    bool open(const QString &folder);
    /// Opens `path` itself for the records (orvel-cli record's output file),
    /// closing an open one first; an existing file is replaced only when
    /// `replace`. The file is not this run's to delete at exit.
    bool openFile(const QString &path, bool replace);
    bool isOpen() const { return fd_ >= 0; }
    /// Writes the record's 76 bytes with one write. False when the write failed
    /// or came short (a full disk); errorText() then says why, and the file is
    /// cut back to the records written whole, so that no part of one stays.
    bool write(const TARecord &record);
    /// Records written whole to the open (or the last) file.
    qint64 recordsWritten() const { return written_; }
    /// Closes the open file, if any.
    void close();
    /// Deletes this run's files, newest first (closing the open one first).
    /// Returns the files that could not be deleted.
    QStringList deleteAll();

    /// What the names of the files begin with.
    const QString &stem() const { return stem_; }
    /// Number in the newest file's name; 0 before the first.
    int count() const { return count_; }
    /// The open file, or the last one opened.
    QString currentPath() const { return path_; }
    /// Files this run created, oldest first.
    QStringList createdFiles() const { return created_; }
    /// What went wrong last (the system's words).
    QString errorText() const { return error_; }

private:
    /// Keeps `fd`, open on `path`, as the file records go to.
    void take(int fd, const QString &path);

    QString stem_;
    int fd_ = -1;
    int count_ = 0;
    qint64 written_ = 0;
    QString path_;
    QStringList created_;
    QString error_;
};

} // namespace orvel
