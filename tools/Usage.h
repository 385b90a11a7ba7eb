#pragma once
// orvel-cli's usage text, whole and a command at a time.

#include <QString>
#include <QStringList>

namespace orvel::cli {

/// What `usage` (the whole usage text, in the user's language) says of
/// `command`: its first line's lead ("Usage: orvel-cli ") before the command's
/// own lines, its options' lines, and, for a command that takes a port, the
/// closing paragraph on ports. Empty for a command the text does not describe.
QString commandUsage(const QString &usage, const QString &command);

/// The options (`--json`, `--port`, …) that a command's usage names.
QStringList usageOptions(const QString &commandText);

/// The commands the usage text describes, in its order.
QStringList usageCommands(const QString &usage);

} // namespace orvel::cli
