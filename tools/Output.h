#pragma once
// What the commands of orvel-cli say besides their results.

#include <QString>

#include <charconv>
#include <cstdio>
#include <string>

namespace orvel::cli {

inline constexpr int kCannotRead = 2102;  ///< "orvel-cli: cannot read %s"
inline constexpr int kCannotWrite = 2121; ///< "orvel-cli: cannot write %s"

/// Prints `message` and a line feed on `to` at once.
void printError(const QString &message, std::FILE *to = stderr);

/// A number as the shortest text that reads back to the same value.
template <typename T> std::string shortest(T value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

/// `text` as a JSON string, quotes included.
std::string jsonString(const QString &text);

} // namespace orvel::cli
