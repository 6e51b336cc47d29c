// calorvane-demo-signal OUT.wav [--seconds S] [--rate HZ]
// Writes a few seconds of our own synthesised music: drums, bass and a chord, in stereo,
// 24-bit WAV, peaking near -3 dBFS. Deterministic, so every demo run hears the same.
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double kTempoBpm = 120;
constexpr double kTwoPi = 2 * std::numbers::pi;

// Roots of a four-chord loop (A minor, F, C, G), in Hz, and the chord tones above each.
constexpr double kRoots[] = {55.0, 43.65, 65.41, 49.0};
constexpr double kChordRatios[] = {2.0, 2.0 * 1.189, 2.0 * 1.498, 4.0};

struct Closer {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

}  // namespace

int main(int argc, char** argv) {
    std::string path;
    double seconds = 6;
    int rate = 44100;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--seconds" && i + 1 < argc)
            seconds = std::atof(argv[++i]);
        else if (arg == "--rate" && i + 1 < argc)
            rate = std::atoi(argv[++i]);
        else if (path.empty() && arg[0] != '-')
            path = arg;
        else {
            std::fprintf(stderr, "usage: calorvane-demo-signal OUT.wav [--seconds S] [--rate HZ]\n");
            return 2;
        }
    }
    if (path.empty() || !(seconds > 0 && seconds <= 600) || rate < 22050 || rate > 192000) {
        std::fprintf(stderr, "usage: calorvane-demo-signal OUT.wav [--seconds 0..600] [--rate 22050..192000]\n");
        return 2;
    }

    const auto frames = static_cast<std::size_t>(seconds * rate);
    const double beat = 60.0 / kTempoBpm;
    std::vector<double> left(frames), right(frames);
    std::mt19937 random(2026);
    std::uniform_real_distribution<double> noise(-1, 1);
    double previousNoise = 0;

    for (std::size_t n = 0; n < frames; ++n) {
        const double t = static_cast<double>(n) / rate;
        const double inBeat = std::fmod(t, beat);
        const int beatIndex = static_cast<int>(t / beat);
        const double inEighth = std::fmod(t, beat / 2);
        const int bar = static_cast<int>(t / (4 * beat)) % 4;

        // Kick on every beat: a falling sine.
        const double kickPhase = kTwoPi * (45 * inBeat + 75 * 0.03 * (1 - std::exp(-inBeat / 0.03)));
        const double kick = 0.9 * std::sin(kickPhase) * std::exp(-inBeat / 0.18);
        // Snare on beats 2 and 4: noise and a body tone.
        const double white = noise(random);
        const double snare = beatIndex % 2 == 1
                                 ? (0.45 * white + 0.3 * std::sin(kTwoPi * 185 * inBeat)) * std::exp(-inBeat / 0.09)
                                 : 0.0;
        // Hi-hat on eighths: the difference of successive noise samples is bright.
        const double bright = white - previousNoise;
        previousNoise = white;
        const double hat = 0.12 * bright * std::exp(-inEighth / 0.025);
        // Bass on eighths, a few harmonics of the bar's root.
        const double root = kRoots[bar];
        double bass = 0;
        for (int h = 1; h <= 5; ++h) bass += std::sin(kTwoPi * root * h * t) / h;
        bass *= 0.28 * std::exp(-inEighth / 0.2);
        // Chord: soft sines swelling over each bar, spread across the stereo field.
        const double inBar = std::fmod(t, 4 * beat);
        const double swell = 0.09 * (1 - std::exp(-inBar / 0.3));
        double chordLeft = 0, chordRight = 0;
        for (int k = 0; k < 4; ++k) {
            const double tone = swell * std::sin(kTwoPi * root * 2 * kChordRatios[k] * t);
            chordLeft += tone * (k % 2 == 0 ? 1.0 : 0.6);
            chordRight += tone * (k % 2 == 0 ? 0.6 : 1.0);
        }
        const double centre = kick + snare + bass;
        left[n] = 0.34 * (centre + 0.8 * hat + chordLeft);
        right[n] = 0.34 * (centre + 1.2 * hat + chordRight);
    }

    SF_INFO info{};
    info.channels = 2;
    info.samplerate = rate;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
    std::unique_ptr<SNDFILE, Closer> file(sf_open(path.c_str(), SFM_WRITE, &info));
    if (!file) {
        std::fprintf(stderr, "calorvane-demo-signal: cannot write %s: %s\n", path.c_str(), sf_strerror(nullptr));
        return 1;
    }
    std::vector<double> interleaved(2 * frames);
    for (std::size_t n = 0; n < frames; ++n) {
        interleaved[2 * n] = left[n];
        interleaved[2 * n + 1] = right[n];
    }
    if (sf_writef_double(file.get(), interleaved.data(), static_cast<sf_count_t>(frames)) !=
        static_cast<sf_count_t>(frames)) {
        std::fprintf(stderr, "calorvane-demo-signal: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
