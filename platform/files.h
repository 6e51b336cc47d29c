// The few file-system and terminal questions the command-line tools ask.
#pragma once

#include <string>

namespace platform {

// True when both paths name the same existing file (links and relative paths resolved).
bool sameFile(const std::string& first, const std::string& second);
bool fileExists(const std::string& path);
// A fresh name beside `path` for writing before an atomic rename.
std::string temporaryNameBeside(const std::string& path);
// Renames `from` over `to` in one step; false on failure.
bool replaceFile(const std::string& from, const std::string& to);
void removeFile(const std::string& path);
bool isTerminal(int fd);
// The user's ~/.vst folder.
std::string userVstFolder();

}  // namespace platform
