// Points the settings store at a fresh, empty folder for the life of the object.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

class TempSettings {
public:
    TempSettings() {
        std::random_device random;
        folder = std::filesystem::temp_directory_path() /
                 ("calorvane-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(folder);
        previous = std::getenv("CALORVANE_SETTINGS_DIR") ? std::getenv("CALORVANE_SETTINGS_DIR") : "";
        ::setenv("CALORVANE_SETTINGS_DIR", folder.c_str(), 1);
    }
    ~TempSettings() {
        ::setenv("CALORVANE_SETTINGS_DIR", previous.c_str(), 1);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    TempSettings(const TempSettings&) = delete;
    TempSettings& operator=(const TempSettings&) = delete;

    const std::filesystem::path& path() const { return folder; }

private:
    std::filesystem::path folder;
    std::string previous;
};
