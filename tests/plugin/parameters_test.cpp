// Parameter names, labels and display texts exactly as a host reads them.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "tests/plugin/plugin_fixture.h"

namespace {

struct TextCase {
    int index;
    float value;
    const char* name;
    const char* label;
    const char* display;
};

class ParameterTextTest : public PluginTest {};

TEST_F(ParameterTextTest, EveryIndexAtSeveralValues) {
    const TextCase cases[] = {
        {0, 1, " Process ", "", " On "},
        {0, 0.49f, " Process ", "", " Off "},
        {1, 1, " Mode", "", " MultiBand "},
        {1, 0, " Mode", "", " SingleBnd "},
        {2, 1, " Mono Stereo", "", " Stereo "},
        {2, 0, " Mono Stereo", "", " Mono "},
        {3, 1, " Link", "", " Linked "},
        {3, 0, " Link", "", " Unlinked "},
        {4, 0.5f, " Drive ", " dB ", "0.00"},
        {4, 1, " Drive ", " dB ", "24.00"},
        {4, 0, " Drive ", " dB ", "-24.00"},
        {4, 0.75f, " Drive ", " dB ", "12.00"},
        {5, 0, " Knee ", " % ", "0.0"},
        {5, 0.333f, " Knee ", " % ", "33.3"},
        {6, 1, " Speed ", " % ", "100.0"},
        {7, 0.5f, " Release ", " * ", "1.00"},
        {7, 0, " Release ", " * ", "0.25"},
        {7, 1, " Release ", " * ", "4.00"},
        {8, 0.5f, " HighAdjust ", " dB ", "0.00"},
        {8, 1, " HighAdjust ", " dB ", "12.00"},
        {9, 0, " LowAdjust ", " dB ", "-12.00"},
        {10, 1, " HighFreq ", " Hz ", "16000"},
        {10, 0, " HighFreq ", " Hz ", "1000"},
        {10, 0.5f, " HighFreq ", " Hz ", "4000"},
        {10, 0.3f, " HighFreq ", " Hz ", "2297"},
        {11, 0.5f, " LowFreq ", " Hz ", "100.0"},
        {11, 0, " LowFreq ", " Hz ", "25.0"},
        {11, 1, " LowFreq ", " Hz ", "400.0"},
        {12, 1, " Mix ", " % ", "100.0"},
        {12, 0.5f, " Mix ", " % ", "50.0"},
        {13, 0.5f, " Ceiling ", " dB ", "0.00"},
        {13, 1, " Ceiling ", " dB ", "12.00"},
        {14, 0, " Output ", " dB ", "-12.00"},
        {15, 0.5f, " LowSat", " dB ", "0.00"},
        {16, 1, " MidSat ", " dB ", "12.00"},
        {17, 0, " HighSat ", " dB ", "-12.00"},
        {18, 0.5f, " LowRel ", " * ", "1.00"},
        {19, 0, " MidRel ", " * ", "0.06"},
        {20, 1, " HighRel ", " * ", "16.00"},
        {21, 0, " Meters ", "", " Pre "},
        {21, 0.5f, " Meters ", "", " GainRed "},
        {21, 1, " Meters ", "", " Post "},
        {22, 0, " MeterType ", "", " VU "},
        {22, 1, " MeterType ", "", " PPM "},
        {23, 0.7f, "-", " ms ", "-"},
        {24, 1, " FineTune ", " % ", "100"},
        {24, 0.5f, " FineTune ", " % ", "50"},
        {24, 0.2f, " FineTune ", " % ", "25"},
        {24, 0, " FineTune ", " % ", "13"},
        {25, 0, " MeterScale ", " dB ", "-20..+3"},
        {25, 1, " MeterScale ", " dB ", "-40..+6"},
        {26, 1, " FAT ", "", " FAT "},
        {26, 0, " FAT ", "", " Off "},
        {27, 1, " Long ", "", " Long "},
        {28, 1, " Auto ", "", " Auto "},
        {28, 0, " Auto ", "", " Off "},
        {29, 1, " Brickwall ", "", " BrickWall "},
        {29, 0, " Brickwall ", "", " Off "},
        {30, 0, " L R ", "", " OO-O"},
        {30, 0.5f, " L R ", "", " L "},
        {30, 1, " L R ", "", " R "},
        {31, 0.8f, "-", "-", ""},
        {41, 1, "-", "-", ""},
        {42, 1, "-", "-", ""},
    };
    for (const TextCase& c : cases) {
        plugin->setParameter(c.index, c.value);
        EXPECT_EQ(plugin->parameterName(c.index), c.name) << c.index;
        EXPECT_EQ(plugin->parameterLabel(c.index), c.label) << c.index;
        EXPECT_EQ(plugin->parameterDisplay(c.index), c.display) << c.index << " at " << c.value;
        plugin->setParameter(c.index, 0.5f);
        if (c.index == 24) plugin->setParameter(24, 1);
        if (c.index == 30) plugin->setParameter(30, 0);
    }
}

TEST_F(ParameterTextTest, FineTuneScalesTheDecibelRanges) {
    plugin->setParameter(24, 0.2f);
    EXPECT_NEAR(plugin->getParameter(24), 1.0f / 3, 1e-6);
    plugin->setParameter(4, 1);
    EXPECT_EQ(plugin->parameterDisplay(4), "6.00");
    plugin->setParameter(13, 1);
    EXPECT_EQ(plugin->parameterDisplay(13), "6.00");
    plugin->setParameter(8, 0);
    EXPECT_EQ(plugin->parameterDisplay(8), "-3.00");
    plugin->setParameter(24, 1);
    EXPECT_EQ(plugin->parameterDisplay(4), "24.00") << "the stored Drive value is applied again";
    EXPECT_EQ(plugin->parameterDisplay(13), "12.00");
}

TEST_F(ParameterTextTest, StereoModeAndLeftRightShareTheStereoDisplay) {
    plugin->setParameter(30, 0.5f);
    plugin->setParameter(2, 1);
    EXPECT_EQ(plugin->parameterDisplay(2), " L-R ");
    EXPECT_EQ(plugin->parameterDisplay(30), " L ");

    const std::tuple<float, float, float, float> cases[] = {
        // StereoMode, Mono Stereo, L R, position read back
        {0.1f, 0, 0, 0}, {0.3f, 0, 0.5f, 0.333f}, {0.6f, 0, 1, 0.667f}, {0.9f, 1, 0, 1}};
    for (const auto& [mode, monoStereo, leftRight, position] : cases) {
        plugin->setParameter(57, mode);
        EXPECT_FLOAT_EQ(plugin->getParameter(2), monoStereo) << mode;
        EXPECT_FLOAT_EQ(plugin->getParameter(30), leftRight) << mode;
        EXPECT_FLOAT_EQ(plugin->getParameter(57), position) << mode;
    }
}

TEST_F(ParameterTextTest, MeterDelayIsRaisedOrAutomatic) {
    plugin->setParameter(23, 0.1f);
    EXPECT_FLOAT_EQ(plugin->getParameter(23), 0.125f);
    plugin->setParameter(23, 0.05f);
    EXPECT_FLOAT_EQ(plugin->getParameter(23), 0.0f);
    plugin->setParameter(23, 0.9f);
    EXPECT_FLOAT_EQ(plugin->getParameter(23), 0.9f);
}

TEST_F(ParameterTextTest, SparesAndUnknownIndicesReadZero) {
    for (int index : {31, 35, 41, 42, 49, 56, 58, 100, -1}) {
        plugin->setParameter(index, 0.7f);
        EXPECT_EQ(plugin->getParameter(index), 0.0f) << index;
    }
}

TEST_F(ParameterTextTest, UntrustedIndicesAndValuesStayInsideTheTexts) {
    const int indices[] = {-1, 42, 43, 48, 57, 1000, std::numeric_limits<int>::min(),
                           std::numeric_limits<int>::max()};
    const float values[] = {std::nanf(""), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(), 1e30f, -5.0f, -0.0f};
    for (int index = -2; index < 60; ++index)
        for (float value : values) {
            plugin->setParameter(index, value);
            for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
                char text[64];
                std::memset(text, 'x', sizeof text);
                plugin->dispatch(opcode, index, 0, text);
                const std::size_t length = strnlen(text, sizeof text);
                const std::size_t limit = opcode == effGetParamName ? 12 : opcode == effGetParamLabel ? 9 : 11;
                EXPECT_LE(length, limit) << index << " " << opcode;
                EXPECT_EQ(text[length + 1], 'x') << "nothing written past the zero";
            }
            EXPECT_TRUE(std::isfinite(plugin->getParameter(index))) << index;
        }
    for (int index : indices) {
        char text[64];
        plugin->dispatch(effGetParamDisplay, index, 0, text);
        plugin->getParameter(index);
    }
}

