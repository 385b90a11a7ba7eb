#include "resources/Strings.h"

#include <QRegularExpression>
#include <QTranslator>

#include <gtest/gtest.h>

namespace orvel {
namespace {

TEST(StringTable, IsSortedWithUniqueIdsInRange)
{
    const auto table = stringTable();
    ASSERT_GT(table.size(), 100u);
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_GE(table[i].id, 1);
        EXPECT_LE(table[i].id, 9999);
        ASSERT_NE(table[i].text, nullptr);
        if (i > 0) {
            EXPECT_LT(table[i - 1].id, table[i].id) << "ids must be ascending and unique: " << table[i].id;
        }
    }
}

TEST(StringTable, EveryEntryIsFoundByItsId)
{
    for (const StringEntry &e : stringTable())
        EXPECT_EQ(LoadStr(e.id), QString::fromUtf8(e.text)) << e.id;
}

TEST(StringTable, UnknownIdsGiveEmptyText)
{
    EXPECT_TRUE(LoadStr(0).isEmpty());
    EXPECT_TRUE(LoadStr(4).isEmpty());
    EXPECT_TRUE(LoadStr(10000).isEmpty());
    EXPECT_TRUE(LoadStr(-1).isEmpty());
}

TEST(StringTable, KeepsBlanksQuotesAndSeparatorsExactly)
{
    EXPECT_EQ(LoadStr(7), "\\ZEVDL.ini");
    EXPECT_EQ(LoadStr(206), "Input an integer value ? ");
    EXPECT_EQ(LoadStr(8012), "Acquiring  data from DMM ... please wait ...");
    EXPECT_EQ(LoadStr(9013), "Please \"Browse\" and specify a file name !");
    EXPECT_EQ(LoadStr(52) + ' ' + LoadStr(1), "Orvel Data Logging System");
}

TEST(StringTable, AboutBoxShowsTheBuildsVersion)
{
    EXPECT_EQ(LoadStr(str::Version), QStringLiteral("Ver " ORVEL_VERSION));
}

// What a translation must keep of a text: what the code fills in (%d and %s
// in their order, %1 … in any), the accelerators, the blanks at either end,
// and in a usage text the commands and options and the column their
// descriptions start in.
std::string shapeOf(const QString &text)
{
    QStringList shape;
    auto add = [&](const char *pattern, int group = 0, bool sorted = false) {
        QStringList found;
        const QRegularExpression re(QString::fromLatin1(pattern), QRegularExpression::MultilineOption);
        for (auto it = re.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const qsizetype column = m.capturedEnd() - 1 - (text.lastIndexOf(u'\n', m.capturedStart()) + 1);
            found << (group < 0 ? QString::number(column) : m.captured(group));
        }
        if (sorted)
            found.sort();
        shape << found.join(' ');
    };
    add("%[ds]"), add("%[1-9]", 0, true), add("(?<!&)&(?!&)"), add("\\A\\s*|\\s*\\z"), add("--[a-z-]+");
    add("^  ([a-z]+)\\b", 1), add("^ +\\S+(?: \\S+)*  +\\S", -1);
    return shape.join(QStringLiteral(" / ")).toStdString();
}

TEST(StringTable, EveryTextHasAGermanTranslationThatKeepsItsShape)
{
    QTranslator german;
    ASSERT_TRUE(german.load(QStringLiteral(ORVEL_TRANSLATIONS_DIR "/orvel_de.qm")));
    int translated = 0;
    for (const StringEntry &e : stringTable()) {
        if (e.fixed)
            continue;
        const QString text = german.translate(kStringContext, e.text);
        EXPECT_EQ(text.isEmpty() ? "no German text" : shapeOf(text), shapeOf(QString::fromUtf8(e.text)))
            << e.id << " \"" << e.text << "\" is \"" << text.toStdString() << '"';
        translated += !text.isEmpty();
    }
    EXPECT_GT(translated, 250);
}

TEST(StringFormat, FillsPlaceholdersInOrder)
{
    EXPECT_EQ(LoadStrFmt(9999, 9001), "Error[E9001]");
    EXPECT_EQ(LoadStrFmt(7003, 2, 3), "Page : 2 of 3");
    EXPECT_EQ(LoadStrFmt(7999, 10, 400), "Reading Data : 10 of 400");
    EXPECT_EQ(LoadStrArg(9102, "/tmp/x"), "Cannot create file /tmp/x");
    EXPECT_EQ(LoadStrArg(9104, "12a"), "'12a' is not a valid integer value");
}

} // namespace
} // namespace orvel
