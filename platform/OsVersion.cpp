#include "platform/OsVersion.h"

#include "resources/Strings.h"

#include <QRegularExpression>

#include <sys/utsname.h>

namespace orvel {

namespace {
constexpr int kSystemLinux = 2024; // "System: Linux "
} // namespace

OsVersion osVersion()
{
    struct utsname name = {};
    if (::uname(&name) != 0)
        return {};
    return parseOsRelease(QString::fromLocal8Bit(name.release));
}

OsVersion parseOsRelease(const QString &release)
{
    // "6.1.0-13-amd64": the leading number is the major version, the one after
    // the first dot the minor; anything behind them (patch, build, flavour) is ignored.
    static const QRegularExpression leading(QStringLiteral("^(\\d+)(?:\\.(\\d+))?"));
    const QRegularExpressionMatch match = leading.match(release);
    if (!match.hasMatch())
        return {};
    bool majorOk = false;
    bool minorOk = true;
    OsVersion version;
    version.major = match.captured(1).toInt(&majorOk);
    if (match.hasCaptured(2))
        version.minor = match.captured(2).toInt(&minorOk);
    if (!majorOk || !minorOk) // too many digits for a version number: not a release text
        return {};
    return version;
}

QString systemLine(const OsVersion &version)
{
    return LoadStr(kSystemLinux) + QString::number(version.major) + QLatin1Char('.') + QString::number(version.minor);
}

} // namespace orvel
