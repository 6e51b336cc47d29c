// Runs one VST 2.4 plug-in the way a plain host loop would and reports its speed as a
// realtime factor (audio seconds per CPU second): a fair yardstick for our effect and its peers.
//
//   calorvane-host-bench PLUGIN.so [--seconds S] [--rate HZ] [--block N] [--double]
//                        [--set INDEX=VALUE ...] [--label TEXT] [--list]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "host/vst_host.h"

namespace {

struct Options {
    std::string plugin;
    std::string label;
    double seconds = 60;
    float rate = 44100;
    int block = 512;
    bool useDouble = false;
    bool listParameters = false;
    std::vector<std::pair<int, float>> settings;
};

int usage(const char* message) {
    std::fprintf(stderr,
                 "%s\nusage: calorvane-host-bench PLUGIN.so [--seconds S] [--rate HZ] [--block N] "
                 "[--double] [--set INDEX=VALUE ...] [--label TEXT] [--list]\n",
                 message);
    return 2;
}

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--seconds" && hasValue)
            options.seconds = std::atof(argv[++i]);
        else if (arg == "--rate" && hasValue)
            options.rate = static_cast<float>(std::atof(argv[++i]));
        else if (arg == "--block" && hasValue)
            options.block = std::atoi(argv[++i]);
        else if (arg == "--label" && hasValue)
            options.label = argv[++i];
        else if (arg == "--double")
            options.useDouble = true;
        else if (arg == "--list")
            options.listParameters = true;
        else if (arg == "--set" && hasValue) {
            const std::string setting = argv[++i];
            const std::size_t equals = setting.find('=');
            if (equals == std::string::npos) return false;
            options.settings.emplace_back(std::atoi(setting.substr(0, equals).c_str()),
                                          static_cast<float>(std::atof(setting.c_str() + equals + 1)));
        } else if (options.plugin.empty() && arg.rfind("--", 0) != 0)
            options.plugin = arg;
        else
            return false;
    }
    return !options.plugin.empty() && options.seconds > 0 && options.rate >= 8000 &&
           options.block > 0 && options.block <= 65536;
}

// A music-like test signal: two detuned tones over decaying noise bursts, about -12 dBFS RMS.
std::vector<float> makeSignal(std::size_t frames, float rate, unsigned channel) {
    std::vector<float> signal(frames);
    std::mt19937 random(1234 + channel);
    std::normal_distribution<float> noise(0.0f, 0.15f);
    const double beat = rate / 2.0;
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double burst = std::exp(-std::fmod(static_cast<double>(i), beat) / (0.05 * rate));
        signal[i] = static_cast<float>(0.3 * std::sin(2 * M_PI * 110 * t) +
                                       0.2 * std::sin(2 * M_PI * (220.7 + channel) * t) +
                                       burst * noise(random));
    }
    return signal;
}

template <typename Sample>
double run(host::VstPlugin& plugin, const Options& options, std::size_t frames) {
    std::vector<Sample> left(frames), right(frames);
    const auto sourceLeft = makeSignal(frames, options.rate, 0);
    const auto sourceRight = makeSignal(frames, options.rate, 1);
    for (std::size_t i = 0; i < frames; ++i) {
        left[i] = sourceLeft[i];
        right[i] = sourceRight[i];
    }
    std::vector<Sample> outLeft(static_cast<std::size_t>(options.block)),
        outRight(static_cast<std::size_t>(options.block));

    const std::clock_t start = std::clock();
    for (std::size_t offset = 0; offset < frames; offset += static_cast<std::size_t>(options.block)) {
        const auto count = static_cast<VstInt32>(
            std::min<std::size_t>(static_cast<std::size_t>(options.block), frames - offset));
        Sample* inputs[2] = {left.data() + offset, right.data() + offset};
        Sample* outputs[2] = {outLeft.data(), outRight.data()};
        if constexpr (sizeof(Sample) == sizeof(float))
            plugin.process(inputs, outputs, count);
        else
            plugin.processDouble(inputs, outputs, count);
    }
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) return usage("calorvane-host-bench: bad arguments");

    host::HostConfig config;
    config.blockSize = options.block;
    config.sampleRate = options.rate;
    std::string error;
    auto plugin = host::VstPlugin::load(options.plugin, config, &error);
    if (plugin == nullptr) {
        std::fprintf(stderr, "calorvane-host-bench: %s\n", error.c_str());
        return 1;
    }
    plugin->setRecording(false);
    plugin->dispatch(effOpen);
    plugin->setSampleRate(options.rate);
    plugin->setBlockSize(options.block);
    for (const auto& [index, value] : options.settings) plugin->setParameter(index, value);
    plugin->resume();
    if (options.listParameters) {
        for (VstInt32 index = 0; index < plugin->effect()->numParams; ++index)
            std::printf("%4d  %-24s %s %s\n", index, plugin->parameterName(index).c_str(),
                        plugin->parameterDisplay(index).c_str(), plugin->parameterLabel(index).c_str());
        return 0;
    }
    if (options.useDouble && !(plugin->effect()->flags & effFlagsCanDoubleReplacing)) {
        std::fprintf(stderr, "calorvane-host-bench: the plug-in has no 64-bit processing\n");
        return 1;
    }

    const auto frames = static_cast<std::size_t>(options.seconds * options.rate);
    const double cpuSeconds = options.useDouble ? run<double>(*plugin, options, frames)
                                                : run<float>(*plugin, options, frames);
    const double realtime = options.seconds / std::max(cpuSeconds, 1e-9);
    std::printf("%-44s %9.1fx realtime  (%.0f s of stereo at %.0f Hz in %.3f CPU s)\n",
                (options.label.empty() ? options.plugin : options.label).c_str(), realtime,
                options.seconds, static_cast<double>(options.rate), cpuSeconds);
    return 0;
}
