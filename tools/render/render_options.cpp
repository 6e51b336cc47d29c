#include "tools/render/render_options.h"

#include <cstdlib>

std::optional<RenderOptions> parseRenderOptions(int argc, char** argv, std::string* error) {
    RenderOptions options;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&](const char* what) -> std::optional<std::string> {
            if (i + 1 >= argc) {
                *error = arg + " needs " + what;
                return std::nullopt;
            }
            return std::string(argv[++i]);
        };
        if (arg == "--preset") {
            auto v = value("a preset name, number or file");
            if (!v) return std::nullopt;
            options.preset = *v;
        } else if (arg == "--bank") {
            auto v = value("a bank file");
            if (!v) return std::nullopt;
            options.bank = *v;
        } else if (arg == "--slot") {
            auto v = value("a slot number 0..30");
            if (!v) return std::nullopt;
            char* end = nullptr;
            const long slot = std::strtol(v->c_str(), &end, 10);
            if (end == v->c_str() || *end != 0 || slot < 0 || slot > 30) {
                *error = "--slot takes a number from 0 to 30, got \"" + *v + "\"";
                return std::nullopt;
            }
            options.slot = static_cast<int>(slot);
        } else if (arg == "--set") {
            auto v = value("NAME=VALUE");
            if (!v) return std::nullopt;
            options.settings.push_back(*v);
        } else if (arg == "--plugin") {
            auto v = value("a plug-in path");
            if (!v) return std::nullopt;
            options.plugin = *v;
        } else if (arg == "--format") {
            auto v = value("\"float\"");
            if (!v) return std::nullopt;
            if (*v != "float") {
                *error = "--format takes \"float\" (otherwise the input's format is kept)";
                return std::nullopt;
            }
            options.floatOutput = true;
        } else if (arg == "--fat") {
            options.fat = true;
        } else if (arg == "--double") {
            options.useDouble = true;
        } else if (arg == "--quiet") {
            options.quiet = true;
        } else if (arg == "--list-presets") {
            options.listPresets = true;
        } else if (arg == "--list-params") {
            options.listParams = true;
        } else if (arg == "--help" || arg == "-h") {
            *error = "";
            return std::nullopt;
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            *error = "unknown option " + arg;
            return std::nullopt;
        } else {
            files.push_back(arg);
        }
    }
    if (options.listPresets || options.listParams) {
        if (!files.empty()) {
            *error = "--list-presets and --list-params take no files";
            return std::nullopt;
        }
    } else if (files.size() != 2) {
        *error = "give one input file and one output file";
        return std::nullopt;
    } else {
        options.input = files[0];
        options.output = files[1];
    }
    if (!options.bank.empty() && options.slot < 0) {
        *error = "--bank needs --slot N";
        return std::nullopt;
    }
    if (options.bank.empty() && options.slot >= 0) {
        *error = "--slot goes with --bank";
        return std::nullopt;
    }
    if (!options.bank.empty() && !options.preset.empty()) {
        *error = "give either --preset or --bank, not both";
        return std::nullopt;
    }
    return options;
}
