// calorvane-render: runs audio files through the effect plug-in the way a host does, with the
// plug-in's latency compensated so the output lines up with the input sample for sample.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "effect/presets/factory_presets.h"
#include "effect/presets/preset_file_format.h"
#include "host/vst_host.h"
#include "platform/files.h"
#include "tools/render/audio_file.h"
#include "tools/render/parameter_values.h"
#include "tools/render/render_options.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;
constexpr int kBlock = 512;

struct Failure {
    int code;
    std::string message;
};

std::string findPlugin(const std::string& requested) {
    if (!requested.empty()) return requested;
    if (const char* fromEnvironment = std::getenv("CALORVANE_PLUGIN")) return fromEnvironment;
    if (platform::fileExists(CALORVANE_BUILT_PLUGIN)) return CALORVANE_BUILT_PLUGIN;
    return platform::userVstFolder() + "/KYT Calorvane2.so";
}

std::unique_ptr<host::VstPlugin> loadPlugin(const std::string& path, float rate) {
    host::HostConfig config;
    config.blockSize = kBlock;
    config.sampleRate = rate;
    std::string error;
    auto plugin = host::VstPlugin::load(path, config, &error);
    if (plugin == nullptr) throw Failure{kExitFailure, "cannot load the plug-in: " + error};
    plugin->setRecording(false);
    plugin->dispatch(effOpen);
    plugin->setSampleRate(rate);
    plugin->setBlockSize(kBlock);
    return plugin;
}

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && lower(text.substr(text.size() - end.size())) == end;
}

// A preset by factory name (any case), slot number, or .kyt file.
PresetRecord resolvePreset(const std::string& preset) {
    if (endsWith(preset, ".kyt") || platform::fileExists(preset)) {
        std::string error;
        const auto bytes = preset_file::readFile(preset, &error);
        if (!bytes) throw Failure{kExitUsage, error};
        auto record = preset_file::parsePreset(*bytes, &error);
        if (!record) throw Failure{kExitUsage, preset + ": " + error};
        return *record;
    }
    int slot = -1;
    char* end = nullptr;
    const long number = std::strtol(preset.c_str(), &end, 10);
    if (end != preset.c_str() && *end == 0) {
        if (number < 0 || number >= kPresetSlotCount)
            throw Failure{kExitUsage, "preset numbers run from 0 to 30 (see --list-presets)"};
        slot = static_cast<int>(number);
    } else {
        for (int s = 0; s < kPresetSlotCount; ++s)
            if (lower(factoryPresetName(s)) == lower(preset)) slot = s;
    }
    if (slot < 0) throw Failure{kExitUsage, "no factory preset named \"" + preset + "\" (see --list-presets)"};
    PresetRecord record;
    record.name = factoryPresetName(slot);
    record.values = factoryPresetValues(slot);
    return record;
}

PresetRecord resolveBankSlot(const std::string& bank, int slot) {
    std::string error;
    const auto bytes = preset_file::readFile(bank, &error);
    if (!bytes) throw Failure{kExitUsage, error};
    const auto records = preset_file::parseBank(*bytes, &error);
    if (!records) throw Failure{kExitUsage, bank + ": " + error};
    if (slot >= static_cast<int>(records->size()))
        throw Failure{kExitUsage, bank + " has no slot " + std::to_string(slot)};
    PresetRecord record = (*records)[static_cast<std::size_t>(slot)];
    // Older banks give 30 values: the rest keep the defaults.
    const auto defaults = factoryPresetValues(kDefaultPresetSlot);
    for (int k = record.valueCount; k < Param::PresetCount; ++k)
        record.values[static_cast<std::size_t>(k)] = defaults[static_cast<std::size_t>(k)];
    return record;
}

double fineScaleOf(host::VstPlugin& plugin) {
    const double percent = std::atof(plugin.parameterDisplay(Param::FineTune).c_str());
    return percent < 20 ? 0.125 : percent < 40 ? 0.25 : percent < 75 ? 0.5 : 1.0;
}

// FineTune first: it sets the dB ranges the other values are read in.
std::vector<ParameterSetting> applySettings(host::VstPlugin& plugin, const std::vector<std::string>& texts) {
    std::vector<std::string> ordered;
    for (const auto& text : texts)
        if (lower(text).rfind("finetune", 0) == 0) ordered.push_back(text);
    for (const auto& text : texts)
        if (lower(text).rfind("finetune", 0) != 0) ordered.push_back(text);
    std::vector<ParameterSetting> applied;
    for (const std::string& text : ordered) {
        std::string error;
        const auto setting = parseParameterSetting(text, fineScaleOf(plugin), &error);
        if (!setting) throw Failure{kExitUsage, error};
        plugin.setParameter(setting->index, setting->normalized);
        applied.push_back(*setting);
    }
    return applied;
}

