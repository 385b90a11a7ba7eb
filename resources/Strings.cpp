#include "resources/Strings.h"

#include <QCoreApplication>

#include <algorithm>

namespace orvel {

std::span<const StringEntry> stringTable()
{
    return {kStringTable, kStringTableSize};
}

namespace {
const StringEntry *findEntry(int id)
{
    const auto table = stringTable();
    const auto it =
        std::lower_bound(table.begin(), table.end(), id, [](const StringEntry &e, int key) { return e.id < key; });
    return it == table.end() || it->id != id ? nullptr : &*it;
}
} // namespace

QString LoadStr(int id)
{
    const StringEntry *e = findEntry(id);
    if (!e)
        return {};
    // Without a translator (English) translate() gives the text itself.
    return e->fixed ? QString::fromUtf8(e->text) : QCoreApplication::translate(kStringContext, e->text);
}

QString sourceText(int id)
{
    const StringEntry *e = findEntry(id);
    return e ? QString::fromUtf8(e->text) : QString();
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
