// Saving to disk: the file replaces the previous one only once it is
// complete, and a failed write is reported, never passed off as a save.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <string>

#include "file_fixture.h"
#include "file_messages.h"
#include "save_all.h"
#include "temp_folder.h"

namespace {

class Saving : public ::testing::Test, public StoreFixture {
protected:
    TempFolder folder;
    const std::string target = folder.File("chart.xml");
};

TEST_F(Saving, WritesTheDocumentAndReplacesItOnTheNextSave) {
    store.CreateSymbol(0, Kind::Led, 0, 0);
    ASSERT_TRUE(SaveAll(store, target, {}));
    EXPECT_EQ(TempFolder::Read(target), WriteDocument(store, {}));
    store.CreateSymbol(1, Kind::Wait, 0, 0);
    ASSERT_TRUE(SaveAll(store, target, {}));
    EXPECT_EQ(TempFolder::Read(target), WriteDocument(store, {}));
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"chart.xml"}));
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(Saving, AReplacedFileKeepsItsPermissions) {
    TempFolder::Write(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ASSERT_TRUE(SaveAll(store, target, {}));
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(Saving, AnEmptyPathWritesNothingAndSaysNothing) {
    EXPECT_FALSE(SaveAll(store, "", {}));
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(Saving, AFolderThatDoesNotExistIsReportedWithTheSystemError) {
    EXPECT_FALSE(SaveAll(store, folder.File("missing/chart.xml"), {}));
    EXPECT_EQ(messages.boxes,
              (std::vector<std::string>{"Error: 00000002\n説明: No such file or directory\n"}));
}

TEST_F(Saving, AFailedRenameLeavesTheTargetAndNoTemporaryFile) {
    const std::string busy = folder.File("busy.xml");
    std::filesystem::create_directories(busy + "/inside");
    EXPECT_FALSE(SaveAll(store, busy, {}));
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].rfind("Error: 00000015\n説明: ", 0), 0u) << messages.boxes[0];
    EXPECT_TRUE(std::filesystem::exists(busy + "/inside"));
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"busy.xml"}));
}

// A write that fails half way (here: the file size limit, as a full disk
// would) keeps the previous file whole.
TEST_F(Saving, AWriteThatFailsHalfWayKeepsThePreviousFile) {
    for (int i = 0; i < 40; ++i) store.CreateSymbol(0, Kind::Led, 0, 0);
    const std::string previous = "<?xml version=\"1.0\"?><qex/>";
    TempFolder::Write(target, previous);

    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    ::getrlimit(RLIMIT_FSIZE, &oldLimit);
    rlimit small = oldLimit;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = SaveAll(store, target, {});
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(messages.boxes, (std::vector<std::string>{WriteErrorText(EFBIG, "File too large")}));
    EXPECT_EQ(TempFolder::Read(target), previous);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"chart.xml"}));
}

TEST(WriteErrorText, ShowsTheCodeAsEightHexDigits) {
    EXPECT_EQ(WriteErrorText(0x1B, "File too large"), "Error: 0000001B\n説明: File too large\n");
}

}  // namespace
