#pragma once
// What the commands of orvel-cli say besides their results.

#include "platform/Journal.h"

#include <QString>

#include <cstdio>

namespace orvel::cli {

inline constexpr int kCannotRead = 2102;  ///< "orvel-cli: cannot read %s"
inline constexpr int kCannotWrite = 2121; ///< "orvel-cli: cannot write %s"

/// Prints `message` and a line feed on `to` at once; on standard error when
/// that is the journal, with the journal's priority for `severity`.
void printError(const QString &message, std::FILE *to = stderr, Severity severity = Severity::Info);

} // namespace orvel::cli
