// Where the settings file is looked for: the configuration folders named by
// the environment, and the search through them down to the program's folder.
#include "settings_location.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct FoldersCase {
    ConfigEnvironment environment;
    std::string user;
    std::vector<std::string> system;
};

TEST(ConfigFolders, FromEnvironment) {
    const FoldersCase cases[] = {
        {{"", "", "/home/pupil"}, "/home/pupil/.config/qen-editor", {"/etc/xdg/qen-editor"}},
        {{"/cfg", "", "/home/pupil"}, "/cfg/qen-editor", {"/etc/xdg/qen-editor"}},
        // Relative paths in the variables do not count.
        {{"cfg", "", "/home/pupil"}, "/home/pupil/.config/qen-editor", {"/etc/xdg/qen-editor"}},
        {{"", "", ""}, "", {"/etc/xdg/qen-editor"}},
        {{"", "", "home"}, "", {"/etc/xdg/qen-editor"}},
        {{"", "/site:/vendor/xdg", "/h"},
         "/h/.config/qen-editor",
         {"/site/qen-editor", "/vendor/xdg/qen-editor"}},
        {{"", "rel::/site", "/h"}, "/h/.config/qen-editor", {"/site/qen-editor"}},
        {{"", "rel", "/h"}, "/h/.config/qen-editor", {"/etc/xdg/qen-editor"}},
    };
    for (const auto& c : cases) {
        const ConfigFolders folders = EditorConfigFolders(c.environment);
        const std::string label = "XDG_CONFIG_HOME=" + c.environment.xdgConfigHome +
                                  " XDG_CONFIG_DIRS=" + c.environment.xdgConfigDirs +
                                  " HOME=" + c.environment.home;
        EXPECT_EQ(folders.user, fs::path(c.user)) << label;
        EXPECT_EQ(folders.system, std::vector<fs::path>(c.system.begin(), c.system.end())) << label;
    }
}

// Given a user folder, a system folder and a program folder, each of which
// may hold the file; the search takes the first one present.
class SettingsSearch : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("qen_settings_" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        folders_.user = root_ / "user" / "qen-editor";
        folders_.system = {root_ / "site" / "qen-editor", root_ / "vendor" / "qen-editor"};
        program_ = root_ / "program";
        for (const auto& folder : {folders_.user, folders_.system[0], folders_.system[1], program_})
            fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(root_); }
    static void Place(const fs::path& folder) { std::ofstream(folder / "Qen.inf") << "[System]\n"; }

    fs::path root_;
    ConfigFolders folders_;
    fs::path program_;
};

TEST_F(SettingsSearch, FirstPresentWins) {
    struct Case {
        std::vector<int> present;  // 0 user, 1 and 2 system, 3 program
        int expected;
    };
    const Case cases[] = {
        {{0, 1, 2, 3}, 0}, {{1, 2, 3}, 1}, {{2, 3}, 2}, {{3}, 3}, {{0, 3}, 0}, {{}, 3},
    };
    for (const auto& c : cases) {
        const fs::path places[] = {folders_.user, folders_.system[0], folders_.system[1], program_};
        for (const auto& place : places) fs::remove(place / "Qen.inf");
        for (const int i : c.present) Place(places[i]);
        EXPECT_EQ(LocateSettingsFile(folders_, program_, "Qen.inf"), places[c.expected] / "Qen.inf")
            << "expected place " << c.expected;
    }
}

TEST_F(SettingsSearch, AFolderNamedLikeTheFileIsSkipped) {
    fs::create_directories(folders_.user / "Qen.inf");
    Place(folders_.system[1]);
    EXPECT_EQ(LocateSettingsFile(folders_, program_, "Qen.inf"), folders_.system[1] / "Qen.inf");
}

TEST_F(SettingsSearch, NoHomeLooksOnlyAtTheOthers) {
    folders_.user.clear();
    EXPECT_EQ(LocateSettingsFile(folders_, program_, "Qen.inf"), program_ / "Qen.inf");
}

}  // namespace
