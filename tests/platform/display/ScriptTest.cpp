#include <gtest/gtest.h>

#include "platform/host/display/headless/Script.h"

namespace {

using host::ScriptAction;
using Kind = ScriptAction::Kind;

TEST(Script, ReadsEveryActionAndSkipsBlankAndCommentLines)
{
    const char* text =
        "# a comment\n"
        "\n"
        "100 tap 10 20\r\n"
        "  150\tpress 5 -6  \n"
        "   # indented comment\n"
        "200 release 7 8\n"
        "250 dbltap 0 0\n"
        "300 snapshot out dir/shot one.png\n"
        "5000 quit";  // no line break at the end
    std::vector<ScriptAction> actions;
    std::string error;
    ASSERT_TRUE(host::ParseScript(text, actions, error)) << error;
    ASSERT_EQ(6u, actions.size());
    const struct {
        DWORD time;
        Kind kind;
        POINT point;
    } expected[] = {
        {100, Kind::Tap, {10, 20}},   {150, Kind::Press, {5, -6}},  {200, Kind::Release, {7, 8}},
        {250, Kind::DoubleTap, {0, 0}}, {300, Kind::Snapshot, {}},  {5000, Kind::Quit, {}},
    };
    for (size_t i = 0; i < actions.size(); ++i) {
        EXPECT_EQ(expected[i].time, actions[i].time) << i;
        EXPECT_EQ(expected[i].kind, actions[i].kind) << i;
        EXPECT_EQ(expected[i].point.x, actions[i].point.x) << i;
        EXPECT_EQ(expected[i].point.y, actions[i].point.y) << i;
    }
    EXPECT_EQ("out dir/shot one.png", actions[4].file);
}

TEST(Script, NamesTheLineOfAMistake)
{
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"tap 1 2", "line 1: the time must be a number of milliseconds"},
        {"-5 tap 1 2", "line 1: the time must be a number of milliseconds"},
        {"99999999999 quit", "line 1: the time must be a number of milliseconds"},  // beyond 32 bits
        {"# ok\n10 poke 1 2", "line 2: unknown action"},
        {"10 tap 1", "line 1: expected X and Y"},
        {"10 tap 1 y", "line 1: expected X and Y"},
        {"10 tap 1 2 3", "line 1: unexpected text after X and Y"},
        {"10 snapshot", "line 1: snapshot needs a file name"},
        {"10 quit now", "line 1: quit takes no arguments"},
    };
    for (const Case& c : cases) {
        std::vector<ScriptAction> actions;
        std::string error;
        EXPECT_FALSE(host::ParseScript(c.text, actions, error)) << c.text;
        EXPECT_EQ(c.error, error) << c.text;
    }
}

}  // namespace
