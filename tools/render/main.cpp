// calorvane-render: runs audio files through the effect plug-in the way a host does, with the
// plug-in's latency compensated so the output lines up with the input sample for sample.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "effect/core/param_index.h"
#include "effect/presets/factory_presets.h"
#include "host/vst_host.h"
#include "platform/files.h"
#include "tools/render/audio_file.h"
#include "tools/render/parameter_values.h"
#include "tools/render/preset_source.h"
#include "tools/render/render_options.h"
#include "tools/render/signal_statistics.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;
constexpr std::size_t kBlockFrames = 512;
// Longer than a bass period, short enough to catch a compressed drum hit.
constexpr double kGainWindowSeconds = 0.05;

volatile std::sig_atomic_t interrupted = 0;
extern "C" void onInterrupt(int) { interrupted = 1; }

struct Failure {
    int code;
    std::string message;
};

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string findPlugin(const std::string& requested) {
    if (!requested.empty()) return requested;
    if (const char* fromEnvironment = std::getenv("CALORVANE_PLUGIN")) return fromEnvironment;
    if (platform::fileExists(CALORVANE_BUILT_PLUGIN)) return CALORVANE_BUILT_PLUGIN;
    const std::string installed = platform::userVstFolder() + "/KYT Calorvane2.so";
    const std::string classic = platform::userVstFolder() + "/KYT Calorvane.so";
    return platform::fileExists(installed) || !platform::fileExists(classic) ? installed : classic;
}

std::unique_ptr<host::VstPlugin> loadPlugin(const std::string& path, int sampleRate) {
    host::HostConfig config;
    config.blockSize = static_cast<VstIntPtr>(kBlockFrames);
    config.sampleRate = sampleRate;
    std::string error;
    auto plugin = host::VstPlugin::load(path, config, &error);
    if (plugin == nullptr) throw Failure{kExitFailure, "cannot load the plug-in: " + error};
    plugin->setRecording(false);
    const AEffect* effect = plugin->effect();
    if (effect->processReplacing == nullptr || effect->numInputs > 2 || effect->numOutputs > 2)
        throw Failure{kExitFailure, path + " is not a mono or stereo effect with 32-bit processing"};
    plugin->dispatch(effOpen);
    plugin->setSampleRate(static_cast<float>(sampleRate));
    plugin->setBlockSize(static_cast<VstInt32>(kBlockFrames));
    return plugin;
}

// The parameter table and the factory presets describe KYT Calorvane2's layout; setting them on a
// plug-in that places its parameters elsewhere would quietly render something else.
bool hasKnownLayout(host::VstPlugin& plugin) {
    if (plugin.effect()->numParams < Param::HostCount) return false;
    for (VstInt32 index = 0; index < Param::HostCount; ++index)
        if (!hostNameMatches(index, plugin.parameterName(index))) return false;
    return true;
}

struct EffectSetup {
    std::string presetName = "Current (the plug-in's defaults)";
    std::vector<ParameterSetting> applied;
};

double fineScaleOf(host::VstPlugin& plugin) {
    const double percent = std::atof(plugin.parameterDisplay(Param::FineTune).c_str());
    return percent < 20 ? 0.125 : percent < 40 ? 0.25 : percent < 75 ? 0.5 : 1.0;
}

