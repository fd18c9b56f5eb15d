// Where the editor keeps its settings: the user's configuration folder first,
// then the system's configuration folders, then the program's own folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The environment variables that name the configuration folders; empty when unset.
struct ConfigEnvironment {
    std::string xdgConfigHome;
    std::string xdgConfigDirs;
    std::string home;
};

// The variables of this process.
ConfigEnvironment ProcessConfigEnvironment();

// The editor's own folder under each configuration folder, the user's first.
struct ConfigFolders {
    std::filesystem::path user;                 // empty when no home is known
    std::vector<std::filesystem::path> system;  // in order of preference
};

// The folder name the editor uses under every configuration folder.
inline constexpr const char* kConfigFolderName = "qen-editor";

// $XDG_CONFIG_HOME (else $HOME/.config) and $XDG_CONFIG_DIRS (else /etc/xdg),
// each with the editor's folder name appended. Relative paths in the variables
// are ignored: they would depend on the folder the editor was started from.
ConfigFolders EditorConfigFolders(const ConfigEnvironment& environment);

// The first existing file of that name in the user's folder, the system's
// folders and the program's folder; the one in the program's folder when
// none exists, so that the caller finds nothing there and takes the defaults.
std::filesystem::path LocateSettingsFile(const ConfigFolders& folders,
                                         const std::filesystem::path& programFolder,
                                         const std::string& fileName);
