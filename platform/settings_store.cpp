#include "platform/settings_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>

namespace platform {
namespace {

constexpr std::string_view kKeyPrefix = "SOFTWARE\\Kytheral\\";

// Closes a POSIX file descriptor on scope exit.
struct FileDescriptor {
    int fd = -1;
    explicit FileDescriptor(int fd) : fd(fd) {}
    ~FileDescriptor() {
        if (fd >= 0) ::close(fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
};

std::filesystem::path keyToFile(std::string_view key) {
    if (!key.starts_with(kKeyPrefix)) return {};
    key.remove_prefix(kKeyPrefix.size());
    std::filesystem::path relative;
    while (!key.empty()) {
        const std::size_t split = key.find('\\');
        const std::string_view part = key.substr(0, split);
        if (part.empty() || part == "." || part == ".." || part.find('/') != std::string_view::npos)
            return {};
        relative /= std::string(part);
        key = split == std::string_view::npos ? std::string_view{} : key.substr(split + 1);
    }
    if (relative.empty()) return {};
    relative += ".reg";
    return settingsRoot() / relative;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<Bytes> parseHex(std::string_view hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    Bytes bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = hexDigit(hex[i]);
        const int low = hexDigit(hex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

std::optional<std::string> unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        if (text[i] == 'n')
            out += '\n';
        else if (text[i] == '\\')
            out += '\\';
        else
            return std::nullopt;
    }
    return out;
}

std::string escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

bool validName(std::string_view name) {
    return !name.empty() && name.find_first_of("=\n\r") == std::string_view::npos;
}

std::optional<std::string> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return std::move(text).str();
}

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

std::filesystem::path settingsRoot() {
    if (const char* dir = std::getenv("CALORVANE_SETTINGS_DIR"); dir != nullptr && *dir != 0)
        return dir;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != 0)
        return std::filesystem::path(config) / "Kytheral";
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != 0)
        return std::filesystem::path(home) / ".config" / "Kytheral";
    return std::filesystem::path(".config") / "Kytheral";
}

SettingsStore::SettingsStore(std::string_view key) : keyFile(keyToFile(key)) {}

SettingValues SettingsStore::parse(std::string_view text) {
    SettingValues values;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);

        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || equals == 0) continue;
        const std::string name(line.substr(0, equals));
        const std::string_view typed = line.substr(equals + 1);
        if (typed.starts_with("binary:")) {
            if (auto bytes = parseHex(typed.substr(7))) values[name] = std::move(*bytes);
        } else if (typed.starts_with("string:")) {
            if (auto string = unescape(typed.substr(7))) values[name] = std::move(*string);
        }
    }
    return values;
}

std::string SettingsStore::format(const SettingValues& values) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (const auto& [name, value] : values) {
        text += name;
        if (const Bytes* bytes = std::get_if<Bytes>(&value)) {
            text += "=binary:";
            for (std::uint8_t byte : *bytes) {
                text += kHex[byte >> 4];
                text += kHex[byte & 15];
            }
        } else {
            text += "=string:";
            text += escape(std::get<std::string>(value));
        }
        text += '\n';
    }
    return text;
}

std::optional<SettingValues> SettingsStore::readAll() const {
    if (keyFile.empty()) return std::nullopt;
    const std::optional<std::string> text = readFile(keyFile);
    if (!text) return std::nullopt;
    return parse(*text);
}

std::optional<Bytes> SettingsStore::readBinary(std::string_view name) const {
    const std::optional<SettingValues> values = readAll();
    if (!values) return std::nullopt;
    const auto found = values->find(name);
    if (found == values->end()) return std::nullopt;
    if (const Bytes* bytes = std::get_if<Bytes>(&found->second)) return *bytes;
    return std::nullopt;
}

std::optional<std::string> SettingsStore::readString(std::string_view name) const {
    const std::optional<SettingValues> values = readAll();
    if (!values) return std::nullopt;
    const auto found = values->find(name);
    if (found == values->end()) return std::nullopt;
    if (const std::string* text = std::get_if<std::string>(&found->second)) return *text;
    return std::nullopt;
}

bool SettingsStore::write(const SettingValues& changes) const {
    if (keyFile.empty()) return false;
    for (const auto& entry : changes)
        if (!validName(entry.first)) return false;

    std::error_code error;
    std::filesystem::create_directories(keyFile.parent_path(), error);
    if (error) return false;

    // The lock lives beside the key: the key file itself is replaced by rename.
    const std::string lockPath = keyFile.string() + ".lock";
    FileDescriptor lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (lock.fd < 0) return false;
    while (::flock(lock.fd, LOCK_EX) != 0)
        if (errno != EINTR) return false;

    SettingValues values = readAll().value_or(SettingValues{});
    for (const auto& [name, value] : changes) values[name] = value;
    const std::string text = format(values);

    const std::string tempPath = keyFile.string() + ".tmp" + std::to_string(::getpid());
    bool written = false;
    {
        FileDescriptor temp(::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        written = temp.fd >= 0 && writeAll(temp.fd, text) && ::fsync(temp.fd) == 0;
    }
    if (written && ::rename(tempPath.c_str(), keyFile.c_str()) == 0) return true;
    ::unlink(tempPath.c_str());
    return false;
}

bool SettingsStore::writeBinary(std::string_view name, const Bytes& bytes) const {
    return write(SettingValues{{std::string(name), bytes}});
}

bool SettingsStore::writeString(std::string_view name, std::string_view text) const {
    return write(SettingValues{{std::string(name), std::string(text)}});
}

}  // namespace platform