struct Levels {
    double peak = 0;
    double rms = 0;
};

Levels levelsOf(const AudioData& audio) {
    Levels levels;
    double sum = 0;
    std::size_t count = 0;
    for (const auto* channel : {&audio.left, &audio.right})
        for (double x : *channel) {
            levels.peak = std::max(levels.peak, std::fabs(x));
            sum += x * x;
            ++count;
        }
    levels.rms = count > 0 ? std::sqrt(sum / static_cast<double>(count)) : 0;
    return levels;
}

double decibels(double linear) { return linear > 1e-10 ? 20 * std::log10(linear) : -200; }

// How far the effect turned the signal down at its busiest: the spread between its highest
// and its lowest gain (output over input level) across 50 ms windows (longer than a bass
// period) where the input is above -40 dBFS. Make-up gain cancels out, so a louder output can
// still show its compression.
double largestGainReduction(const AudioData& in, const AudioData& out) {
    const std::size_t window = static_cast<std::size_t>(in.sampleRate / 20);
    double highest = 0, lowest = 0;
    bool any = false;
    for (std::size_t start = 0; start + window <= in.left.size(); start += window) {
        double inSum = 0, outSum = 0;
        for (std::size_t i = start; i < start + window; ++i) {
            inSum += in.left[i] * in.left[i];
            outSum += out.left[i] * out.left[i];
            if (in.channels == 2) {
                inSum += in.right[i] * in.right[i];
                outSum += out.right[i] * out.right[i];
            }
        }
        if (inSum / static_cast<double>(window) < 1e-4 || outSum <= 0) continue;
        const double gainDb = 10 * std::log10(outSum / inSum);
        highest = any ? std::max(highest, gainDb) : gainDb;
        lowest = any ? std::min(lowest, gainDb) : gainDb;
        any = true;
    }
    return any ? highest - lowest : 0;
}

template <typename Sample>
AudioData render(host::VstPlugin& plugin, const AudioData& input, bool progress, double* cpuSeconds) {
    const std::size_t frames = input.left.size();
    const auto latency = static_cast<std::size_t>(std::max(0, plugin.latency()));
    const std::size_t total = frames + latency;
    AudioData output = input;
    std::vector<Sample> inL(kBlock), inR(kBlock), outL(kBlock), outR(kBlock);
    std::clock_t busy = 0;
    int shownPercent = -1;
    for (std::size_t start = 0; start < total; start += kBlock) {
        const std::size_t count = std::min<std::size_t>(kBlock, total - start);
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t n = start + i;
            inL[i] = static_cast<Sample>(n < frames ? input.left[n] : 0.0);
            inR[i] = static_cast<Sample>(n < frames ? (input.channels == 2 ? input.right[n] : input.left[n]) : 0.0);
        }
        Sample* inputs[2] = {inL.data(), inR.data()};
        Sample* outputs[2] = {outL.data(), outR.data()};
        const std::clock_t before = std::clock();
        if constexpr (sizeof(Sample) == sizeof(float))
            plugin.process(inputs, outputs, static_cast<VstInt32>(count));
        else
            plugin.processDouble(inputs, outputs, static_cast<VstInt32>(count));
        busy += std::clock() - before;
        // Drop the first `latency` samples: the rest lines up with the input.
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t n = start + i;
            if (n < latency) continue;
            output.left[n - latency] = outL[i];
            if (input.channels == 2) output.right[n - latency] = outR[i];
        }
        if (progress) {
            const int percent = static_cast<int>(100 * (start + count) / total);
            if (percent != shownPercent) {
                shownPercent = percent;
                std::fprintf(stderr, "\r[%-40s] %3d%%", std::string(static_cast<std::size_t>(percent * 40 / 100), '#').c_str(), percent);
            }
        }
    }
    if (progress) std::fprintf(stderr, "\n");
    *cpuSeconds = static_cast<double>(busy) / CLOCKS_PER_SEC;
    return output;
}

int listPresets() {
    for (int slot = 0; slot < kPresetSlotCount; ++slot) std::printf("%3d  %s\n", slot, factoryPresetName(slot));
    return 0;
}

