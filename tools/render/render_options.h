// The renderer's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct RenderOptions {
    std::string input, output;
    std::string preset;     // factory name, slot number or .kyt file
    std::string bank;       // .kyb file, with `slot`
    int slot = -1;
    std::vector<std::string> settings;  // NAME=VALUE as given
    bool fat = false;
    bool useDouble = false;
    bool quiet = false;
    bool floatOutput = false;
    bool listPresets = false;
    bool listParams = false;
    std::string plugin;
};

inline constexpr const char* kUsage =
    "usage: calorvane-render IN OUT [--preset NAME|NUMBER|FILE.kyt] [--bank FILE.kyb --slot N]\n"
    "                        [--set NAME=VALUE ...] [--fat] [--double] [--format float]\n"
    "                        [--plugin PATH] [--quiet]\n"
    "       calorvane-render --list-presets\n"
    "       calorvane-render --list-params [--preset ...] [--set NAME=VALUE ...] [--plugin PATH]\n";

// Null with a message in `error` when the command line is not usable.
std::optional<RenderOptions> parseRenderOptions(int argc, char** argv, std::string* error);
