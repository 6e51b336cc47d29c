// calorvane-render end to end: small generated files through the built tool and plug-in.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "effect/presets/factory_presets.h"
#include "effect/presets/preset_file_format.h"
#include "tests/support/temp_settings.h"
#include "tools/render/parameter_values.h"

namespace {

namespace fs = std::filesystem;

struct Audio {
    int channels = 2;
    int rate = 44100;
    int format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    std::vector<double> interleaved;
    std::size_t frames() const { return interleaved.size() / static_cast<std::size_t>(channels); }
};

void writeFile(const std::string& path, const Audio& audio) {
    SF_INFO info{};
    info.channels = audio.channels;
    info.samplerate = audio.rate;
    info.format = audio.format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    sf_writef_double(file, audio.interleaved.data(), static_cast<sf_count_t>(audio.frames()));
    sf_close(file);
}

Audio readFile(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    Audio audio;
    if (file == nullptr) return audio;
    audio.channels = info.channels;
    audio.rate = info.samplerate;
    audio.format = info.format;
    audio.interleaved.resize(static_cast<std::size_t>(info.frames * info.channels));
    sf_readf_double(file, audio.interleaved.data(), info.frames);
    sf_close(file);
    return audio;
}

Audio music(int channels, int rate, std::size_t frames, int format) {
    Audio audio{channels, rate, format, std::vector<double>(frames * static_cast<std::size_t>(channels))};
    for (std::size_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            audio.interleaved[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] =
                0.4 * std::sin(static_cast<double>(i) * (0.03 + 0.01 * c)) * std::exp(-static_cast<double>(i % 4000) / 1500.0);
    return audio;
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = settings.path() / "render";
        fs::create_directories(folder);
    }
    std::string path(const std::string& name) const { return (folder / name).string(); }

    // Runs the tool; returns its exit code. `environment` goes before the command ("NAME=value").
    int render(const std::string& arguments, const std::string& plugin = CALORVANE_PLUGIN_PATH,
               const std::string& environment = "") {
        const std::string command = environment + " \"" + CALORVANE_RENDER + "\" --plugin \"" + plugin +
                                    "\" " + arguments + " >\"" + path("log") + "\" 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string log() const {
        std::ifstream in(folder / "log");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    TempSettings settings;
    fs::path folder;
};

TEST_F(RenderTest, OutputIsAlignedAndAsLongAsTheInput) {
    struct Case {
        int channels, rate, format;
    };
    const Case cases[] = {
        {2, 44100, SF_FORMAT_WAV | SF_FORMAT_FLOAT},  {1, 44100, SF_FORMAT_WAV | SF_FORMAT_PCM_16},
        {2, 96000, SF_FORMAT_WAV | SF_FORMAT_PCM_24}, {1, 96000, SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
    };
    for (const Case& c : cases) {
        Audio input{c.channels, c.rate, c.format, std::vector<double>(5000 * static_cast<std::size_t>(c.channels), 0.0)};
        input.interleaved[1000 * static_cast<std::size_t>(c.channels)] = 0.5;
        writeFile(path("impulse.in"), input);
        ASSERT_EQ(render("\"" + path("impulse.in") + "\" \"" + path("impulse.out") + "\" --set Process=off"), 0) << log();
        const Audio output = readFile(path("impulse.out"));
        EXPECT_EQ(output.frames(), input.frames());
        EXPECT_EQ(output.format, input.format) << "the input's format is kept";
        EXPECT_EQ(output.rate, input.rate);
        for (std::size_t i = 0; i < output.interleaved.size(); ++i)
            ASSERT_NEAR(output.interleaved[i], input.interleaved[i], 1e-4) << c.rate << " " << i;

        // Processing too keeps the impulse where it was.
        ASSERT_EQ(render("\"" + path("impulse.in") + "\" \"" + path("impulse.out") + "\""), 0) << log();
        const Audio processed = readFile(path("impulse.out"));
        std::size_t peak = 0;
        for (std::size_t i = 0; i < processed.interleaved.size(); ++i)
            if (std::fabs(processed.interleaved[i]) > std::fabs(processed.interleaved[peak])) peak = i;
        EXPECT_EQ(peak / static_cast<std::size_t>(c.channels), 1000u) << c.rate;
    }
}

TEST_F(RenderTest, DoublePathMatchesTheFloatPath) {
    writeFile(path("in.wav"), music(2, 44100, 20000, SF_FORMAT_WAV | SF_FORMAT_FLOAT));
    ASSERT_EQ(render("\"" + path("in.wav") + "\" \"" + path("single.wav") + "\" --preset \"Mix Finalize 1\""), 0) << log();
    ASSERT_EQ(render("\"" + path("in.wav") + "\" \"" + path("double.wav") + "\" --preset \"Mix Finalize 1\" --double"), 0) << log();
    const Audio single = readFile(path("single.wav"));
    const Audio twice = readFile(path("double.wav"));
    ASSERT_EQ(single.interleaved.size(), twice.interleaved.size());
    for (std::size_t i = 0; i < single.interleaved.size(); ++i)
        ASSERT_NEAR(single.interleaved[i], twice.interleaved[i], 1e-5) << i;
}

TEST_F(RenderTest, PresetsByNameNumberFileAndBankAgree) {
    writeFile(path("in.wav"), music(2, 44100, 12000, SF_FORMAT_WAV | SF_FORMAT_FLOAT));
    PresetRecord guitar;
    guitar.name = factoryPresetName(19);
    guitar.values = factoryPresetValues(19);
    std::string error;
    ASSERT_TRUE(preset_file::writeFileAtomically(path("guitar.kyt"), preset_file::serializePreset(guitar), &error));

    ASSERT_EQ(render("\"" + path("in.wav") + "\" \"" + path("a.wav") + "\" --preset \"guitar track\""), 0) << log();
    ASSERT_EQ(render("\"" + path("in.wav") + "\" \"" + path("b.wav") + "\" --preset 19"), 0) << log();
    ASSERT_EQ(render("\"" + path("in.wav") + "\" \"" + path("c.wav") + "\" --preset \"" + path("guitar.kyt") + "\""), 0) << log();
    ASSERT_EQ(render("\"" + path("in.wav") + "\" \"" + path("d.wav") + "\""), 0) << log();
    std::vector<PresetRecord> bank(31);
    for (int slot = 0; slot < 31; ++slot) {
        bank[static_cast<std::size_t>(slot)].name = factoryPresetName(slot);
        bank[static_cast<std::size_t>(slot)].values = factoryPresetValues(slot);
    }
    ASSERT_TRUE(preset_file::writeFileAtomically(path("factory.kyb"), preset_file::serializeBank(bank), &error));
    ASSERT_EQ(render("\"" + path("in.wav") + "\" \"" + path("e.wav") + "\" --bank \"" + path("factory.kyb") + "\" --slot 19"), 0) << log();
    EXPECT_EQ(readFile(path("e.wav")).interleaved, readFile(path("a.wav")).interleaved);
    const Audio a = readFile(path("a.wav")), b = readFile(path("b.wav")), c = readFile(path("c.wav")),
                plain = readFile(path("d.wav"));
    EXPECT_EQ(a.interleaved, b.interleaved);
    EXPECT_EQ(a.interleaved, c.interleaved);
    EXPECT_NE(a.interleaved, plain.interleaved) << "the preset changes the sound";
}

TEST(RenderSettings, DisplayUnitsLandOnNormalizedValues) {
    struct Case {
        const char* text;
        double fine;
        int index;
        float normalized;
    };
    const Case cases[] = {
        {"Drive=6dB", 1, 4, 0.625f},       {"drive=-24", 1, 4, 0.0f},       {"Drive=6", 0.25, 4, 1.0f},
        {"HighFreq=4000", 1, 10, 0.5f},    {"LowFreq=100 Hz", 1, 11, 0.5f}, {"Release=x1", 1, 7, 0.5f},
        {"Release=4x", 1, 7, 1.0f},        {"Mix=50%", 1, 12, 0.5f},        {"Ceiling=-12", 1, 13, 0.0f},
        {"Output=6", 0.25, 14, 1.0f},      {"LowRel=16", 1, 18, 1.0f},      {"MidSat=0", 1, 16, 0.5f},
        {"FineTune=25", 1, 24, 1.0f / 3},  {"FineTune=13%", 1, 24, 0.0f},   {"Mode=multi", 1, 1, 1.0f},
        {"Mono Stereo=mono", 1, 2, 0.0f},  {"Meters=post", 1, 21, 1.0f},    {"L R=l", 1, 30, 0.5f},
        {"FAT=on", 1, 26, 1.0f},           {"Brickwall=off", 1, 29, 0.0f},  {"Process=0.7", 1, 0, 0.7f},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto setting = parseParameterSetting(c.text, c.fine, &error);
        ASSERT_TRUE(setting.has_value()) << c.text << ": " << error;
        EXPECT_EQ(setting->index, c.index) << c.text;
        EXPECT_NEAR(setting->normalized, c.normalized, 1e-6) << c.text;
    }
    for (const char* bad : {"Drive=30", "Drive=7", "Loudness=3", "Mix=abc", "Mode=sideways", "HighFreq=500",
                            "FineTune=33", "Drive", "Mix=nan"}) {
        std::string error;
        EXPECT_FALSE(parseParameterSetting(bad, bad == std::string("Drive=7") ? 0.25 : 1, &error).has_value()) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

TEST_F(RenderTest, ErrorsExitWithTheirCodeAndWriteNothing) {
    writeFile(path("in.wav"), music(2, 44100, 4000, SF_FORMAT_WAV | SF_FORMAT_FLOAT));
    writeFile(path("three.wav"), music(3, 44100, 1000, SF_FORMAT_WAV | SF_FORMAT_FLOAT));
    writeFile(path("slow.wav"), music(1, 8000, 1000, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    std::ofstream(path("junk.wav")) << "this is not audio";
    writeFile(path("in.flac"), music(1, 44100, 1000, SF_FORMAT_FLAC | SF_FORMAT_PCM_16));
    std::ofstream(path("bad.kyt")) << "VCKK?garbage";
    std::ofstream(path("factory.kyb")) << std::string(5957, '\0');
    const std::string in = "\"" + path("in.wav") + "\" ";
    const std::string out = "\"" + path("out.wav") + "\"";
    struct Case {
        const char* what;
        std::string arguments;
        int code;
    };
    const Case cases[] = {
        {"no files", "", 2},
        {"one file", in, 2},
        {"missing input", "\"" + path("missing.wav") + "\" " + out, 2},
        {"not audio", "\"" + path("junk.wav") + "\" " + out, 2},
        {"three channels", "\"" + path("three.wav") + "\" " + out, 2},
        {"8 kHz", "\"" + path("slow.wav") + "\" " + out, 2},
        {"output is the input", in + "\"" + path("in.wav") + "\"", 2},
        {"unknown parameter", in + out + " --set Loudness=11", 2},
        {"value out of range", in + out + " --set Drive=40dB", 2},
        {"unknown preset", in + out + " --preset \"No Such Preset\"", 2},
        {"preset number", in + out + " --preset 31", 2},
        {"damaged preset file", in + out + " --preset \"" + path("bad.kyt") + "\"", 2},
        {"bank without slot", in + out + " --bank \"" + path("bad.kyt") + "\"", 2},
        {"unknown option", in + out + " --loud", 2},
        {"bank slot out of range", in + out + " --bank \"" + path("factory.kyb") + "\" --slot 31", 2},
        {"damaged bank", in + out + " --bank \"" + path("bad.kyt") + "\" --slot 3", 2},
        {"output folder missing", in + "\"" + path("no-such-folder/out.wav") + "\"", 2},
        {"float output into FLAC", "\"" + path("in.flac") + "\" " + out + " --format float", 2},
        {"missing plug-in", in + out + " --plugin /nonexistent/plugin.so", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(render(c.arguments), c.code) << c.what << "\n" << log();
        EXPECT_FALSE(fs::exists(path("out.wav"))) << c.what;
        EXPECT_FALSE(log().empty()) << c.what << ": a message explains it";
    }
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path().string().find(".part"), std::string::npos) << "no temporary file left";
}

// The plug-in's own display texts are the oracle: a value given in display units shows as itself.
TEST_F(RenderTest, SettingsInDisplayUnitsShowAsGiven) {
    struct Case {
        const char* arguments;
        int index;
        const char* display;
    };
    const Case cases[] = {
        {"--set Drive=6dB", 4, "6.00"},
        {"--set \"Drive=-3.5 dB\"", 4, "-3.50"},
        {"--set FineTune=25 --set Drive=6", 4, "6.00"},
        {"--set Drive=6 --set FineTune=25", 24, "25"},
        {"--set FineTune=25 --set Ceiling=6", 13, "6.00"},
        {"--set HighFreq=4000Hz", 10, "4000"},
        {"--set LowFreq=50", 11, "50.0"},
        {"--set Release=x2", 7, "2.00"},
        {"--set HighRel=0.25x", 20, "0.25"},
        {"--set Mix=37.5%", 12, "37.5"},
        {"--set LowSat=-6", 15, "-6.00"},
        {"--set Mode=multi", 1, " MultiBand "},
        {"--set monostereo=mono", 2, " Mono "},
        {"--set LR=r", 30, " R "},
        {"--set Meters=post", 21, " Post "},
        {"--fat", 26, " FAT "},
        {"--preset \"Guitar Track\"", 4, "14.40"},
        {"--preset 19 --set Drive=0", 4, "0.00"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(render(std::string("--list-params ") + c.arguments), 0) << c.arguments << "\n" << log();
        const std::string listing = log();
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "\n%5d  ", c.index);
        const auto line = listing.find(prefix);
        ASSERT_NE(line, std::string::npos) << c.arguments << "\n" << listing;
        const auto nameEnd = listing.find('"', listing.find('"', line) + 1);
        const auto displayStart = listing.find('"', nameEnd + 1) + 1;
        const auto displayEnd = listing.find('"', displayStart);
        EXPECT_EQ(listing.substr(displayStart, displayEnd - displayStart), c.display) << c.arguments;
    }
    ASSERT_EQ(render("--list-params"), 0);
    for (const char* identity : {"KYT Calorvane2", "www.kytheral.com", "KKCV", "639 samples"})
        EXPECT_NE(log().find(identity), std::string::npos) << identity << "\n" << log();
}

// Another latency (not a multiple of the block), files shorter than it, empty files and a
// plug-in that fails half way, through a stand-in effect.
TEST_F(RenderTest, AnyLatencyAndLengthComeOutAligned) {
    struct Case {
        int channels;
        std::size_t frames;
    };
    for (const Case& c : {Case{2, 1500}, Case{1, 1500}, Case{2, 50}, Case{1, 0}, Case{2, 512}}) {
        Audio input = music(c.channels, 48000, c.frames, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
        for (std::size_t n : {std::size_t{0}, std::size_t{99}, std::size_t{511}, std::size_t{512}, c.frames - 1})
            if (n < c.frames) input.interleaved[n * static_cast<std::size_t>(c.channels)] = 0.9;
        writeFile(path("in.wav"), input);
        ASSERT_EQ(render("\"" + path("in.wav") + "\" \"" + path("out.wav") + "\"", CALORVANE_FAKE_EFFECT), 0) << log();
        EXPECT_NE(log().find("latency compensated: 100 samples"), std::string::npos) << log();
        // A pure delay: once compensated, the output is the input to the bit.
        EXPECT_EQ(readFile(path("out.wav")).interleaved, readFile(path("in.wav")).interleaved)
            << c.channels << " x " << c.frames;
    }
}

TEST_F(RenderTest, StandInEffectFailuresWriteNothing) {
    writeFile(path("in.wav"), music(2, 44100, 5000, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    const std::string files = "\"" + path("in.wav") + "\" \"" + path("out.wav") + "\"";
    struct Case {
        const char* what;
        std::string arguments, environment;
        int code;
    };
    const Case cases[] = {
        {"samples that are not numbers half way", files, "FAKE_EFFECT_NAN_AFTER=3000", 1},
        {"factory preset on another layout", files + " --preset Default", "", 2},
        {"setting on another layout", files + " --set Drive=3", "", 2},
        {"FAT on another layout", files + " --fat", "", 2},
        {"no 64-bit processing", files + " --double", "", 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(render(c.arguments, CALORVANE_FAKE_EFFECT, c.environment), c.code) << c.what << "\n" << log();
        EXPECT_FALSE(fs::exists(path("out.wav"))) << c.what;
        EXPECT_FALSE(log().empty()) << c.what << ": a message explains it";
    }
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path().string().find(".part"), std::string::npos) << "no temporary file left";
}

}  // namespace
