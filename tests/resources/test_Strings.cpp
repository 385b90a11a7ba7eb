#include "resources/Strings.h"

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
