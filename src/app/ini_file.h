// The settings file: a read-mostly file of [section] key=value lines, and the
// one setting the editor takes from it, the fixed window size.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Utility {

class IIniFile {
public:
    virtual ~IIniFile() = default;
    // False when already open or the file cannot be used; see CAppIniFile.
    virtual bool Open(const std::string& fileName, bool mustExist) = 0;
    virtual void Close();
    // The value of key in section, or "" when either is missing.
    virtual std::string GetString(std::string_view section, std::string_view key) = 0;
    virtual bool WriteString(std::string_view section, std::string_view key,
                             std::string_view value) = 0;

    bool IsOpen() const { return open_ != 0; }
    const std::string& Path() const { return path_; }

protected:
    int open_ = 0;
    std::string path_;
};

// The settings file, a relative name taken in the current directory, which
// the application makes the program's directory before reading it.
class CAppIniFile : public IIniFile {
public:
    // Opens "<current directory>/fileName", or fileName itself when it is an
    // absolute path. A missing file leaves the object closed when mustExist
    // is set, open without a file otherwise; both answer false.
    bool Open(const std::string& fileName, bool mustExist) override;
    std::string GetString(std::string_view section, std::string_view key) override;
    // Replaces the key's value or adds the key (and its section); false when
    // not open or the file cannot be written.
    bool WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;

private:
    bool WriteLines(const std::vector<std::string>& lines) const;
};

}  // namespace Utility

// The window size taken from section "System", key "WindowSize".
struct WindowSettings {
    int fixedSize = 0;  // 1 when the file gives a size
    int width = 1024;
    int height = 768;

    bool operator==(const WindowSettings&) const = default;
};

inline constexpr int kMinWindowWidth = 1024;
inline constexpr int kMinWindowHeight = 768;
inline constexpr const char* kSettingsFileName = "Qen.inf";

// Reads "WindowSize" ("%d,%d") through an ini file that is not yet open, and
// closes it again. No file or an empty value gives the defaults; a value that
// is not two numbers counts as 0,0 and so gives a fixed 1024 x 768.
WindowSettings ReadWindowSettings(Utility::IIniFile& ini, const std::string& fileName);