// Preset first, then --fat, then --set with FineTune ahead of the rest: it sets the dB ranges
// the other values are read in. Everything goes through setParameter, as a host's automation.
EffectSetup configure(host::VstPlugin& plugin, const RenderOptions& options) {
    EffectSetup setup;
    const bool changesParameters = !options.preset.empty() || !options.bank.empty() || options.fat ||
                                   !options.settings.empty();
    if (!changesParameters) return setup;
    if (!hasKnownLayout(plugin))
        throw Failure{kExitUsage, plugin.effectName() + " places its parameters differently from KYT Calorvane2; " +
                                      "--preset, --bank, --fat and --set work only with KYT Calorvane2"};
    std::string error;
    std::optional<PresetRecord> preset;
    if (!options.preset.empty()) preset = presetFromArgument(options.preset, &error);
    if (!options.bank.empty()) preset = presetFromBank(options.bank, options.slot, &error);
    if ((!options.preset.empty() || !options.bank.empty()) && !preset) throw Failure{kExitUsage, error};
    if (preset) {
        setup.presetName = preset->name;
        // Older files carry fewer values: the rest stay as they are, as when the effect loads them.
        for (int index = 0; index < preset->valueCount; ++index)
            plugin.setParameter(index, preset->values[static_cast<std::size_t>(index)]);
        char name[32] = {};
        preset->name.copy(name, preset_file::kNameField);
        plugin.dispatch(effSetProgramName, 0, 0, name);
    }
    if (options.fat) plugin.setParameter(Param::FAT, 1);

    std::vector<std::string> ordered;
    for (const std::string& text : options.settings)
        if (parameterIndexByName(text.substr(0, text.find('='))) == Param::FineTune) ordered.push_back(text);
    for (const std::string& text : options.settings)
        if (parameterIndexByName(text.substr(0, text.find('='))) != Param::FineTune) ordered.push_back(text);
    for (const std::string& text : ordered) {
        const auto setting = parseParameterSetting(text, fineScaleOf(plugin), &error);
        if (!setting) throw Failure{kExitUsage, error};
        plugin.setParameter(setting->index, setting->normalized);
        setup.applied.push_back(*setting);
    }
    return setup;
}

struct RenderResult {
    SignalLevels input, output;
    double largestGainReductionDb = 0;
    std::size_t frames = 0;
    double pluginSeconds = 0;
};

void showProgress(std::size_t done, std::int64_t total, int* shownPercent) {
    if (total <= 0) return;
    const int percent = static_cast<int>(std::min<std::int64_t>(100, 100 * static_cast<std::int64_t>(done) / total));
    if (percent == *shownPercent) return;
    *shownPercent = percent;
    std::fprintf(stderr, "\r[%-40s] %3d%%", std::string(static_cast<std::size_t>(percent * 40 / 100), '#').c_str(),
                 percent);
}

