#include "base/Messageshow.h"

#include "resources/Strings.h"
#include "tests/support/ScriptedPrompt.h"

#include <QObject>

#include <gtest/gtest.h>

namespace orvel {
namespace {

using test::ScopedPrompt;
using B = PromptButton;

TEST(CodedCaption, NamesTheTextNumber)
{
    EXPECT_EQ(codedCaption(9999, 9004), "Error[E9004]");
    EXPECT_EQ(codedCaption(8999, 8001), "Warning[W8001]");
}

TEST(ShowCodedMessage, HasOkTheStopIconAndItsOwner)
{
    ScopedPrompt prompt;
    QObject owner;
    ShowCodedMessage(&owner, 8999, 8008);
    ASSERT_EQ(prompt->messages.size(), 1);
    const MessageRequest &m = prompt->messages[0];
    EXPECT_EQ(m.caption, "Warning[W8008]");
    EXPECT_EQ(m.text, "First page.");
    EXPECT_EQ(m.buttons, QList<B>{B::Ok});
    EXPECT_EQ(m.icon, PromptIcon::Stop);
    EXPECT_EQ(m.defaultButton, B::Ok);
    EXPECT_EQ(m.owner, &owner);
}

// Each numbered box of the program with its caption, text, buttons, icon and default.
struct BoxRow
{
    int captionFormat;
    int textId;
    const char *caption;
    const char *text;
    QList<B> buttons;
    PromptIcon icon;
    B defaultButton;
};

void PrintTo(const BoxRow &row, std::ostream *os)
{
    *os << row.caption;
}

class MessageBoxTable : public ::testing::TestWithParam<BoxRow>
{};

TEST_P(MessageBoxTable, ShowsWhatTheRowSays)
{
    const BoxRow &row = GetParam();
    ScopedPrompt prompt;
    prompt->answers = {row.buttons.last()};
    const B answer = MessageShow(nullptr, row.captionFormat, row.textId, row.buttons, row.icon, row.defaultButton);
    ASSERT_EQ(prompt->messages.size(), 1);
    const MessageRequest &m = prompt->messages[0];
    EXPECT_EQ(m.caption, QString::fromUtf8(row.caption));
    EXPECT_EQ(m.text, QString::fromUtf8(row.text));
    EXPECT_EQ(m.buttons, row.buttons);
    EXPECT_EQ(m.icon, row.icon);
    EXPECT_EQ(m.defaultButton, row.defaultButton == B::None ? row.buttons.first() : row.defaultButton);
    EXPECT_EQ(answer, row.buttons.last()) << "the caller acts on the button pressed";
}

const BoxRow kRows[] = {
    {8999,
     8001,
     "Warning[W8001]",
     "You must select a valid COM port before linking to the DMM.",
     {B::Ok},
     PromptIcon::Exclamation,
     B::None},
    {8999,
     8014,
     "Warning[W8014]",
     "Do you really want to abort import data ?",
     {B::Yes, B::No},
     PromptIcon::Question,
     B::No},
    {9999, 9001, "Error[E9001]", "The specified serial port open error.", {B::Ok}, PromptIcon::Stop, B::None},
    {9999, 9009, "Error[E9009]", "The COM port setting raises an error.", {B::Ok}, PromptIcon::Exclamation, B::None},
    {9999, 9008, "Error[E9008]", "Limit setting is unacceptable.", {B::Ok}, PromptIcon::Stop, B::None},
    {9999, 9006, "Error[E9006]", "Insufficient system memory !", {B::Ok}, PromptIcon::Stop, B::None},
    {9999,
     9002,
     "Error[E9002]",
     "You must link to the DMM by clicking the link button before starting data logging.",
     {B::Ok},
     PromptIcon::Stop,
     B::None},
    {9999,
     9003,
     "Error[E9003]",
     "Unable to create file for real time temporary storage in hard disk.",
     {B::Ok},
     PromptIcon::Stop,
     B::None},
    {8999,
     8002,
     "Warning[W8002]",
     "Do you really want to clear the data in buffer ?",
     {B::Ok, B::Cancel},
     PromptIcon::Question,
     B::Cancel},
    {9999, 9004, "Error[E9004]", "File open error.", {B::Ok}, PromptIcon::Stop, B::None},
    {9999, 9005, "Error[E9005]", "File save error.", {B::Ok}, PromptIcon::Stop, B::None},
    {8999, 8008, "Warning[W8008]", "First page.", {B::Ok}, PromptIcon::Stop, B::None},
    {8999, 8009, "Warning[W8009]", "Last page.", {B::Ok}, PromptIcon::Stop, B::None},
    {9999, 9007, "Error[E9007]", "Not a valid floating point value !", {B::Ok}, PromptIcon::Stop, B::None},
    {9999, 9013, "Error[E9013]", "Please \"Browse\" and specify a file name !", {B::Ok}, PromptIcon::Stop, B::None},
};

INSTANTIATE_TEST_SUITE_P(AllNumberedBoxes, MessageBoxTable, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<BoxRow> &row) {
                             return std::string(row.param.captionFormat == 9999 ? "E" : "W") +
                                    std::to_string(row.param.textId) + "_" + std::to_string(row.index);
                         });

TEST(MessageShowText, JoinsTwoEntriesAndNamesTheFirst)
{
    ScopedPrompt prompt;
    prompt->answers = {B::Cancel};
    const QString text = LoadStr(8003) + '\n' + LoadStr(7005);
    const B answer =
        MessageShowText(nullptr, 8999, 8003, text, {B::Yes, B::No, B::Cancel}, PromptIcon::Question, B::Cancel);
    EXPECT_EQ(answer, B::Cancel);
    ASSERT_EQ(prompt->messages.size(), 1);
    EXPECT_EQ(prompt->messages[0].caption, "Warning[W8003]");
    EXPECT_EQ(prompt->messages[0].text, "Buffer has data.\nDo you want to save the data to a file before exit ?");
    EXPECT_EQ(prompt->messages[0].defaultButton, B::Cancel);
}

TEST(ConsolePrompt, AnswersWithTheDefaultButton)
{
    const auto console = makeConsolePrompt();
    MessageRequest request;
    request.caption = "Warning[W8014]";
    request.buttons = {B::Yes, B::No};
    request.defaultButton = B::No;
    testing::internal::CaptureStderr();
    EXPECT_EQ(console->message(request), B::No);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Warning[W8014]"), std::string::npos);
}

} // namespace
} // namespace orvel
