#include "recorder/IntervalText.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

TEST(IntervalText, ReadsWholeSecondsThatTheTimerCanRun)
{
    using K = IntervalAnswer::Kind;
    const struct
    {
        const char *typed;
        K kind;
        int seconds;
    } cases[] = {
        {"10", K::Seconds, 10},        {"0", K::Seconds, 0},
        {" 25 ", K::Seconds, 25},      {"2147483", K::Seconds, 2147483}, // 2147483000 ms still fits
        {"2147484", K::OutOfRange, 0},                                   // its milliseconds would not
        {"3000000", K::OutOfRange, 0}, {"99999999999999999999", K::OutOfRange, 0},
        {"-3", K::OutOfRange, 0},      {"abc", K::NotANumber, 0},
        {"", K::NotANumber, 0},        {"1.5", K::NotANumber, 0},
    };
    for (const auto &c : cases) {
        const IntervalAnswer a = parseIntervalSeconds(QString::fromLatin1(c.typed));
        EXPECT_EQ(a.kind, c.kind) << c.typed;
        EXPECT_EQ(a.seconds, c.seconds) << c.typed;
    }
}

} // namespace
} // namespace orvel
