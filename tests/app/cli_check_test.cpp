// qen-cli check: one line per finding, files in the order given, and the
// exit status telling clean, findings and unreadable files apart.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.h"
#include "qen_cli.h"
#include "temp_folder.h"

namespace {

const std::filesystem::path kData = QEN_APP_TEST_DATA;
const std::string kClean = std::string(QEN_FILE_TEST_DATA) + "/start_led_end/input.xml";
const std::string kFindings = (kData / "check_findings.xml").string();

CliResult Check(std::vector<std::string> files) {
    files.insert(files.begin(), "check");
    return RunTool(files);
}

// The expected lines of check_findings.xml, named as given on the command line.
std::string FindingLines(const std::string& path) {
    std::string text = TempFolder::Read((kData / "check_findings_expected.txt").string());
    for (auto at = text.find("{path}"); at != std::string::npos; at = text.find("{path}", at))
        text.replace(at, 6, path);
    return text;
}

TEST(CliCheck, ACleanFilePrintsNothingAndExitsWithZero) {
    const CliResult run = Check({kClean});
    EXPECT_EQ(run.exit, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
}

TEST(CliCheck, FindingsArePrintedOnePerLineAndExitWithThree) {
    const CliResult run = Check({kFindings});
    EXPECT_EQ(run.exit, 3);
    EXPECT_EQ(run.out, FindingLines(kFindings));
    EXPECT_EQ(run.err, "");
}

TEST(CliCheck, FilesAreCheckedInTheOrderGiven) {
    const CliResult run = Check({kFindings, kClean, kFindings});
    EXPECT_EQ(run.exit, 3);
    EXPECT_EQ(run.out, FindingLines(kFindings) + FindingLines(kFindings));
}

TEST(CliCheck, AnUnreadableFileIsReportedAndTheOthersStillChecked) {
    TempFolder folder;
    const std::string broken = folder.File("broken.xml");
    TempFolder::Write(broken, "<qex><chart>");

    const CliResult run = Check({broken, kFindings, folder.File("missing.xml")});

    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.out, FindingLines(kFindings));
    EXPECT_NE(run.err.find("ファイル(" + broken + ")の読み込みを中止しました"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("ファイル(" + folder.File("missing.xml") + ")の読み込みを中止しました"),
              std::string::npos)
        << run.err;
}

TEST(CliCheck, NeedsAtLeastOneFile) {
    const CliResult run = Check({});
    EXPECT_EQ(run.exit, 2);
    EXPECT_EQ(run.err, "usage: qen-cli check FILE.xml...\n");
}

}  // namespace