// Streams the file through the plug-in block by block. The first `latency` output samples are
// dropped and the input is followed by `latency` samples of silence to flush the tail, so output
// sample n answers input sample n and both have the same length.
template <typename Sample>
RenderResult render(host::VstPlugin& plugin, AudioReader& reader, AudioWriter& writer, bool progress) {
    const int channels = reader.format().channels;
    const auto width = static_cast<std::size_t>(channels);
    const auto latency = static_cast<std::size_t>(std::max(0, plugin.latency()));
    RenderResult result;
    GainReductionMeter gainReduction(
        static_cast<std::size_t>(kGainWindowSeconds * reader.format().sampleRate));

    std::vector<double> fileIn(kBlockFrames * width), fileOut(kBlockFrames * width);
    std::vector<Sample> inL(kBlockFrames), inR(kBlockFrames), outL(kBlockFrames), outR(kBlockFrames);
    Sample* inputs[2] = {inL.data(), inR.data()};
    Sample* outputs[2] = {outL.data(), outR.data()};
    std::size_t framesRead = 0, framesWritten = 0, framesProcessed = 0;
    bool inputEnded = false;
    int shownPercent = -1;
    std::string error;

    while (!inputEnded || framesWritten < framesRead) {
        if (interrupted) throw Failure{kExitFailure, "interrupted; nothing written"};
        std::size_t got = 0;
        if (!inputEnded) {
            if (!reader.read(fileIn.data(), kBlockFrames, &got, &error)) throw Failure{kExitFailure, error};
            inputEnded = got < kBlockFrames;
            result.input.add(fileIn.data(), got, channels);
            gainReduction.addInput(fileIn.data(), got, channels);
            framesRead += got;
        }
        for (std::size_t i = 0; i < kBlockFrames; ++i) {
            const bool present = i < got;
            inL[i] = static_cast<Sample>(present ? fileIn[i * width] : 0.0);
            inR[i] = static_cast<Sample>(present ? fileIn[i * width + width - 1] : 0.0);  // mono feeds both
        }
        const Clock::time_point before = Clock::now();
        if constexpr (sizeof(Sample) == sizeof(float))
            plugin.process(inputs, outputs, static_cast<VstInt32>(kBlockFrames));
        else
            plugin.processDouble(inputs, outputs, static_cast<VstInt32>(kBlockFrames));
        result.pluginSeconds += secondsSince(before);

        // This block holds output samples framesProcessed - latency onwards.
        const std::size_t first = std::max(framesProcessed, latency);
        const std::size_t end = std::min(framesProcessed + kBlockFrames, framesRead + latency);
        std::size_t count = 0;
        for (std::size_t position = first; position < end; ++position, ++count) {
            const std::size_t i = position - framesProcessed;
            fileOut[count * width] = static_cast<double>(outL[i]);
            if (channels == 2) fileOut[count * width + 1] = static_cast<double>(outR[i]);
        }
        framesProcessed += kBlockFrames;
        for (std::size_t i = 0; i < count * width; ++i)
            if (!std::isfinite(fileOut[i]))
                throw Failure{kExitFailure, "the effect produced samples that are not numbers; nothing written"};
        if (count > 0 && !writer.write(fileOut.data(), count, &error)) throw Failure{kExitFailure, error};
        result.output.add(fileOut.data(), count, channels);
        gainReduction.addOutput(fileOut.data(), count, channels);
        framesWritten += count;
        if (progress) showProgress(framesWritten, reader.announcedFrames(), &shownPercent);
    }
    if (progress) std::fprintf(stderr, "\n");
    result.frames = framesWritten;
    result.largestGainReductionDb = gainReduction.largestReductionDb();
    return result;
}

int listPresets() {
    for (int slot = 0; slot < kPresetSlotCount; ++slot) std::printf("%3d  %s\n", slot, factoryPresetName(slot));
    return 0;
}

std::string fourCharacters(VstInt32 code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((static_cast<std::uint32_t>(code) >> shift) & 0xff);
        text += c >= 32 && c < 127 ? c : '?';
    }
    return text;
}

int listParams(const RenderOptions& options, const std::string& pluginPath) {
    constexpr int kListingRate = 44100;
    auto plugin = loadPlugin(pluginPath, kListingRate);
    const EffectSetup setup = configure(*plugin, options);
    plugin->resume();
    const AEffect* effect = plugin->effect();
    std::printf("Effect:    %s\nVendor:    %s\nProduct:   %s\nVersion:   %ld\nUnique id: %s\n",
                plugin->effectName().c_str(), plugin->vendorString().c_str(), plugin->productString().c_str(),
                static_cast<long>(plugin->dispatch(effGetVendorVersion)), fourCharacters(effect->uniqueID).c_str());
    std::printf("Latency:   %d samples at %d Hz\nInputs/outputs: %d/%d   Program: %s\n\n", plugin->latency(),
                kListingRate, effect->numInputs, effect->numOutputs, plugin->programName().c_str());
    if (!setup.applied.empty() || setup.presetName.rfind("Current (", 0) != 0)
        std::printf("After the preset and settings given:\n");
    std::printf("%5s  %-14s %-14s %-8s %s\n", "index", "name", "display", "label", "value");
    for (VstInt32 index = 0; index < effect->numParams; ++index)
        std::printf("%5d  %-14s %-14s %-8s %.4f\n", index, ("\"" + plugin->parameterName(index) + "\"").c_str(),
                    ("\"" + plugin->parameterDisplay(index) + "\"").c_str(),
                    ("\"" + plugin->parameterLabel(index) + "\"").c_str(),
                    static_cast<double>(plugin->getParameter(index)));
    if (hasKnownLayout(*plugin)) {
        std::printf("\n--set accepts:\n");
        for (const std::string& line : acceptedParameters()) std::printf("  %s\n", line.c_str());
    }
    return 0;
}

