#include "tools/Rotation.h"

#include <QRegularExpression>

namespace orvel::cli {

namespace {
constexpr qint64 kSecondMs = 1000;
constexpr qint64 kLongestMs = 366LL * 24 * 3600 * kSecondMs;
} // namespace

std::optional<Rotation> parseRotation(const QString &text)
{
    if (text == QLatin1String("never"))
        return Rotation{Rotation::Never, 0};
    if (text == QLatin1String("daily"))
        return Rotation{Rotation::Daily, 0};
    static const QRegularExpression duration(QStringLiteral("^(\\d{1,9})([smhd]?)$"));
    const QRegularExpressionMatch m = duration.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QString unit = m.captured(2);
    const qint64 unitMs = unit == QLatin1String("d")   ? 86400 * kSecondMs
                          : unit == QLatin1String("h") ? 3600 * kSecondMs
                          : unit == QLatin1String("m") ? 60 * kSecondMs
                                                       : kSecondMs;
    const qint64 ms = m.captured(1).toLongLong() * unitMs;
    if (ms < kSecondMs || ms > kLongestMs)
        return std::nullopt;
    return Rotation{Rotation::Every, ms};
}

RotationClock::RotationClock(const Rotation &rotation, const QDate &startDate)
    : rotation_(rotation)
    , fileDate_(startDate)
    , nextSeamMs_(rotation.everyMs)
{}

bool RotationClock::beginsFile(qint64 elapsedMs, const QDate &date)
{
    switch (rotation_.kind) {
    case Rotation::Never: return false;
    case Rotation::Daily:
        // A date that changed either way: midnight, or a clock set back a day.
        if (date == fileDate_)
            return false;
        fileDate_ = date;
        return true;
    case Rotation::Every:
        if (elapsedMs < nextSeamMs_)
            return false;
        // Seams that passed without a reading (a silent meter) make one new file, not several.
        nextSeamMs_ += ((elapsedMs - nextSeamMs_) / rotation_.everyMs + 1) * rotation_.everyMs;
        return true;
    }
    return false;
}

QString stampedName(const QString &path, const QDateTime &at, int attempt)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash + 1) // no extension (or a name that only starts with a dot)
        dot = path.size();
    QString stamp = at.toString(QStringLiteral("-yyyyMMdd-HHmmss"));
    if (attempt > 1)
        stamp += QLatin1Char('-') + QString::number(attempt);
    return path.left(dot) + stamp + path.mid(dot);
}

} // namespace orvel::cli
