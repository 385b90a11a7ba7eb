#pragma once
// The settings file: three "name=value" lines in the start-up folder that carry
// the selected port and the comparator limits from one run to the next.

#include <QString>
#include <QStringList>

namespace orvel {

inline constexpr int kFallbackPort = 2;            ///< port used when the file cannot be read
inline constexpr double kFallbackHiLimit = 300.0;  ///< upper comparator limit fallback
inline constexpr double kFallbackLowLimit = 100.0; ///< lower comparator limit fallback

struct SettingsValues
{
    int iPort = kFallbackPort;
    double fHiLimit = kFallbackHiLimit;
    double fLowLimit = kFallbackLowLimit;
    bool usedFallback = true; ///< true when the values are the fallbacks
};

/// Value of `key` in `lines`: the text after the first "=" of the first line
/// whose text before that "=" equals the key, ignoring letter case. A key that
/// no line names gives an empty text.
QString settingsValue(const QStringList &lines, const QString &key);

/// Sets `key` to `value`: replaces the value of the first line with that name
/// (letter case ignored) or appends "key=value".
void setSettingsValue(QStringList &lines, const QString &key, const QString &value);

/// Reads the three values from the file's lines. When any of them is missing,
/// malformed, or the port lies outside 1..8, all three fallbacks apply at once.
/// Numbers are read with "." as the decimal point whatever the locale.
SettingsValues parseSettings(const QStringList &lines);

/// Sets iPort, fHiLimit and fLowLimit in `lines`, in that order; starting from
/// an empty list this gives exactly the three lines of the file.
void storeSettings(QStringList &lines, int port, double hiLimit, double lowLimit);

/// Full path of the settings file inside `workDir`.
QString settingsFilePath(const QString &workDir);

/// Reads the file's lines; false when the file is missing or unreadable.
bool readSettingsLines(const QString &path, QStringList &lines);

/// Writes `lines`, each ended by CR LF, replacing the file only once every byte
/// was written (a failed write leaves the previous file as it was).
/// On failure `error` tells why.
bool writeSettingsLines(const QString &path, const QStringList &lines, QString *error = nullptr);

} // namespace orvel
