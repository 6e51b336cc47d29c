// The machine-wide settings store that stands in for the registry: one text file per key
// under the settings root, one value per line.
//
//   SOFTWARE\Kytheral\Calorvane20         -> <root>/Calorvane20.reg
//   SOFTWARE\Kytheral\Calorvane20\MemoA   -> <root>/Calorvane20/MemoA.reg
//
// Lines read `name=binary:<hex bytes>` or `name=string:<text>` (text escapes \\ and \n).
// Unknown or damaged lines are ignored. Writes take an exclusive flock on a lock file beside
// the key, rewrite the whole key into a temporary file, fsync it and rename it over the old
// one, so readers in any process always see a complete file. Failures are reported by the
// return value only; nothing here throws. Not real-time safe (file I/O).
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace platform {

// $CALORVANE_SETTINGS_DIR, else $XDG_CONFIG_HOME/Kytheral, else ~/.config/Kytheral.
std::filesystem::path settingsRoot();

using Bytes = std::vector<std::uint8_t>;
using SettingValue = std::variant<Bytes, std::string>;
using SettingValues = std::map<std::string, SettingValue, std::less<>>;

class SettingsStore {
public:
    // `key` is a registry-style path below SOFTWARE\Kytheral\, e.g. "SOFTWARE\\Kytheral\\Calorvane20".
    explicit SettingsStore(std::string_view key);

    // The key's file; empty when the key is not a valid path below the root.
    const std::filesystem::path& file() const { return keyFile; }

    // All values of the key; nullopt when the key does not exist or cannot be read.
    std::optional<SettingValues> readAll() const;
    std::optional<Bytes> readBinary(std::string_view name) const;
    std::optional<std::string> readString(std::string_view name) const;

    // Changes the named values and keeps the others; creates the key when needed.
    bool write(const SettingValues& changes) const;
    bool writeBinary(std::string_view name, const Bytes& bytes) const;
    bool writeString(std::string_view name, std::string_view text) const;

    // Parsing and formatting of a key file's text, exposed for tests.
    static SettingValues parse(std::string_view text);
    static std::string format(const SettingValues& values);

private:
    std::filesystem::path keyFile;
};

}  // namespace platform
