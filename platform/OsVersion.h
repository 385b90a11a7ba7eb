#pragma once
// Which operating system the program runs on, for the About box.

#include <QString>

namespace orvel {

struct OsVersion
{
    int major = 0;
    int minor = 0;
};

/// The kernel's version (Linux: the first two numbers of the release, 6.1 for "6.1.0-13-amd64").
OsVersion osVersion();

/// Reads "major.minor" from the front of a release text; 0.0 where it has none.
OsVersion parseOsRelease(const QString &release);

/// The About box's last line: "System: Linux " followed by major.minor.
QString systemLine(const OsVersion &version);

} // namespace orvel
