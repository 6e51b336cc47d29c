// calorvane-presets: looks into preset (.kyt) and bank (.kyb) files and writes the factory set.
//
//   calorvane-presets show FILE
//   calorvane-presets factory-bank OUT.kyb
//   calorvane-presets factory-preset SLOT OUT.kyt
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "effect/core/calorvane.h"
#include "effect/presets/preset_file_format.h"
#include "platform/message_box.h"

namespace {

constexpr int kExitError = 2;

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

class StandardErrorSink : public platform::MessageSink {
public:
    void showError(const std::string& caption, const std::string& text) override {
        std::fprintf(stderr, "calorvane-presets: %s %s\n", caption.c_str(), text.c_str());
        failed = true;
    }
    bool failed = false;
};

int usage() {
    std::fprintf(stderr,
                 "usage: calorvane-presets show FILE\n"
                 "       calorvane-presets factory-bank OUT.kyb\n"
                 "       calorvane-presets factory-preset SLOT OUT.kyt\n");
    return kExitError;
}

std::string trimmed(std::string text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Prints each record with every value, its name and the text a host would show for it.
int show(const std::string& path) {
    std::string error;
    const auto bytes = preset_file::readFile(path, &error);
    if (!bytes) {
        std::fprintf(stderr, "calorvane-presets: %s\n", error.c_str());
        return kExitError;
    }
    std::vector<PresetRecord> records;
    const bool bank = bytes->size() > 4 && (*bytes)[4] == '7';
    if (bank) {
        auto parsed = preset_file::parseBank(*bytes, &error);
        if (parsed) records = *parsed;
    } else if (auto parsed = preset_file::parsePreset(*bytes, &error)) {
        records.push_back(*parsed);
    }
    if (records.empty()) {
        std::fprintf(stderr, "calorvane-presets: %s: %s\n", path.c_str(), error.c_str());
        return kExitError;
    }
    Calorvane effect(quietHost);
    const bool olderLayout = records.front().valueCount < Param::PresetCount;
    std::printf("%s: %s, %zu record%s%s\n", path.c_str(), bank ? "bank" : "preset", records.size(),
                records.size() == 1 ? "" : "s", olderLayout ? " (older layout: 30 values each)" : "");
    for (std::size_t r = 0; r < records.size(); ++r) {
        const PresetRecord& record = records[r];
        for (int k = 0; k < record.valueCount; ++k) effect.setParameter(k, record.values[static_cast<std::size_t>(k)]);
        std::printf("\n[%zu] \"%s\"\n", r, record.name.c_str());
        for (int k = 0; k < record.valueCount; ++k) {
            char name[64] = {}, display[64] = {}, label[64] = {};
            effect.getParameterName(k, name);
            effect.getParameterDisplay(k, display);
            effect.getParameterLabel(k, label);
            std::string shown = trimmed(display);
            const std::string unit = trimmed(label);
            if (!unit.empty()) shown += (shown.empty() ? "" : " ") + unit;
            std::printf("  %2d  %-12s %8.6f  %s\n", k, trimmed(name).c_str(),
                        static_cast<double>(record.values[static_cast<std::size_t>(k)]), shown.c_str());
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Never touch the machine's settings: reads give the first-use values, writes go nowhere.
    ::setenv("CALORVANE_SETTINGS_DIR", "/dev/null/calorvane-presets", 1);
    StandardErrorSink sink;
    platform::setMessageSink(&sink);

    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "show") return show(args[1]);
    if (args.size() == 2 && args[0] == "factory-bank") {
        Calorvane effect(quietHost);
        effect.saveBank(args[1]);
        return sink.failed ? kExitError : 0;
    }
    if (args.size() == 3 && args[0] == "factory-preset") {
        char* end = nullptr;
        const long slot = std::strtol(args[1].c_str(), &end, 10);
        if (end == args[1].c_str() || *end != 0 || slot < 0 || slot >= kPresetSlotCount) {
            std::fprintf(stderr, "calorvane-presets: SLOT is a number from 0 to 30, got \"%s\"\n", args[1].c_str());
            return kExitError;
        }
        Calorvane effect(quietHost);
        effect.selectPreset(static_cast<int>(slot));
        effect.savePreset(args[2]);
        return sink.failed ? kExitError : 0;
    }
    return usage();
}
