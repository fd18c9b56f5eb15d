// qen-cli: program images of the golden files, refusals with their exact
// messages, saving, and the command line itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.h"
#include "qen_cli.h"
#include "temp_folder.h"

namespace {

const std::filesystem::path kData = QEN_FILE_TEST_DATA;

std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kData))
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Expected(const std::filesystem::path& file, const std::string& input) {
    std::string text = TempFolder::Read(file.string());
    if (const auto at = text.find("{path}"); at != std::string::npos) text.replace(at, 6, input);
    return text;
}

// Each folder of the data holds input.xml and either expected.txt, the image
// qen-cli prints, or expected_error.txt, the messages of a refused file.
class GoldenFile : public ::testing::TestWithParam<std::string> {
protected:
    std::filesystem::path Folder() const { return kData / GetParam(); }
    std::string Input() const { return (Folder() / "input.xml").string(); }
    bool Refused() const { return std::filesystem::exists(Folder() / "expected_error.txt"); }
};

TEST_P(GoldenFile, ImageOrRefusalIsAsExpected) {
    const CliResult run = RunTool({"image", Input()});
    if (Refused()) {
        EXPECT_EQ(run.exit, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, Expected(Folder() / "expected_error.txt", Input()));
    } else {
        EXPECT_EQ(run.exit, 0) << run.err;
        EXPECT_EQ(run.out, Expected(Folder() / "expected.txt", Input()));
        EXPECT_EQ(run.err, "");
    }
}

TEST_P(GoldenFile, SavedCopyGivesTheSameImage) {
    TempFolder folder;
    const std::string copy = folder.File("copy.xml");
    const CliResult saved = RunTool({"save", Input(), copy});
    if (Refused()) {
        EXPECT_EQ(saved.exit, 1);
        EXPECT_EQ(saved.err, Expected(Folder() / "expected_error.txt", Input()));
        EXPECT_FALSE(std::filesystem::exists(copy));
        return;
    }
    ASSERT_EQ(saved.exit, 0) << saved.err;
    EXPECT_EQ(RunTool({"image", copy}).out, Expected(Folder() / "expected.txt", Input()));
    // A saved file is saved again unchanged.
    const std::string again = folder.File("again.xml");
    ASSERT_EQ(RunTool({"save", copy, again}).exit, 0);
    EXPECT_EQ(TempFolder::Read(again), TempFolder::Read(copy));
}

INSTANTIATE_TEST_SUITE_P(Data, GoldenFile, ::testing::ValuesIn(CaseNames()),
                         [](const auto& info) { return info.param; });

TEST(Cli, SaveRenumbersIdsAsALoadDoes) {
    TempFolder folder;
    const std::string in = folder.File("in.xml");
    TempFolder::Write(
        in,
        "<qex><chart chartId=\"0\"><fobj id=\"9\" symbol=\"端子\"><name>end_flow</name>"
        "<nuvoobj name=\"end_f\" argo=\"6\"/></fobj></chart></qex>");
    ASSERT_EQ(RunTool({"save", in, folder.File("out.xml")}).exit, 0);
    const std::string out = TempFolder::Read(folder.File("out.xml"));
    EXPECT_NE(out.find("<fobj id=\"1\" symbol=\"端子\">"), std::string::npos) << out;
    EXPECT_NE(out.find("0x00,0x00,0x00,0x00,0x00"), std::string::npos) << out;
}

TEST(Cli, AFailedWriteExitsWithTheError) {
    TempFolder folder;
    const CliResult run = RunTool(
        {"save", (kData / "start_led_end" / "input.xml").string(), folder.File("missing/out.xml")});
    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.err.find("Error: 00000002\n説明: "), 0u) << run.err;
}

TEST(Cli, HelpAndVersion) {
    const CliResult help = RunTool({"--help"});
    EXPECT_EQ(help.exit, 0);
    EXPECT_NE(help.out.find("image FILE.xml"), std::string::npos);
    EXPECT_NE(help.out.find("save IN.xml OUT.xml"), std::string::npos);
    const CliResult version = RunTool({"--version"});
    EXPECT_EQ(version.exit, 0);
    EXPECT_EQ(version.out, "qen-cli " QEN_EXPECTED_VERSION "\n");
}

TEST(Cli, BadUsageExitsWithTheUsageLine) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"compile"},
        {"image"},
        {"image", "a.xml", "b.xml"},
        {"save", "a.xml"},
        {"--help", "image"},
        {"--version", "x"},
        {"-x"},
    };
    for (const auto& arguments : cases) {
        const CliResult run = RunTool(arguments);
        EXPECT_EQ(run.exit, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("usage: qen-cli", 0), 0u);
    }
}

}  // namespace
