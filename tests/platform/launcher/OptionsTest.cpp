#include <gtest/gtest.h>

#include "platform/host/launcher/Options.h"

namespace {

host::Options Parsed(const std::vector<std::string>& arguments)
{
    host::Options options;
    std::string error;
    EXPECT_TRUE(host::ParseOptions(arguments, options, error)) << error;
    return options;
}

TEST(Options, DefaultsWithoutArguments)
{
    const host::Options options = Parsed({});
    EXPECT_EQ(host::Options::Backend::Auto, options.backend);
    EXPECT_EQ(240, options.screenWidth);
    EXPECT_EQ(320, options.screenHeight);
    EXPECT_FALSE(options.runFor);  // headless runs take 5000 ms, X11 runs last until quit
    EXPECT_TRUE(options.commandLine.empty());
    EXPECT_FALSE(options.fakeMemory || options.fakeDisk || options.fakeBattery);
}

TEST(Options, ReadsEveryOption)
{
    const host::Options options =
        Parsed({"--headless", "--screen", "480x640", "--run-for", "1200", "--snapshot", "a.png", "--script", "s.txt",
                "--realtime", "--fake-memory", "100/200", "--fake-disk", "5/10", "--fake-battery", "42,ac,charging"});
    EXPECT_EQ(host::Options::Backend::Headless, options.backend);
    EXPECT_TRUE(options.realtime);
    EXPECT_EQ(480, options.screenWidth);
    EXPECT_EQ(640, options.screenHeight);
    EXPECT_EQ(1200u, options.runFor.value_or(0));
    EXPECT_EQ("a.png", options.snapshot);
    EXPECT_EQ("s.txt", options.script);
    ASSERT_TRUE(options.fakeMemory);
    EXPECT_EQ(100u, options.fakeMemory->availPhys);
    EXPECT_EQ(200u, options.fakeMemory->totalPhys);
    EXPECT_EQ(100u, options.fakeMemory->availVirtual);  // no pair of its own: like the memory
    ASSERT_TRUE(options.fakeDisk);
    EXPECT_FALSE(options.fakeDisk->fail);
    EXPECT_EQ(5u, options.fakeDisk->freeBytes);
    ASSERT_TRUE(options.fakeBattery);
    EXPECT_EQ(42, options.fakeBattery->percent);
    EXPECT_TRUE(options.fakeBattery->charging && options.fakeBattery->onAC);
}

TEST(Options, FakesTakeTheirSpecialWords)
{
    const host::Options options = Parsed({"--fake-memory", "1/2/3/4", "--fake-disk", "fail", "--fake-battery", "none"});
    EXPECT_EQ(3u, options.fakeMemory->availVirtual);
    EXPECT_EQ(4u, options.fakeMemory->totalVirtual);
    EXPECT_TRUE(options.fakeDisk->fail);
    EXPECT_TRUE(options.fakeBattery->none);
    // Any value of the power record's byte, so that tests can show what is drawn for 255.
    EXPECT_EQ(255, Parsed({"--fake-battery", "255"}).fakeBattery->percent);
}

TEST(Options, ReadsShortAndAttachedForms)
{
    EXPECT_EQ("a.ini", Parsed({"-c", "a.ini"}).config);
    EXPECT_EQ("b c.ini", Parsed({"--config", "b c.ini"}).config);
    EXPECT_EQ("x=y.ini", Parsed({"--config=x=y.ini"}).config);  // only the first "=" separates
    const host::Options screen = Parsed({"--screen=480x640"});
    EXPECT_EQ(480, screen.screenWidth);
    EXPECT_EQ(640, screen.screenHeight);
    EXPECT_TRUE(Parsed({"-h"}).help && Parsed({"--help"}).help);
    EXPECT_TRUE(Parsed({"-V"}).version && Parsed({"--version"}).version);
    EXPECT_EQ(true, Parsed({"--autostart", "on"}).autostart);
    EXPECT_EQ(false, Parsed({"--autostart=off", "-c", "l.ini"}).autostart);
    EXPECT_FALSE(Parsed({}).autostart);
}

TEST(Options, ProcessorAndNetworkFakesTakeTheirRanges)
{
    const host::Options options = Parsed({"--fake-cpu", "100", "--fake-net", "1000000000/0"});
    EXPECT_EQ(100, options.fakeCpu.value_or(-1));
    ASSERT_TRUE(options.fakeNetwork);
    EXPECT_EQ(1000000000u, options.fakeNetwork->received);
    EXPECT_EQ(0u, options.fakeNetwork->sent);
    const std::vector<std::vector<std::string>> refused = {
        {"--fake-cpu", "101"},
        {"--fake-cpu", "-1"},
        {"--fake-cpu", "50%"},
        {"--fake-net", "1000"},
        {"--fake-net", "1000/2000/3"},
        {"--fake-net", "1000000001/0"},  // would wrap the 32-bit counters too fast to measure
    };
    for (const auto& arguments : refused) {
        host::Options refusing;
        std::string error;
        EXPECT_FALSE(host::ParseOptions(arguments, refusing, error)) << arguments[1];
    }
}

// --check takes the list as a start does: the rest of the command line.
TEST(Options, CheckAndNoReloadAreFlagsBeforeTheList)
{
    const host::Options options = Parsed({"--check", "--no-reload", "my list.ini"});
    EXPECT_TRUE(options.check);
    EXPECT_TRUE(options.noReload);
    EXPECT_EQ(u"my list.ini", options.commandLine);
}

TEST(Options, TheRestIsTheProgramsCommandLine)
{
    struct Case {
        std::vector<std::string> arguments;
        std::u16string commandLine;
    };
    const Case cases[] = {
        {{"--headless", "list.ini"}, u"list.ini"},
        {{"--headless", "--", "--screen", "x"}, u"--screen x"},  // after "--" nothing is an option
        {{"list.ini", "--run-for", "100"}, u"list.ini"},  // options after the name, as GNU programs take them
        {{"my", "--headless", "panel list.ini"}, u"my panel list.ini"},
        {{"my", "--", "--x.ini"}, u"my --x.ini"},
        {{"--", "Übersicht.ini"}, u"Übersicht.ini"},
        {{"--"}, u""},
        {{"-"}, u"-"},                            // a lone dash is a name
        {{"--", "-h"}, u"-h"},                    // and so is anything after "--"
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.commandLine, Parsed(c.arguments).commandLine);
}

TEST(Options, RefusesWhatItCannotRead)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--colour"},
        {"--screen"},
        {"--screen", "240"},
        {"--screen", "0x320"},
        {"--screen", "99999x320"},
        {"--run-for", "-1"},
        {"--run-for", "soon"},
        {"--fake-memory", "1/2/3"},
        {"--fake-disk", "5"},
        {"--fake-battery", "256"},  // the power record holds one byte
        {"--fake-battery", "50,full"},
        {"-x"},                          // a dash word that is no option is not taken as a list name
        {"-c"},
        {"-c", ""},
        {"--config="},
        {"--headless=yes"},              // a switch takes no value
        {"--backend", "gtk"},
        {"--backend", "X11"},
        {"--autostart", "yes"},
        {"-c", "a.ini", "b.ini"},        // two panel lists
        {"b.ini", "-c", "a.ini"},
        {"list.ini", "--bogus"},
        {"--scale", "0"},
        {"--scale", "5"},
        {"--scale", "1.5"},
        {"--scale", "abc"},
        {"--monitor", ""},
    };
    for (const auto& arguments : cases) {
        host::Options options;
        std::string error;
        EXPECT_FALSE(host::ParseOptions(arguments, options, error)) << arguments[0];
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
