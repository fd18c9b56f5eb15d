// The settings file, the window size it gives, the single-instance lock and
// the version block.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "ini_file.h"
#include "single_instance.h"
#include "version_info.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder made the current directory for the test, as the
// application makes the program's folder current before reading settings.
class InFolder : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        folder_ = fs::temp_directory_path() /
                  ("qen_shell_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        fs::current_path(folder_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(folder_ / name, std::ios::binary) << text;
    }
    std::string Read(const std::string& name) {
        std::ifstream in(folder_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path previous_;
    fs::path folder_;
};

using SettingsFile = InFolder;

struct SizeCase {
    const char* file;  // nullptr: no settings file
    WindowSettings expected;
};

TEST_F(SettingsFile, WindowSizeFromFile) {
    const SizeCase cases[] = {
        {nullptr, {0, 1024, 768}},
        {"[System]\nWindowSize=800,600\n", {1, 1024, 768}},
        {"[System]\nWindowSize=1280,900\n", {1, 1280, 900}},
        {"[System]\nWindowSize=abc\n", {1, 1024, 768}},
        {"[System]\nWindowSize=1300\n", {1, 1300, 768}},
        {"[System]\nWindowSize=\n", {0, 1024, 768}},
        {"[System]\nOther=1\n", {0, 1024, 768}},
        {"[Other]\nWindowSize=1280,900\n", {0, 1024, 768}},
        {"; comment\n[system]\r\nwindowsize = 1600,1000\r\n", {1, 1600, 1000}},
        {"[System]\nWindowSize=1600 ,1000\n", {1, 1600, 768}},
        {"[System]\nWindowSize=99999999999,900\n", {1, 1024, 768}},
    };
    for (const auto& c : cases) {
        fs::remove(folder_ / kSettingsFileName);
        if (c.file) Write(kSettingsFileName, c.file);
        Utility::CAppIniFile ini;
        EXPECT_EQ(ReadWindowSettings(ini, kSettingsFileName), c.expected) << (c.file ? c.file : "(none)");
        EXPECT_FALSE(ini.IsOpen());
    }
}

TEST_F(SettingsFile, OpenRules) {
    Utility::CAppIniFile ini;
    EXPECT_FALSE(ini.Open("", true));
    EXPECT_FALSE(ini.Open("missing.inf", true));
    EXPECT_FALSE(ini.IsOpen());

    EXPECT_FALSE(ini.Open("missing.inf", false));
    EXPECT_TRUE(ini.IsOpen());  // open without a file
    EXPECT_EQ(ini.Path(), (folder_ / "missing.inf").string());
    EXPECT_EQ(ini.GetString("System", "WindowSize"), "");
    ini.Close();
    EXPECT_FALSE(ini.IsOpen());
    EXPECT_EQ(ini.Path(), "");

    Write("Qen.inf", "[System]\nWindowSize=1,2\n");
    ASSERT_TRUE(ini.Open("Qen.inf", true));
    EXPECT_FALSE(ini.Open("Qen.inf", true));  // already open
}

TEST_F(SettingsFile, WriteStringReplacesOrAdds) {
    Write("Qen.inf", "[System]\nWindowSize=1,2\nOther=x\n\n[Next]\nKey=v\n");
    Utility::CAppIniFile ini;
    ASSERT_TRUE(ini.Open("Qen.inf", true));

    EXPECT_TRUE(ini.WriteString("System", "WindowSize", "1280,900"));
    EXPECT_TRUE(ini.WriteString("System", "Added", "y"));
    EXPECT_TRUE(ini.WriteString("Fresh", "Key", "z"));

    EXPECT_EQ(Read("Qen.inf"),
              "[System]\nWindowSize=1280,900\nOther=x\nAdded=y\n\n[Next]\nKey=v\n[Fresh]\nKey=z\n");
    EXPECT_EQ(ini.GetString("Next", "Key"), "v");
    ini.Close();
    EXPECT_FALSE(ini.WriteString("System", "WindowSize", "1,1"));
}

using SingleInstance = InFolder;

TEST_F(SingleInstance, SecondHolderIsRefusedUntilTheFirstLetsGo) {
    SingleInstanceLock first;
    SingleInstanceLock second;
    ASSERT_TRUE(first.Acquire(folder_, kSingleInstanceName));
    EXPECT_FALSE(first.Acquire(folder_, kSingleInstanceName));
    EXPECT_FALSE(second.Acquire(folder_, kSingleInstanceName));
    EXPECT_FALSE(second.Held());
    EXPECT_TRUE(second.HeldElsewhere());

    first.Release();
    EXPECT_TRUE(second.Acquire(folder_, kSingleInstanceName));
    EXPECT_FALSE(second.HeldElsewhere());
}

// A lock that cannot be made is no other copy: the editor still starts.
TEST_F(SingleInstance, UnusableFolderIsNotAnotherHolder) {
    Write("plain", "a file where the folder should be");
    SingleInstanceLock lock;
    EXPECT_FALSE(lock.Acquire(folder_ / "plain", kSingleInstanceName));
    EXPECT_FALSE(lock.HeldElsewhere());
}

TEST_F(SingleInstance, LockFileLeftBehindDoesNotBlock) {
    Write(std::string(kSingleInstanceName) + ".lock", "stale");
    SingleInstanceLock lock;
    EXPECT_TRUE(lock.Acquire(folder_, kSingleInstanceName));
}

TEST_F(SingleInstance, FolderIsMadeWhenMissing) {
    SingleInstanceLock lock;
    EXPECT_TRUE(lock.Acquire(folder_ / "run" / "user", kSingleInstanceName));
}

using VersionBlock = InFolder;

constexpr std::uint16_t kJapanese = 0x0411;
constexpr std::uint16_t kEnglish = 0x0409;

std::string Program(const std::string& block) {
    // Binary noise around the block, and the bare marker as the reading code
    // carries it, which must not be taken for a block.
    return std::string("\x7f" "ELF\0\0junk", 10) + std::string(kVersionBlockMarker) +
           std::string(1, '\0') + "more" + std::string(kVersionBlockMarker) + block +
           std::string(1, '\0') + "tail";
}

TEST_F(VersionBlock, ReadsTheNamedStrings) {
    Write("prog", Program("\nTranslation=0411:04b0\n041104b0:ProductName=テルノエディタ\n"
                          "041104b0:FileVersion=1.0.0\n041104b0:CompanyName=Qen\n"));
    VersionInfo info(kJapanese);
    ASSERT_TRUE(info.Load(folder_ / "prog"));
    std::string value;
    EXPECT_TRUE(info.Query("ProductName", value));
    EXPECT_EQ(value, "テルノエディタ");
    EXPECT_TRUE(info.Query("FileVersion", value));
    EXPECT_EQ(value, "1.0.0");
    EXPECT_FALSE(info.Query("LegalCopyright", value));
    EXPECT_EQ(value, "");
}

TEST_F(VersionBlock, ChoosesTheUsersLanguageAndFallsBackInOrder) {
    Write("prog", Program("\nTranslation=0409:04b0,0411:04b0\n"
                          "040904b0:ProductName=Editor\n040904b0:CompanyName=Maker\n"
                          "041104b0:ProductName=エディタ\n"));
    VersionInfo japanese(kJapanese);
    ASSERT_TRUE(japanese.Load(folder_ / "prog"));
    EXPECT_EQ(japanese.ChosenTranslation(), 1);
    std::string value;
    EXPECT_TRUE(japanese.Query("ProductName", value));
    EXPECT_EQ(value, "エディタ");
    EXPECT_TRUE(japanese.Query("CompanyName", value));  // only the first translation has it
    EXPECT_EQ(value, "Maker");

    VersionInfo other(0x0407);
    ASSERT_TRUE(other.Load(folder_ / "prog"));
    EXPECT_EQ(other.ChosenTranslation(), 0);
    EXPECT_TRUE(other.Query("ProductName", value));
    EXPECT_EQ(value, "Editor");
}

TEST_F(VersionBlock, RefusesFilesWithoutABlock) {
    const char* bodies[] = {
        "no marker at all",
        "QEN-VERSION-RESOURCE:",                               // bare marker
        "QEN-VERSION-RESOURCE:\nTranslation=\n",                // empty table
        "QEN-VERSION-RESOURCE:\nTranslation=411:04b0\n",        // malformed entry
    };
    for (const char* body : bodies) {
        Write("prog", body);
        VersionInfo info(kEnglish);
        EXPECT_FALSE(info.Load(folder_ / "prog")) << body;
        std::string value = "stale";
        EXPECT_FALSE(info.Query("ProductName", value));
        EXPECT_EQ(value, "");
    }
    VersionInfo info(kEnglish);
    EXPECT_FALSE(info.Load(folder_ / "does-not-exist"));
}

TEST_F(VersionBlock, LoadDropsTheEarlierBlock) {
    Write("good", Program("\nTranslation=0411:04b0\n041104b0:ProductName=A\n"));
    Write("bad", "nothing");
    VersionInfo info(kJapanese);
    ASSERT_TRUE(info.Load(folder_ / "good"));
    EXPECT_FALSE(info.Load(folder_ / "bad"));
    std::string value;
    EXPECT_FALSE(info.Query("ProductName", value));
}

TEST(LanguageId, FromLocaleName) {
    EXPECT_EQ(LanguageIdForLocale("ja_JP.UTF-8"), kJapanese);
    EXPECT_EQ(LanguageIdForLocale("en_GB"), kEnglish);
    EXPECT_EQ(LanguageIdForLocale(""), kEnglish);
}

}  // namespace

namespace {

TEST(EditorProgram, CarriesItsVersionBlock) {
    VersionInfo info(kJapanese);
    ASSERT_TRUE(info.Load(QEN_EDITOR_PROGRAM));
    std::string value;
    EXPECT_TRUE(info.Query("ProductName", value));
    EXPECT_EQ(value, "テルノエディタ");
    EXPECT_TRUE(info.Query("FileVersion", value));
    EXPECT_EQ(value, QEN_VERSION);
    EXPECT_TRUE(info.Query("CompanyName", value));
    EXPECT_FALSE(value.empty());
}

}  // namespace
