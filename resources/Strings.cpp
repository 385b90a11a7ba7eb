#include "resources/Strings.h"

#include <algorithm>

namespace orvel {

std::span<const StringEntry> stringTable()
{
    return {kStringTable, kStringTableSize};
}

QString LoadStr(int id)
{
    const auto table = stringTable();
    const auto it =
        std::lower_bound(table.begin(), table.end(), id, [](const StringEntry &e, int key) { return e.id < key; });
    if (it == table.end() || it->id != id)
        return {};
    return QString::fromUtf8(it->text);
}

namespace {
QString replaceFirst(QString text, QLatin1StringView what, const QString &with)
{
    const qsizetype at = text.indexOf(what);
    if (at >= 0)
        text.replace(at, what.size(), with);
    return text;
}
} // namespace

QString LoadStrFmt(int id, int value)
{
    return replaceFirst(LoadStr(id), QLatin1StringView("%d"), QString::number(value));
}

QString LoadStrFmt(int id, int first, int second)
{
    const QString once = replaceFirst(LoadStr(id), QLatin1StringView("%d"), QString::number(first));
    return replaceFirst(once, QLatin1StringView("%d"), QString::number(second));
}

QString LoadStrArg(int id, const QString &arg)
{
    return replaceFirst(LoadStr(id), QLatin1StringView("%s"), arg);
}

} // namespace orvel
