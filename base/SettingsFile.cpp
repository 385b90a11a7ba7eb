#include "base/SettingsFile.h"

#include "base/FloatText.h"
#include "base/WholeFile.h"
#include "resources/Strings.h"

#include <QDir>
#include <QFile>

namespace orvel {

namespace {
const QString kKeyPort = QStringLiteral("iPort");
const QString kKeyHiLimit = QStringLiteral("fHiLimit");
const QString kKeyLowLimit = QStringLiteral("fLowLimit");

qsizetype findKey(const QStringList &lines, const QString &key)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype eq = lines[i].indexOf(QLatin1Char('='));
        if (eq >= 0 && QStringView(lines[i]).left(eq).compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}
} // namespace

QString settingsValue(const QStringList &lines, const QString &key)
{
    const qsizetype i = findKey(lines, key);
    if (i < 0)
        return {};
    return lines[i].mid(lines[i].indexOf(QLatin1Char('=')) + 1);
}

void setSettingsValue(QStringList &lines, const QString &key, const QString &value)
{
    const qsizetype i = findKey(lines, key);
    if (i < 0)
        lines.append(key + QLatin1Char('=') + value);
    else
        lines[i] = lines[i].left(lines[i].indexOf(QLatin1Char('='))) + QLatin1Char('=') + value;
}

SettingsValues parseSettings(const QStringList &lines)
{
    const auto port = textToInt(settingsValue(lines, kKeyPort));
    if (!port || *port < 1 || *port > 8)
        return {};
    const auto hi = textToFloat(settingsValue(lines, kKeyHiLimit));
    if (!hi)
        return {};
    const auto low = textToFloat(settingsValue(lines, kKeyLowLimit));
    if (!low)
        return {};
    return {*port, *hi, *low, false};
}

void storeSettings(QStringList &lines, int port, double hiLimit, double lowLimit)
{
    setSettingsValue(lines, kKeyPort, QString::number(port));
    setSettingsValue(lines, kKeyHiLimit, floatToText(hiLimit));
    setSettingsValue(lines, kKeyLowLimit, floatToText(lowLimit));
}

QString settingsFilePath(const QString &workDir)
{
    // The stored name starts with a path separator, written the other platform's way.
    QString name = LoadStr(str::SettingsFileName);
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!name.startsWith(QLatin1Char('/')))
        name.prepend(QLatin1Char('/'));
    return workDir + name;
}

bool readSettingsLines(const QString &path, QStringList &lines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString text = QString::fromUtf8(file.readAll());
    if (file.error() != QFileDevice::NoError)
        return false;
    lines.clear();
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        lines.append(line);
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the final line break does not start another line
    return true;
}

bool writeSettingsLines(const QString &path, const QStringList &lines, QString *error)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + "\r\n";
    return writeWholeFile(path, bytes, error);
}

} // namespace orvel