std::string decibelText(double linear) {
    char text[16];
    const double db = decibelsOf(linear);
    if (std::isinf(db)) return "  -inf";
    std::snprintf(text, sizeof text, "%6.1f", db);
    return text;
}

int run(const RenderOptions& options) {
    if (options.listPresets) return listPresets();
    const std::string pluginPath = findPlugin(options.plugin);
    if (options.listParams) return listParams(options, pluginPath);

    if (options.input == options.output || platform::sameFile(options.input, options.output))
        throw Failure{kExitUsage, "the output must not be the input file"};
    std::string error;
    const auto reader = AudioReader::open(options.input, &error);
    if (!reader) throw Failure{kExitUsage, error};
    AudioFormat outputFormat = reader->format();
    if (options.floatOutput) {
        outputFormat.format = floatFormatOf(outputFormat.format);
        if (outputFormat.format == 0) throw Failure{kExitUsage, "this file type cannot hold float samples"};
    }

    auto plugin = loadPlugin(pluginPath, reader->format().sampleRate);
    if (options.useDouble && ((plugin->effect()->flags & effFlagsCanDoubleReplacing) == 0 ||
                              plugin->effect()->processDoubleReplacing == nullptr))
        throw Failure{kExitUsage, plugin->effectName() + " has no 64-bit processing; render without --double"};
    const EffectSetup setup = configure(*plugin, options);
    plugin->resume();

    // Created last: every usage error above leaves no trace on disk.
    const auto writer = AudioWriter::create(options.output, outputFormat, &error);
    if (!writer) throw Failure{kExitUsage, error};
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);

    const bool progress = !options.quiet && platform::isTerminal(2);
    const Clock::time_point start = Clock::now();
    const RenderResult result = options.useDouble ? render<double>(*plugin, *reader, *writer, progress)
                                                  : render<float>(*plugin, *reader, *writer, progress);
    if (!writer->commit(&error)) throw Failure{kExitFailure, error};
    const double wallSeconds = secondsSince(start);

    if (!options.quiet) {
        const int rate = reader->format().sampleRate;
        const double seconds = static_cast<double>(result.frames) / rate;
        std::printf("%s -> %s  (%s, %d Hz, %.2f s)\n", options.input.c_str(), options.output.c_str(),
                    reader->format().channels == 2 ? "stereo" : "mono", rate, seconds);
        std::printf("preset:   %s%s\n", setup.presetName.c_str(), options.fat ? ", FAT" : "");
        for (const ParameterSetting& setting : setup.applied) std::printf("set:      %s\n", setting.text.c_str());
        for (const auto& [label, levels] : {std::pair{"input: ", &result.input}, std::pair{"output:", &result.output}})
            std::printf("%s   peak %s dBFS   RMS %s dBFS   crest %5.1f dB\n", label, decibelText(levels->peak()).c_str(),
                        decibelText(levels->rms()).c_str(),
                        levels->rms() > 0 ? decibelsOf(levels->peak()) - decibelsOf(levels->rms()) : 0.0);
        if (result.input.nonFiniteSamples() > 0)
            std::printf("warning:  %zu input samples were not numbers; the effect took them as silence\n",
                        result.input.nonFiniteSamples());
        std::printf("largest gain reduction: %.1f dB   latency compensated: %d samples\n",
                    result.largestGainReductionDb, plugin->latency());
        std::printf("speed:    %.0fx realtime (plug-in alone %.0fx)\n", wallSeconds > 0 ? seconds / wallSeconds : 0.0,
                    result.pluginSeconds > 0 ? seconds / result.pluginSeconds : 0.0);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = parseRenderOptions(argc, argv, &error);
    if (!options) {
        if (!error.empty()) std::fprintf(stderr, "calorvane-render: %s\n", error.c_str());
        std::fprintf(error.empty() ? stdout : stderr, "%s", kUsage);
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
