// The recent-files list: its order and limit, and the file it is kept in.
#include "recent_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;

namespace {

TEST(RecentFilesList, NewestFirstWithoutRepeatsUpToEight) {
    struct Case {
        const char* what;
        Paths added;
        Paths expected;
    };
    const Case cases[] = {
        {"newest first", {"/a.xml", "/b.xml", "/c.xml"}, {"/c.xml", "/b.xml", "/a.xml"}},
        {"a listed file moves up",
         {"/a.xml", "/b.xml", "/c.xml", "/a.xml"},
         {"/a.xml", "/c.xml", "/b.xml"}},
        {"the newest again changes nothing", {"/a.xml", "/b.xml", "/b.xml"}, {"/b.xml", "/a.xml"}},
        {"the oldest drops out after eight",
         {"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9"},
         {"/9", "/8", "/7", "/6", "/5", "/4", "/3", "/2"}},
        {"an empty name is not listed", {"/a.xml", ""}, {"/a.xml"}},
        {"a name with a line break is not listed", {"/a.xml", "/x\ny.xml"}, {"/a.xml"}},
    };
    for (const auto& c : cases) {
        RecentFiles recent;  // kept for this run only
        for (const auto& path : c.added) EXPECT_TRUE(recent.Add(path)) << c.what;
        EXPECT_EQ(recent.Paths(), c.expected) << c.what;
    }
}

class RecentFilesStore : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("qen_recent_" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        store_ = folder_ / "config" / "qen-editor" / RecentFiles::kFileName;
    }
    void TearDown() override { fs::remove_all(folder_); }
    void Write(const std::string& text) {
        fs::create_directories(store_.parent_path());
        std::ofstream(store_, std::ios::binary) << text;
    }

    fs::path folder_;
    fs::path store_;
};

TEST_F(RecentFilesStore, WhatIsAddedIsThereNextRun) {
    {
        RecentFiles recent(store_);
        recent.Load();
        EXPECT_TRUE(recent.Paths().empty());
        EXPECT_TRUE(recent.Add("/home/pupil/はじめて.xml"));  // the folder is made
        EXPECT_TRUE(recent.Add("/home/pupil/two.xml"));
    }
    RecentFiles next(store_);
    next.Load();
    EXPECT_EQ(next.Paths(), (Paths{"/home/pupil/two.xml", "/home/pupil/はじめて.xml"}));
}

TEST_F(RecentFilesStore, LoadSkipsBlanksAndRepeatsAndKeepsEight) {
    Write("/a.xml\r\n\n/b.xml\n/a.xml\n/c\n/d\n/e\n/f\n/g\n/h\n/i\n");
    RecentFiles recent(store_);
    recent.Load();
    EXPECT_EQ(recent.Paths(), (Paths{"/a.xml", "/b.xml", "/c", "/d", "/e", "/f", "/g", "/h"}));
}

TEST_F(RecentFilesStore, AnUnwritableStoreKeepsTheListInMemory) {
    fs::create_directories(store_);  // a folder where the file should be
    RecentFiles recent(store_);
    EXPECT_FALSE(recent.Add("/a.xml"));
    EXPECT_EQ(recent.Paths(), Paths{"/a.xml"});
}

}  // namespace
