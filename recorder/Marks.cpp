#include "recorder/Marks.h"

#include "base/WholeFile.h"
#include "resources/Strings.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvel {

namespace {

constexpr char kHeader[] = "# orvel marks: reading, time, kind, text\n";
// What is wrong with a line.
constexpr int kNotFourFields = 2361, kNoNumber = 2362, kBeyond = 2363, kNoKind = 2364;

QByteArray escaped(const QString &text)
{
    QByteArray out;
    const QByteArray utf8 = text.toUtf8();
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

QString unescaped(QByteArrayView field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c != '\\' || i + 1 == field.size()) {
            out += c;
            continue;
        }
        switch (const char next = field[++i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: out += '\\', out += next; // not ours: kept as it stands
        }
    }
    return QString::fromUtf8(out);
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

QString markKindName(MarkKind kind)
{
    switch (kind) {
    case MarkKind::User: return QStringLiteral("user");
    case MarkKind::Trigger: return QStringLiteral("trigger");
    case MarkKind::Alarm: return QStringLiteral("alarm");
    }
    return QStringLiteral("user");
}

std::optional<MarkKind> markKindNamed(QStringView name)
{
    for (const MarkKind kind : {MarkKind::User, MarkKind::Trigger, MarkKind::Alarm})
        if (name == markKindName(kind))
            return kind;
    return std::nullopt;
}

// ---- the list -------------------------------------------------------------------

qsizetype MarkList::add(Mark mark)
{
    const auto at = std::upper_bound(marks_.begin(), marks_.end(), mark.index,
                                     [](qsizetype index, const Mark &m) { return index < m.index; });
    const auto placed = marks_.insert(at, std::move(mark)); // may move every mark: begin() only afterwards
    return qsizetype(placed - marks_.begin());
}

void MarkList::setText(qsizetype position, const QString &text)
{
    if (position >= 0 && position < size())
        marks_[std::size_t(position)].text = text;
}

void MarkList::remove(qsizetype position)
{
    if (position >= 0 && position < size())
        marks_.erase(marks_.begin() + position);
}

void MarkList::truncate(qsizetype count)
{
    marks_.erase(marks_.begin() + within(0, count).second, marks_.end());
}

std::pair<qsizetype, qsizetype> MarkList::within(qsizetype first, qsizetype count) const
{
    const auto byIndex = [](const Mark &m, qsizetype index) { return m.index < index; };
    const auto begin = std::lower_bound(marks_.begin(), marks_.end(), first, byIndex);
    const auto end = std::lower_bound(begin, marks_.end(), first + std::max<qsizetype>(count, 0), byIndex);
    return {qsizetype(begin - marks_.begin()), qsizetype(end - marks_.begin())};
}

qsizetype MarkList::find(qsizetype index) const
{
    const auto [first, last] = within(index, 1);
    return first < last ? first : -1;
}

// ---- the file -------------------------------------------------------------------

QString marksFilePath(const QString &loggerPath)
{
    return loggerPath + QStringLiteral(".marks");
}

QString markTextOnOneLine(const QString &text)
{
    return QString::fromUtf8(escaped(text));
}

QByteArray markLine(const Mark &mark, qsizetype offset)
{
    return QByteArray::number(mark.index - offset + 1) + '\t' + mark.time.toUtf8() + '\t' +
           markKindName(mark.kind).toLatin1() + '\t' + escaped(mark.text) + '\n';
}

QByteArray marksFileText(const MarkList &marks, qsizetype first, qsizetype count)
{
    QByteArray text(kHeader);
    const auto [begin, end] = marks.within(first, count);
    for (qsizetype i = begin; i < end; ++i)
        text += markLine(marks.at(i), first);
    return text;
}

MarksRead parseMarks(const QByteArray &text, qsizetype readings)
{
    MarksRead read;
    std::vector<Mark> marks;
    const auto leaveOut = [&read](int line, const QString &why) {
        if (read.skipped++ == 0) {
            read.badLine = line;
            read.problem = why;
        }
    };
    int lineNumber = 0;
    for (QByteArrayView rest(text); !rest.isEmpty();) {
        const qsizetype end = rest.indexOf('\n');
        QByteArrayView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        ++lineNumber;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        QList<QByteArrayView> fields;
        for (qsizetype from = 0;;) {
            const qsizetype tab = line.indexOf('\t', from);
            fields.append(line.sliced(from, (tab < 0 ? line.size() : tab) - from));
            if (tab < 0)
                break;
            from = tab + 1;
        }
        if (fields.size() != 4) {
            leaveOut(lineNumber, LoadStr(kNotFourFields));
            continue;
        }
        bool ok = false;
        const qlonglong number = fields[0].toLongLong(&ok);
        if (!ok || number < 1) {
            leaveOut(lineNumber, LoadStrArg(kNoNumber, QString::fromUtf8(fields[0])));
            continue;
        }
        if (number > readings) {
            leaveOut(lineNumber, LoadStr(kBeyond).arg(number).arg(readings));
            continue;
        }
        const std::optional<MarkKind> kind = markKindNamed(QString::fromUtf8(fields[2]));
        if (!kind) {
            leaveOut(lineNumber, LoadStrArg(kNoKind, QString::fromUtf8(fields[2])));
            continue;
        }
        marks.push_back({qsizetype(number - 1), QString::fromUtf8(fields[1]).trimmed(), *kind, unescaped(fields[3])});
    }
    std::stable_sort(marks.begin(), marks.end(), [](const Mark &a, const Mark &b) { return a.index < b.index; });
    for (Mark &m : marks)
        read.marks.add(std::move(m));
    return read;
}

MarksRead readMarksFile(const QString &path, qsizetype readings)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        MarksRead read;
        read.found = true;
        read.problem = file.errorString();
        return read;
    }
    MarksRead read = parseMarks(file.readAll(), readings);
    read.found = true;
    return read;
}

bool writeMarksFile(const QString &path, const MarkList &marks, qsizetype first, qsizetype count, QString *error)
{
    const auto [begin, end] = marks.within(first, count);
    if (begin == end) { // no marks: no file, and none of an earlier recording left beside it
        QFile stale(path);
        if (!stale.exists() || stale.remove())
            return true;
        if (error)
            *error = stale.errorString();
        return false;
    }
    return writeWholeFile(path, marksFileText(marks, first, count), error);
}

bool appendMarkLine(const QString &path, const Mark &mark, qsizetype offset, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (error)
            *error = path + QStringLiteral(": ") + systemError(errno);
        return false;
    }
    struct stat st
    {};
    const bool known = ::fstat(fd, &st) == 0;
    const QByteArray bytes = (known && st.st_size == 0 ? QByteArray(kHeader) : QByteArray()) + markLine(mark, offset);
    const ssize_t written = ::write(fd, bytes.constData(), std::size_t(bytes.size()));
    const int writeError = written < 0 ? errno : ENOSPC; // a short write: the disk is full
    if (written >= 0 && written != bytes.size() && known)
        (void)::ftruncate(fd, st.st_size); // no half line for the next mark to run into
    ::close(fd);
    if (written == bytes.size())
        return true;
    if (error)
        *error = path + QStringLiteral(": ") + systemError(writeError);
    return false;
}

} // namespace orvel
