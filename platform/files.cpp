#include "platform/files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace platform {

bool sameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    if (::stat(first.c_str(), &a) != 0 || ::stat(second.c_str(), &b) != 0) return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool fileExists(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0;
}

std::string temporaryNameBeside(const std::string& path) {
    return path + ".part" + std::to_string(::getpid());
}

bool replaceFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

void removeFile(const std::string& path) { std::remove(path.c_str()); }

bool isTerminal(int fd) { return ::isatty(fd) == 1; }

std::string userVstFolder() {
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : ".") + "/.vst";
}

}  // namespace platform