TEST_F(ParameterTextTest, NonFiniteValuesAreIgnoredAndOutOfRangeValuesClamped) {
    plugin->setParameter(4, 0.75f);
    plugin->setParameter(4, std::nanf(""));
    EXPECT_EQ(plugin->parameterDisplay(4), "12.00");
    plugin->setParameter(4, std::numeric_limits<float>::infinity());
    EXPECT_EQ(plugin->parameterDisplay(4), "12.00");
    plugin->setParameter(4, 1e30f);
    EXPECT_EQ(plugin->parameterDisplay(4), "24.00");
    plugin->setParameter(4, -5);
    EXPECT_EQ(plugin->parameterDisplay(4), "-24.00");
    EXPECT_EQ(plugin->getParameter(4), 0.0f);
}

TEST_F(ParameterTextTest, PropertiesForSwitchesAndSteps) {
    struct PropertyCase {
        int index;
        VstIntPtr result;
        VstInt32 flags;
        VstInt32 maximum;
    };
    const PropertyCase cases[] = {
        {0, 1, 11, 1},  {1, 1, 11, 1},  {2, 1, 11, 1},  {3, 1, 11, 1},  {22, 1, 11, 1},
        {25, 1, 11, 1}, {26, 1, 11, 1}, {27, 1, 11, 1}, {28, 1, 11, 1}, {29, 1, 11, 1},
        {21, 1, 10, 2}, {24, 1, 10, 3}, {4, 0, 99, 99}, {30, 0, 99, 99}, {-1, 0, 99, 99},
        {57, 0, 99, 99},
    };
    for (const PropertyCase& c : cases) {
        VstParameterProperties properties{};
        properties.flags = 99;
        properties.maxInteger = 99;
        EXPECT_EQ(plugin->dispatch(effGetParameterProperties, c.index, 0, &properties), c.result)
            << c.index;
        EXPECT_EQ(properties.flags, c.flags) << c.index;
        EXPECT_EQ(properties.maxInteger, c.maximum) << c.index;
        if (c.result == 1) {
            EXPECT_EQ(properties.minInteger, 0);
            EXPECT_EQ(properties.stepInteger, 1);
            EXPECT_EQ(properties.largeStepInteger, 1);
        }
    }
}

}  // namespace
