#pragma once
// Readings as JSON lines, for other programs: one object a line on standard
// output, flushed as it is written (monitor --json, record --json), and the
// JSON texts that decode writes.

#include <QDateTime>
#include <QString>

#include <charconv>
#include <string>

namespace orvel {
class ReadingComputation;
struct Mark;
} // namespace orvel

namespace orvel::cli {

/// A number as the shortest text that reads back to the same value.
template <typename T> std::string jsonNumber(T value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

/// `text` as a JSON string, quotes included.
std::string jsonString(const QString &text);

/// `at` in ISO 8601 with milliseconds and its offset from UTC: "2024-05-01T14:03:21.250+02:00".
QString isoLocalTime(const QDateTime &at);

/// The name of function `iFunction` ("DC voltage", "resistance", …).
QString functionName(int iFunction);

/// What a stored reading adds to its object (record --json).
struct StoredReading
{
    long long number = 0; ///< the reading's number, from 1
    QString stamp;        ///< the time stamp as stored ("12:00:01.5")
};

/// The object of one reading: its time, the value (the display times ten to its
/// exponent; null for a blank display or an overload), the display text, the
/// prefix and unit, the function's name, AC/DC and the low-battery flag;
/// with `stored` its number and stored time stamp too.
std::string readingObject(const ReadingComputation &tick, const QDateTime &at, const StoredReading *stored = nullptr);

/// The object of an acquisition warning: {"warning":"W8004","text":"No data received."}.
std::string warningObject(int textId);

/// The object of a mark, its reading numbered from 1:
/// {"reading":12,"time":"9:05:03.4","kind":"user","text":"probe moved"}.
std::string markObject(const Mark &mark);

/// Writes `line` and a line feed to standard output and flushes it.
void writeJsonLine(const std::string &line);

} // namespace orvel::cli
