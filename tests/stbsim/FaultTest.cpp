#include "stbsim/Fault.h"
#include "stbsim/BoxSocket.h"
#include "stbsim/CommandLine.h"

#include <gtest/gtest.h>

TEST(Fault, SpecsNameAKeyAndAMode)
{
    const auto close = ParseFaultRule("SIG_GET_CHDATA=close");
    ASSERT_TRUE(close);
    EXPECT_EQ(close->key, "SIG_GET_CHDATA");
    EXPECT_EQ(close->fault.kind, Fault::Kind::Close);
    const auto reply = ParseFaultRule("SIG_COMMAND_START:df=once:reply:a=b:c");
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->key, "SIG_COMMAND_START:df");
    EXPECT_EQ(reply->fault.text, "a=b:c");
    EXPECT_TRUE(reply->fault.once);
    const auto shortData = ParseFaultRule("SIG_SET_CHDATA=once:after:short:12");
    ASSERT_TRUE(shortData);
    EXPECT_EQ(shortData->fault.withheld, 12u);
    EXPECT_TRUE(shortData->fault.afterData);
    EXPECT_EQ(shortData->fault.Describe(), "once:after:short:12");
    EXPECT_EQ(ParseFaultRule("K=split")->fault.kind, Fault::Kind::Split);
    EXPECT_EQ(ParseFaultRule("K=stall")->fault.kind, Fault::Kind::Stall);
    EXPECT_EQ(ParseFaultRule("K=reply:")->fault.text, "");
    for (const char* bad : {"K", "=close", "K=", "K=explode", "K=short:", "K=short:-1",
                            "K=short:1x", "K=after:once:close"})
        EXPECT_FALSE(ParseFaultRule(bad)) << bad;
}

TEST(Fault, TheTableHandsOutOnceFaultsOnceAndKeepsThePhasesApart)
{
    FaultTable table;
    table.Set("A", Fault::Close().Once());
    table.Set("B", Fault::Split());
    table.Set("B", Fault::Reply("x").AfterData());
    EXPECT_TRUE(table.Take("A", false));
    EXPECT_FALSE(table.Take("A", false));
    EXPECT_EQ(table.Take("B", false)->kind, Fault::Kind::Split);
    EXPECT_EQ(table.Take("B", false)->kind, Fault::Kind::Split);
    EXPECT_EQ(table.Take("B", true)->text, "x");
    table.Clear("B");
    EXPECT_FALSE(table.Take("B", false));
    EXPECT_FALSE(table.Take("B", true));
}

// However long the text before it, a padded marker never straddles a 1023-byte boundary.
TEST(Fault, MarkerPaddingKeepsEveryMarkerInsideOneReceive)
{
    for (std::size_t marker : {12u, 17u, 19u, 22u})
        for (std::size_t body = 0; body < 5000; ++body) {
            const std::size_t pad = MarkerPadding(body, marker);
            const std::size_t start = body + pad;
            EXPECT_EQ(start / 1023, (start + marker - 1) / 1023) << body << " " << marker;
            EXPECT_LT(pad, marker);
        }
}

TEST(CommandLine, ReadsEveryOptionAndRefusesUnknownOnes)
{
    const CommandLine line = ParseCommandLine(
        {"--state", "/tmp/x", "--address", "127.0.0.9", "--port", "0", "--seed", "42", "--size",
         "tiny", "--quiet", "--fault", "SIG_CHN_START=stall", "--fault", "SIG_GET_CHDATA=short:5"});
    ASSERT_TRUE(line.error.empty()) << line.error;
    EXPECT_EQ(line.options.stateDir, "/tmp/x");
    EXPECT_EQ(line.options.address, "127.0.0.9");
    EXPECT_EQ(line.options.port, 0);
    EXPECT_EQ(line.options.seed, 42u);
    EXPECT_EQ(line.options.size, DemoSize::Tiny);
    EXPECT_EQ(line.options.log, nullptr);
    ASSERT_EQ(line.faults.size(), 2u);
    EXPECT_EQ(line.faults[1].fault.withheld, 5u);
    EXPECT_TRUE(ParseCommandLine({"--help"}).help);
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--port", "70000"},
                                               {"--port"},
                                               {"--size", "big"},
                                               {"--fault", "X"},
                                               {"--verbose"},
                                               {"--seed", "-1"}})
        EXPECT_FALSE(ParseCommandLine(bad).error.empty()) << bad[0];
    const std::string help = HelpText();
    for (const char* word : {"--state", "--address", "close", "reply:TEXT", "short:N", "split",
                             "stall", "once:", "after:", "disks.conf", "chdata.dat"})
        EXPECT_NE(help.find(word), std::string::npos) << word;
}
