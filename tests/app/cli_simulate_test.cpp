// qen-cli simulate: the timeline it prints, the inputs and the time limit it takes,
// its exit codes and its refusals of files and option values.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "qen_cli.h"

namespace {

const std::filesystem::path kAppData = QEN_APP_TEST_DATA;
const std::filesystem::path kFileData = QEN_FILE_TEST_DATA;

std::string Chart(const std::string& name) { return (kAppData / name / "input.xml").string(); }

struct Result {
    int exit = -1;
    std::string out;
    std::string err;
};

Result Simulate(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "simulate");
    std::ostringstream out;
    std::ostringstream err;
    const int exit = RunCli(arguments, {out, err});
    return {exit, out.str(), err.str()};
}

TEST(CliSimulate, PrintsEachOutputChangeAndTheEndAtTheirSimulatedTimes) {
    // start -> red -> wait 1.0 s -> dark -> end
    const Result run = Simulate({Chart("red_second")});
    EXPECT_EQ(run.exit, 0);
    EXPECT_EQ(run.out, "1 led F00\n1002 led 000\n1003 end ended\n");
    EXPECT_EQ(run.err, "");
}

struct InputCase {
    std::string name;
    std::vector<std::string> options;
    std::string out;
};

class CliSimulateInputs : public ::testing::TestWithParam<InputCase> {};

// Light ≧ 100 -> white LED, temperature ≧ 30 -> USB power, sound ≧ 50 -> output 3,
// switch -> red, time ≧ 12:00 -> buzzer, each decision 2 ms after the one before.
TEST_P(CliSimulateInputs, DecideWhatTheProgramDoes) {
    std::vector<std::string> arguments = {Chart("decisions")};
    arguments.insert(arguments.end(), GetParam().options.begin(), GetParam().options.end());
    const Result run = Simulate(arguments);
    EXPECT_EQ(run.exit, 0) << run.err;
    EXPECT_EQ(run.out, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliSimulateInputs,
    ::testing::Values(
        InputCase{"Defaults", {}, "2 white-led on\n7 end ended\n"},
        InputCase{"Everything",
                  {"--light", "100", "--temperature", "30", "--sound", "50", "--switch", "on",
                   "--clock", "12:00"},
                  "2 white-led on\n4 usb-power on\n6 output3 on\n8 led F00\n10 sound buzzer 1\n"
                  "11 end ended\n"},
        InputCase{"JustBelowEveryEdge",
                  {"--light", "99", "--temperature", "29", "--sound", "49", "--switch", "off",
                   "--clock", "11:59"},
                  "6 end ended\n"},
        InputCase{"BelowZero", {"--temperature", "-10", "--light", "0"}, "6 end ended\n"},
        InputCase{"LateInTheDay", {"--clock", "23:59"},
                  "2 white-led on\n7 sound buzzer 1\n8 end ended\n"}),
    [](const auto& info) { return info.param.name; });

TEST(CliSimulate, StopsARunningProgramAtTheLimit) {
    // red, wait 0.5 s, dark, wait 0.5 s, for ever
    const Result shortRun = Simulate({Chart("blink"), "--seconds", "1.5"});
    EXPECT_EQ(shortRun.exit, 0);
    EXPECT_EQ(shortRun.out, "1 led F00\n502 led 000\n1003 led F00\n1500 end running\n");

    const Result minute = Simulate({Chart("blink")});
    EXPECT_EQ(minute.exit, 0);
    std::istringstream lines(minute.out);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) all.push_back(line);
    ASSERT_EQ(all.size(), 121u);  // a change every 501 ms, then the end
    EXPECT_EQ(all[119], "59620 led 000");
    EXPECT_EQ(all.back(), "60000 end running");

    EXPECT_EQ(Simulate({Chart("blink"), "--seconds", "0"}).out, "0 end running\n");
}

TEST(CliSimulate, AnExecutionErrorEndsWithItsReasonAndExitOne) {
    const Result run = Simulate({Chart("no_next")});
    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.out, "1 led 0F0\n2 end error slot 2 leads nowhere\n");
    EXPECT_EQ(run.err, "");
}

TEST(CliSimulate, AFileThatDoesNotLoadIsRefusedWithTheLoadersMessage) {
    const std::string file = (kFileData / "refused_syntax" / "input.xml").string();
    std::ostringstream imageErr;
    std::ostringstream imageOut;
    RunCli(std::vector<std::string>{"image", file}, {imageOut, imageErr});
    const Result run = Simulate({file});
    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(run.err.empty());
    EXPECT_EQ(run.err, imageErr.str());
}

TEST(CliSimulate, BadValuesAreBadUsage) {
    const std::string usage =
        "usage: qen-cli simulate FILE.xml [--seconds S] [--light N] [--temperature N] "
        "[--sound N] [--switch on|off] [--clock HH:MM]\n";
    const std::vector<std::vector<std::string>> cases = {
        {},
        {Chart("blink"), "--seconds"},
        {Chart("blink"), "--seconds", "-1"},
        {Chart("blink"), "--seconds", "1.2345"},
        {Chart("blink"), "--seconds", "1."},
        {Chart("blink"), "--seconds", "86400.001"},
        {Chart("blink"), "--light", "65536"},
        {Chart("blink"), "--light", "5x"},
        {Chart("blink"), "--temperature", "40000"},
        {Chart("blink"), "--sound", "-1"},
        {Chart("blink"), "--switch", "yes"},
        {Chart("blink"), "--clock", "24:00"},
        {Chart("blink"), "--clock", "7:30"},
        {Chart("blink"), "--light", "1", "--light", "2"},
    };
    for (const auto& arguments : cases) {
        const Result run = Simulate(arguments);
        EXPECT_EQ(run.exit, 2) << ::testing::PrintToString(arguments);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, usage) << ::testing::PrintToString(arguments);
    }
    EXPECT_EQ(Simulate({Chart("red_second"), "--seconds", "86400"}).exit, 0);
}

}  // namespace
