// Switches the C library's number formatting (LC_NUMERIC) to a locale whose
// decimal separator is a comma, as a pupil's German or French desktop has it,
// and back again. A system without such a locale gets one compiled for the
// test from the locale sources (Debian's "locales" package).
#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

class DecimalCommaLocale {
public:
    DecimalCommaLocale() {
        const char* current = std::setlocale(LC_NUMERIC, nullptr);
        previous_ = current != nullptr ? current : "C";
        if (Switch()) return;
        std::random_device seed;
        folder_ = std::filesystem::temp_directory_path() /
                  ("qen-locale-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(folder_);
        const std::string command = "localedef -i de_DE -f UTF-8 '" +
                                    (folder_ / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0 &&
            !std::filesystem::exists(folder_ / "de_DE.UTF-8"))
            return;
        ::setenv("LOCPATH", folder_.c_str(), 1);
        Switch();
    }
    ~DecimalCommaLocale() {
        std::setlocale(LC_NUMERIC, previous_.c_str());
        if (folder_.empty()) return;
        ::unsetenv("LOCPATH");
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

    // False when no decimal-comma locale could be had.
    bool Active() const { return active_; }

private:
    bool Switch() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
            if (std::setlocale(LC_NUMERIC, name) != nullptr &&
                std::localeconv()->decimal_point == std::string(",")) {
                active_ = true;
                return true;
            }
        }
        std::setlocale(LC_NUMERIC, previous_.c_str());
        return false;
    }

    std::string previous_;
    std::filesystem::path folder_;
    bool active_ = false;
};
