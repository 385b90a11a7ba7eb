#include "tools/Usage.h"

#include <QRegularExpression>

namespace orvel::cli {

namespace {
// A command's first line: two spaces, then its name.
const QRegularExpression &commandLine()
{
    static const QRegularExpression re(QStringLiteral("^  ([a-z]+)(?: |$)"));
    return re;
}
} // namespace

QStringList usageCommands(const QString &usage)
{
    QStringList commands;
    for (const QString &line : usage.split(u'\n'))
        if (const QRegularExpressionMatch m = commandLine().match(line); m.hasMatch())
            commands << m.captured(1);
    return commands;
}

QString commandUsage(const QString &usage, const QString &command)
{
    if (command.isEmpty())
        return {};
    const QStringList lines = usage.split(u'\n');
    qsizetype first = -1;
    for (qsizetype i = 0; i < lines.size() && first < 0; ++i)
        if (commandLine().match(lines[i]).captured(1) == command)
            first = i;
    if (first < 0 || lines.isEmpty())
        return {};
    // "Usage: orvel-cli COMMAND [OPTIONS]": the words before COMMAND.
    const qsizetype lead = lines[0].indexOf(QLatin1String("orvel-cli"));
    QString text = lines[0].left(lead < 0 ? 0 : lead) + QStringLiteral("orvel-cli ") + lines[first].mid(2) + u'\n';
    for (qsizetype i = first + 1; i < lines.size(); ++i) {
        // The command's lines are indented further; the next command or a blank line ends them.
        if (!lines[i].startsWith(QLatin1String("   ")))
            break;
        text += lines[i] + u'\n';
    }
    // The closing paragraph says what a port is.
    const qsizetype closing = usage.trimmed().lastIndexOf(QLatin1String("\n\n"));
    if (text.contains(QLatin1String("PORT")) && closing >= 0 && command != QLatin1String("simulate"))
        text += u'\n' + usage.trimmed().mid(closing + 2) + u'\n';
    return text;
}

QStringList usageOptions(const QString &commandText)
{
    QStringList options;
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])--[a-z][a-z-]*"));
    for (auto it = option.globalMatch(commandText); it.hasNext();)
        options << it.next().captured();
    options.removeDuplicates();
    return options;
}

} // namespace orvel::cli
