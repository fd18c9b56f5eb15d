// The user's and the system's configuration folders from the XDG variables,
// and the search for the settings file through them.
#include "settings_location.h"

#include <cstdlib>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool IsAbsolute(std::string_view path) { return !path.empty() && path.front() == '/'; }

}  // namespace

ConfigEnvironment ProcessConfigEnvironment() {
    return {Variable("XDG_CONFIG_HOME"), Variable("XDG_CONFIG_DIRS"), Variable("HOME")};
}

ConfigFolders EditorConfigFolders(const ConfigEnvironment& environment) {
    ConfigFolders folders;
    if (IsAbsolute(environment.xdgConfigHome))
        folders.user = fs::path(environment.xdgConfigHome) / kConfigFolderName;
    else if (IsAbsolute(environment.home))
        folders.user = fs::path(environment.home) / ".config" / kConfigFolderName;

    std::string_view dirs = environment.xdgConfigDirs;
    bool any = false;
    while (!dirs.empty()) {
        const auto colon = dirs.find(':');
        const std::string_view dir = dirs.substr(0, colon);
        if (IsAbsolute(dir)) {
            folders.system.push_back(fs::path(dir) / kConfigFolderName);
            any = true;
        }
        dirs = colon == std::string_view::npos ? std::string_view{} : dirs.substr(colon + 1);
    }
    if (!any) folders.system.push_back(fs::path("/etc/xdg") / kConfigFolderName);
    return folders;
}

fs::path LocateSettingsFile(const ConfigFolders& folders, const fs::path& programFolder,
                            const std::string& fileName) {
    std::vector<fs::path> candidates;
    if (!folders.user.empty()) candidates.push_back(folders.user / fileName);
    for (const fs::path& folder : folders.system) candidates.push_back(folder / fileName);
    std::error_code error;
    for (const fs::path& candidate : candidates)
        if (fs::is_regular_file(candidate, error)) return candidate;
    return programFolder / fileName;
}