int listParams(const std::string& pluginPath) {
    auto plugin = loadPlugin(pluginPath, 44100);
    plugin->resume();
    const AEffect* effect = plugin->effect();
    const auto id = static_cast<std::uint32_t>(effect->uniqueID);
    std::printf("Effect:   %s\nVendor:   %s\nProduct:  %s\nVersion:  %ld\nUnique id: %c%c%c%c\n",
                plugin->effectName().c_str(), plugin->vendorString().c_str(), plugin->productString().c_str(),
                static_cast<long>(plugin->dispatch(effGetVendorVersion)), static_cast<char>(id >> 24),
                static_cast<char>(id >> 16), static_cast<char>(id >> 8), static_cast<char>(id));
    std::printf("Inputs/outputs: %d/%d   Latency at 44100 Hz: %d samples   Program: %s\n\n", effect->numInputs,
                effect->numOutputs, plugin->latency(), plugin->programName().c_str());
    std::printf("%5s  %-14s %-12s %-8s %s\n", "index", "name", "display", "label", "value");
    for (VstInt32 index = 0; index < effect->numParams; ++index)
        std::printf("%5d  %-14s %-12s %-8s %.4f\n", index, ("\"" + plugin->parameterName(index) + "\"").c_str(),
                    ("\"" + plugin->parameterDisplay(index) + "\"").c_str(),
                    ("\"" + plugin->parameterLabel(index) + "\"").c_str(), static_cast<double>(plugin->getParameter(index)));
    std::printf("\n--set accepts:\n");
    for (const std::string& line : acceptedParameters()) std::printf("  %s\n", line.c_str());
    return 0;
}

int run(const RenderOptions& options) {
    if (options.listPresets) return listPresets();
    const std::string pluginPath = findPlugin(options.plugin);
    if (options.listParams) return listParams(pluginPath);

    if (options.input == options.output || platform::sameFile(options.input, options.output))
        throw Failure{kExitUsage, "the output must not be the input file"};
    std::string error;
    const auto input = readAudio(options.input, &error);
    if (!input) throw Failure{kExitUsage, error};
    int format = input->format;
    if (options.floatOutput) {
        format = floatFormatOf(input->format);
        if (format == 0) throw Failure{kExitUsage, "this file type cannot hold float samples"};
    }

    std::string presetName = "Current (the plug-in's defaults)";
    std::optional<PresetRecord> preset;
    if (!options.preset.empty()) preset = resolvePreset(options.preset);
    if (!options.bank.empty()) preset = resolveBankSlot(options.bank, options.slot);

    auto plugin = loadPlugin(pluginPath, static_cast<float>(input->sampleRate));
    if (preset) {
        presetName = preset->name;
        for (int index = 0; index < Param::PresetCount; ++index)
            plugin->setParameter(index, preset->values[static_cast<std::size_t>(index)]);
        char name[64] = {};
        preset->name.copy(name, 24);
        plugin->dispatch(effSetProgramName, 0, 0, name);
    }
    if (options.fat) plugin->setParameter(Param::FAT, 1);
    const auto applied = applySettings(*plugin, options.settings);
    plugin->resume();

    const bool progress = !options.quiet && platform::isTerminal(2);
    double cpuSeconds = 0;
    const AudioData output = options.useDouble ? render<double>(*plugin, *input, progress, &cpuSeconds)
                                               : render<float>(*plugin, *input, progress, &cpuSeconds);
    for (double x : output.left)
        if (!std::isfinite(x)) throw Failure{kExitFailure, "the effect produced invalid samples; nothing written"};
    if (!writeAudio(options.output, output, format, &error)) throw Failure{kExitFailure, error};

    if (!options.quiet) {
        const Levels in = levelsOf(*input);
        const Levels out = levelsOf(output);
        const double seconds = static_cast<double>(input->left.size()) / input->sampleRate;
        std::printf("%s -> %s  (%s, %d Hz, %.2f s)\n", options.input.c_str(), options.output.c_str(),
                    input->channels == 2 ? "stereo" : "mono", input->sampleRate, seconds);
        std::printf("preset:   %s%s\n", presetName.c_str(), options.fat ? ", FAT" : "");
        for (const ParameterSetting& setting : applied) std::printf("set:      %s\n", setting.text.c_str());
        std::printf("input:    peak %6.1f dBFS   RMS %6.1f dBFS   crest %5.1f dB\n", decibels(in.peak),
                    decibels(in.rms), decibels(in.peak) - decibels(in.rms));
        std::printf("output:   peak %6.1f dBFS   RMS %6.1f dBFS   crest %5.1f dB\n", decibels(out.peak),
                    decibels(out.rms), decibels(out.peak) - decibels(out.rms));
        std::printf("largest gain reduction: %.1f dB   latency compensated: %d samples\n",
                    largestGainReduction(*input, output), plugin->latency());
        std::printf("speed:    %.0fx realtime\n", cpuSeconds > 0 ? seconds / cpuSeconds : 0.0);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = parseRenderOptions(argc, argv, &error);
    if (!options) {
        if (!error.empty()) std::fprintf(stderr, "calorvane-render: %s\n", error.c_str());
        std::fprintf(stderr, "%s", kUsage);
        return error.empty() ? 0 : kExitUsage;
    }
    try {
        return run(*options);
    } catch (const Failure& failure) {
        std::fprintf(stderr, "calorvane-render: %s\n", failure.message.c_str());
        return failure.code;
    } catch (const std::exception& exception) {
        std::fprintf(stderr, "calorvane-render: %s\n", exception.what());
        return kExitFailure;
    }
}
