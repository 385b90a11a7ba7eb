#pragma once
// Marks: notes placed on a recording ("load switched on", "probe moved"). A
// mark belongs to one stored reading (its index in the buffer) and carries that
// reading's time stamp, a kind (placed by the user, or by a rule: the trigger
// that started a recording, an alarm) and a one-line text. The recording keeps
// them with its readings, in the order of their readings.
//
// A marks file is plain text beside its logger file, named after it
// ("run.g52" → "run.g52.marks"), UTF-8, one mark a line: the reading's number
// (1 for the file's first reading, as the data list and the export count), its
// time, the kind and the text, separated by tabs:
//
//     # orvel marks: reading, time, kind, text
//     12	9:05:03.4	user	load switched on
//
// In the text a backslash, a tab, a line feed and a carriage return are written
// \\ \t \n \r, so that any text comes back exactly and a mark stays one line.
// Lines that start with '#' and empty lines are passed over. One reader and
// one writer here serve the program and orvel-cli.

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace orvel {

enum class MarkKind {
    User,    ///< placed by the user
    Trigger, ///< the condition that started the recording fired here
    Alarm,   ///< an alarm's condition fired here
};

/// "user", "trigger", "alarm".
QString markKindName(MarkKind kind);
/// The kind named `name`, or none.
std::optional<MarkKind> markKindNamed(QStringView name);

struct Mark
{
    qsizetype index = 0; ///< buffer index of the reading it belongs to
    QString time;        ///< that reading's time stamp, without blanks ("9:05:03.4")
    MarkKind kind = MarkKind::User;
    QString text;

    bool operator==(const Mark &) const = default;
};

/// The marks of a recording, in the order of their readings (marks of one
/// reading in the order they were placed).
class MarkList
{
public:
    const std::vector<Mark> &all() const { return marks_; }
    qsizetype size() const { return qsizetype(marks_.size()); }
    bool isEmpty() const { return marks_.empty(); }
    const Mark &at(qsizetype position) const { return marks_[std::size_t(position)]; }

    /// Adds `mark` after the marks of its reading; returns its position.
    qsizetype add(Mark mark);
    void setText(qsizetype position, const QString &text);
    void remove(qsizetype position);
    void clear() { marks_.clear(); }
    /// Drops the marks of readings `count` and later (the buffer was cut there).
    void truncate(qsizetype count);
    /// Positions [first, last) of the marks on readings first .. first + count − 1.
    std::pair<qsizetype, qsizetype> within(qsizetype first, qsizetype count) const;
    /// Position of the first mark on reading `index`, or −1.
    qsizetype find(qsizetype index) const;

private:
    std::vector<Mark> marks_;
};

/// The marks file that goes with logger file `loggerPath`.
QString marksFilePath(const QString &loggerPath);

/// `text` as it stands in a marks file: on one line, a backslash, a tab and
/// the line ends written \\ \t \n \r (for a listing of marks).
QString markTextOnOneLine(const QString &text);
/// A mark's line in a file whose first reading is buffer index `offset` (with its line end).
QByteArray markLine(const Mark &mark, qsizetype offset = 0);
/// The whole marks file of the marks on readings first .. first + count − 1,
/// numbered from `first` (a comment line first).
QByteArray marksFileText(const MarkList &marks, qsizetype first, qsizetype count);

/// What a marks file gave.
struct MarksRead
{
    MarkList marks;
    int skipped = 0;    ///< lines left out
    int badLine = 0;    ///< the first of them (1-based), 0 when none
    QString problem;    ///< what was wrong with it
    bool found = false; ///< the file exists
};

/// Marks of marks-file text for a recording of `readings` readings. Lines that
/// are no mark, and marks of readings the recording does not have, are left
/// out, the first of them named; lines out of order are put in order.
MarksRead parseMarks(const QByteArray &text, qsizetype readings);
/// Reads the marks file `path` as parseMarks does; a file that does not exist
/// gives no marks and no problem.
MarksRead readMarksFile(const QString &path, qsizetype readings);
/// Writes the marks file `path` whole (as logger files are written), or
/// removes it when there are no marks. False (with `error`) when it could not.
bool writeMarksFile(const QString &path, const MarkList &marks, qsizetype first, qsizetype count,
                    QString *error = nullptr);
/// Adds `mark`'s line to the end of the marks file `path` with one write,
/// creating the file when it does not exist yet. False (with `error`) when the
/// write failed or came short (a full disk).
bool appendMarkLine(const QString &path, const Mark &mark, qsizetype offset, QString *error = nullptr);

} // namespace orvel
