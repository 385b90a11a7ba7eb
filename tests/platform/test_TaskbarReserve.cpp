#include "platform/TaskbarReserve.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

TEST(TaskbarReserve, IsThePanelHeightAtTheBottom)
{
    EXPECT_EQ(taskbarReserveFor({0, 0, 1920, 1080}, {0, 0, 1920, 1040}), 40);
}

TEST(TaskbarReserve, IsZeroWhenNothingIsReservedAtTheBottom)
{
    EXPECT_EQ(taskbarReserveFor({0, 0, 1920, 1080}, {0, 0, 1920, 1080}), 0) << "hidden or auto-hiding panel";
    EXPECT_EQ(taskbarReserveFor({0, 0, 1920, 1080}, {0, 32, 1920, 1048}), 0) << "panel at the top";
    EXPECT_EQ(taskbarReserveFor({0, 0, 1920, 1080}, {64, 0, 1856, 1080}), 0) << "panel at the left";
}

TEST(TaskbarReserve, WorksOnAScreenThatIsNotAtTheOrigin)
{
    EXPECT_EQ(taskbarReserveFor({1920, 0, 1280, 1024}, {1920, 0, 1280, 994}), 30);
}

TEST(TaskbarReserve, IgnoresNonsense)
{
    EXPECT_EQ(taskbarReserveFor({}, {}), 0);
    EXPECT_EQ(taskbarReserveFor({0, 0, 800, 600}, {0, 0, 800, 900}), 0);
}

} // namespace
} // namespace orvel
