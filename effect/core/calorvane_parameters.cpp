// The parameter model: what each index means to processing, to the host and to the editor.
#include <algorithm>
#include <cmath>

#include "effect/core/calorvane.h"
#include "effect/core/formatters.h"

namespace {

int switchOf(float x) { return static_cast<int>(x + 0.5f); }
bool isOn(float x) { return x >= 0.5f; }

// Fine factor of FineTune: c = trunc(3x + 0.5) / 3, fine = 0.125^(1 - c).
float quantizedFineTune(float x) { return static_cast<float>(static_cast<int>(3 * x + 0.5f)) / 3; }
double fineScaleOf(float quantized) { return std::pow(0.125, 1.0 - quantized); }


// ---- Host texts ----

using DisplayFn = void (*)(const Calorvane& effect, float x, char* text);

struct ParameterText {
    const char* name;
    const char* label;
    DisplayFn display;
};

template <const char* On, const char* Off>
void switchText(const Calorvane&, float x, char* text) {
    copyText(text, isOn(x) ? On : Off, 11);
}

double fine(const Calorvane& effect) { return effect.processingValues().fineTuneScale; }

void plainText(const char* value, char* text) { copyText(text, value, 11); }

constexpr char kOn[] = " On ", kOff[] = " Off ", kMultiBand[] = " MultiBand ",
               kSingleBand[] = " SingleBnd ", kLinked[] = " Linked ", kUnlinked[] = " Unlinked ",
               kPpm[] = " PPM ", kVu[] = " VU ", kFat[] = " FAT ", kLong[] = " Long ",
               kAuto[] = " Auto ", kBrickWall[] = " BrickWall ";

void percentText(const Calorvane&, float x, char* text) { formatFixed(100.0 * x, 1, text); }
void satText(const Calorvane&, float x, char* text) { formatFixed(24.0 * x - 12, 2, text); }
void bandRelText(const Calorvane&, float x, char* text) {
    formatFixed(0.0625 * std::pow(256.0, x), 2, text);
}
void adjustText(const Calorvane& fx, float x, char* text) {
    formatFixed(fine(fx) * (24.0 * x - 12), 2, text);
}
void levelText(const Calorvane& fx, float x, char* text) {
    formatFixed(std::sqrt(fine(fx)) * (24.0 * x - 12), 2, text);
}
void noText(const Calorvane&, float, char* text) { text[0] = 0; }

void stereoText(const Calorvane& fx, float x, char* text) {
    const float leftRight = fx.normalized(Param::LR);
    if (leftRight < 0.333f)
        plainText(isOn(x) ? " Stereo " : " Mono ", text);
    else
        plainText(" L-R ", text);
}

void metersText(const Calorvane&, float x, char* text) {
    plainText(x < 0.3333333f ? " Pre " : x < 0.6666667f ? " GainRed " : " Post ", text);
}

void leftRightText(const Calorvane&, float x, char* text) {
    plainText(x < 0.333f ? " OO-O" : x < 0.66f ? " L " : " R ", text);
}

void settingText(const Calorvane& fx, int index, void (*format)(float, char*), char* text) {
    format(const_cast<Calorvane&>(fx).getParameterValue(index), text);
}

constexpr ParameterText kSpare{"-", "-", noText};

constexpr ParameterText kParameterTexts[Param::IndexCount] = {
    {" Process ", "", switchText<kOn, kOff>},
    {" Mode", "", switchText<kMultiBand, kSingleBand>},
    {" Mono Stereo", "", stereoText},
    {" Link", "", switchText<kLinked, kUnlinked>},
    {" Drive ", " dB ",
     [](const Calorvane& fx, float x, char* t) { formatFixed((48.0 * x - 24) * fine(fx), 2, t); }},
    {" Knee ", " % ", percentText},
    {" Speed ", " % ", percentText},
    {" Release ", " * ",
     [](const Calorvane&, float x, char* t) { formatFixed(0.25 * std::pow(16.0, x), 2, t); }},
    {" HighAdjust ", " dB ", adjustText},
    {" LowAdjust ", " dB ", adjustText},
    {" HighFreq ", " Hz ",
     [](const Calorvane&, float x, char* t) { formatFixed(1000 * std::pow(16.0, x), 0, t); }},
    {" LowFreq ", " Hz ",
     [](const Calorvane&, float x, char* t) { formatFixed(25 * std::pow(16.0, x), 1, t); }},
    {" Mix ", " % ", percentText},
    {" Ceiling ", " dB ", levelText},
    {" Output ", " dB ", levelText},
    {" LowSat", " dB ", satText},
    {" MidSat ", " dB ", satText},
    {" HighSat ", " dB ", satText},
    {" LowRel ", " * ", bandRelText},
    {" MidRel ", " * ", bandRelText},
    {" HighRel ", " * ", bandRelText},
    {" Meters ", "", metersText},
    {" MeterType ", "", switchText<kPpm, kVu>},
    {"-", " ms ", [](const Calorvane&, float, char* t) { plainText("-", t); }},
    {" FineTune ", " % ",
     [](const Calorvane& fx, float, char* t) { formatFixed(100 * fine(fx), 0, t); }},
    {" MeterScale ", " dB ",
     [](const Calorvane&, float x, char* t) { plainText(isOn(x) ? "-40..+6" : "-20..+3", t); }},
    {" FAT ", "", switchText<kFat, kOff>},
    {" Long ", "", switchText<kLong, kOff>},
    {" Auto ", "", switchText<kAuto, kOff>},
    {" Brickwall ", "", switchText<kBrickWall, kOff>},
    {" L R ", "", leftRightText},
    kSpare, kSpare, kSpare, kSpare, kSpare, kSpare, kSpare, kSpare, kSpare, kSpare, kSpare,
    kSpare,  // 31..42
    {" VU Integr ", "",
     [](const Calorvane& fx, float, char* t) { settingText(fx, Param::VuIntegr, formatMilliseconds, t); }},
    {" VU Refer ", "",
     [](const Calorvane& fx, float, char* t) { settingText(fx, Param::VuRefer, formatDecibelFS, t); }},
    {" PPM Integr ", "",
     [](const Calorvane& fx, float, char* t) { settingText(fx, Param::PpmIntegr, formatMilliseconds, t); }},
    {" PPM Return ", "",
     [](const Calorvane& fx, float, char* t) { settingText(fx, Param::PpmReturn, formatMilliseconds, t); }},
    {" OverIndic ", "",
     [](const Calorvane& fx, float, char* t) { settingText(fx, Param::OverIndic, formatInteger, t); }},
    {" Knob Mode ", "",
     [](const Calorvane&, float x, char* t) { plainText(isOn(x) ? " Linear " : " Circular ", t); }},
};

// Indices 49..57 carry no host text (57 is the editor's stereo selector).
const ParameterText* textsOf(VstInt32 index) {
    if (index < 0 || index > Param::KnobMode) return nullptr;
    return &kParameterTexts[index];
}

}  // namespace

// ---- Setting a parameter ---------------------------------------------------------------------

void Calorvane::setParameter(VstInt32 index, float value) {
    // A non-finite value would poison every gain and filter: ignore it. Values outside [0, 1]
    // are clamped, so no host can drive a gain to infinity or a filter past Nyquist.
    if (!std::isfinite(value) || index < 0) return;
    value = std::clamp(value, 0.0f, 1.0f);

    applyParameter(index, value);
    CPresetSystemEffect::setParameter(index, value);
    if (std::find(std::begin(Param::Global), std::end(Param::Global), index) !=
        std::end(Param::Global))
        recordInAllSlots(index, value);
    if (editorLink != nullptr) editorLink->setParameter(index, value);
}

void Calorvane::recomputeKneeAndCeiling() {
    ProcessingValues& v = signalPath.values;
    v.kneeScale = inverseCurve(static_cast<float>(1 / v.ceilingGain));
    v.smallSignalGain = smallSignalGain();
}

void Calorvane::applyParameter(VstInt32 index, float& value) {
    const float x = value;
    ProcessingValues& v = signalPath.values;
    const double fine = v.fineTuneScale;
    const double levelScale = std::sqrt(fine);
    if (index < Param::IndexCount) params[static_cast<std::size_t>(index)] = x;

    switch (index) {
        case Param::Process:
            v.processOn = switchOf(x);
            clearBuffers();
            break;
        case Param::Mode:
            v.multiband = switchOf(x);
            v.mode = x;
            resetFilterStates();
            updateFilters();
            updateDynamics();
            break;
        case Param::MonoStereo:
            v.monoStereo = x;
            break;
        case Param::Link:
            v.linked = switchOf(x);
            break;
        case Param::Drive:
            v.driveGain = std::pow(256.0, fine * x) / std::pow(16.0, fine);
            v.smallSignalGain = smallSignalGain();
            break;
        case Param::Knee:
            v.kneeType = x < 0.25f ? 0 : 1;
            v.kneeAmount = x < 0.25f ? 4.0 * x : (x - 0.25) / 0.75;
            recomputeKneeAndCeiling();
            break;
        case Param::Speed:
            v.speed = x;
            updateDynamics();
            break;
        case Param::Release:
            v.release = x;
            v.releaseFactor = 0.25 * std::pow(16.0, x);
            updateDynamics();
            break;
        case Param::HighAdjust:
            v.highAdjustGain = std::pow(16.0, fine * x) / std::pow(4.0, fine);
            break;
        case Param::LowAdjust:
            v.lowAdjustGain = std::pow(16.0, fine * x) / std::pow(4.0, fine);
            break;
        case Param::HighFreq:
            v.highCutoffHz = 1000 * std::pow(16.0, x);
            updateFilters();
            break;
        case Param::LowFreq:
            v.lowCutoffHz = 12.5 * std::pow(16.0, x);
            updateFilters();
            break;
        case Param::Mix:
            v.mixAmount = x;
            break;
        case Param::Ceiling:
            v.ceilingGain = std::pow(16.0, levelScale * x) / std::pow(4.0, levelScale);
            recomputeKneeAndCeiling();
            break;
        case Param::Output:
            v.outputGain = std::pow(16.0, levelScale * x) / std::pow(4.0, levelScale);
            break;
        case Param::LowSat:
        case Param::MidSat:
        case Param::HighSat: {
            const auto band = static_cast<std::size_t>(index - Param::LowSat);
            v.bandSat[band] = 0.25 * std::pow(16.0, x);
            v.bandSatInverse[band] = 1 / v.bandSat[band];
            break;
        }
        case Param::LowRel:
        case Param::MidRel:
        case Param::HighRel:
            v.bandRel[static_cast<std::size_t>(index - Param::LowRel)] = 0.0625 * std::pow(256.0, x);
            updateDynamics();
            break;
        case Param::Meters:
            v.meterSource = std::min(2, static_cast<int>(3 * x));
            break;
        case Param::MeterType:
            v.meterType = x;
            break;
        case Param::MeterDelay:
            if (x < 0.06125f) {
                value = 0;
                meterDelayMs = -1;
            } else {
                value = std::max(x, 0.125f);
                meterDelayMs = (value - 0.125) * 1000 / 0.875;
            }
            params[Param::MeterDelay] = value;
            break;
        case Param::FineTune:
            applyFineTune(x);
            break;
        case Param::MeterScale:
            meterScale = switchOf(x);
            break;
        case Param::FAT:
            v.oversample = sampleRate <= 100000 ? switchOf(x) : 0;
            updateFilters();
            updateDynamics();
            clearBuffers();
            resetFilterStates();
            resetOversamplers();
            break;
        case Param::Long:
            v.longRelease = switchOf(x);
            updateDynamics();
            break;
        case Param::Auto:
            v.autoRelease = switchOf(x);
            break;
        case Param::Brickwall:
            v.brickwall = switchOf(x);
            break;
        case Param::LR:
            v.leftRight = x;
            break;
        case Param::VuIntegr:
            v.vuIntegrationMs = 30 * std::pow(100.0, x);
            signalPath.setVuIntegration(v.vuIntegrationMs);
            break;
        case Param::VuRefer:
            v.vuReference = std::pow(0.06125, 1.0 - x);
            v.vuReferenceInverse = 1 / v.vuReference;
            break;
        case Param::PpmIntegr:
        case Param::PpmReturn:
            if (index == Param::PpmIntegr)
                v.ppmIntegrationMs = std::pow(101.0, x) - 1;
            else
                v.ppmReturnMs = 100 * std::pow(100.0, x);
            v.ppmTimeRatio = static_cast<float>(v.ppmIntegrationMs / v.ppmReturnMs);
            break;
        case Param::OverIndic: {
            // Counted from the whole step, so 3/9 gives exactly 4 samples, not 4.0000001.
            const int steps = static_cast<int>(9 * x + 0.5f);
            params[Param::OverIndic] = static_cast<float>(steps) / 9;
            v.overCount = steps + 1;
            break;
        }
        case Param::KnobMode:
            knobModeForRegistry = x;
            knobModeForSuspend = x;
            knobModeChanged = true;
            break;
        case Param::StereoMode:
            applyStereoMode(x);
            break;
        default:
            break;
    }
}

void Calorvane::applyFineTune(float x) {
    const float quantized = quantizedFineTune(x);
    params[Param::FineTune] = quantized;
    signalPath.values.fineTuneScale = fineScaleOf(quantized);
    for (int index : {Param::Ceiling, Param::Drive, Param::HighAdjust, Param::LowAdjust, Param::Output})
        setParameter(index, params[static_cast<std::size_t>(index)]);
}

void Calorvane::applyStereoMode(float x) {
    if (static_cast<int>(100 * x) != static_cast<int>(100 * lastStereoMode)) {
        clearBuffers();
        resetFilterStates();
        resetOversamplers();
    }
    lastStereoMode = x;
    const auto set = [this](float monoStereo, float leftRight) {
        params[Param::MonoStereo] = monoStereo;
        params[Param::LR] = leftRight;
        signalPath.values.monoStereo = monoStereo;
        signalPath.values.leftRight = leftRight;
    };
    if (x < 0.25f)
        set(0, 0);
    else if (x < 0.5f)
        set(0, 0.5f);
    else if (x < 0.75f)
        set(0, 1);
    else
        set(1, 0);
}

bool Calorvane::takeKnobModeChanged() { return knobModeChanged.exchange(false); }

// ---- Reading parameters ----------------------------------------------------------------------

float Calorvane::normalized(int index) const {
    if (index < 0 || index >= Param::IndexCount) return 0;
    return params[static_cast<std::size_t>(index)];
}

float Calorvane::getParameter(VstInt32 index) {
    if (index == Param::StereoMode) {
        const float monoStereo = params[Param::MonoStereo];
        const float leftRight = params[Param::LR];
        if (leftRight < 0.333f) return monoStereo < 0.5f ? 0.0f : 1.0f;
        return leftRight < 0.66f ? 0.333f : 0.667f;
    }
    if (index < 0 || index > Param::KnobMode) return 0;
    if (index >= Param::FirstSpare && index <= Param::LastSpare) return 0;
    return params[static_cast<std::size_t>(index)];
}

void Calorvane::getParameterName(VstInt32 index, char* text) {
    const ParameterText* texts = textsOf(index);
    copyText(text, texts != nullptr ? texts->name : "", 12);
}

void Calorvane::getParameterLabel(VstInt32 index, char* label) {
    const ParameterText* texts = textsOf(index);
    copyText(label, texts != nullptr ? texts->label : "", 9);
}

void Calorvane::getParameterDisplay(VstInt32 index, char* text) {
    const ParameterText* texts = textsOf(index);
    char display[kFormattedTextSize] = "";
    if (texts != nullptr) texts->display(*this, normalized(index), display);
    copyText(text, display, 11);
}

bool Calorvane::getParameterProperties(VstInt32 index, VstParameterProperties* properties) {
    constexpr VstInt32 kSwitchFlags =
        kVstParameterIsSwitch | kVstParameterUsesIntegerMinMax | kVstParameterUsesIntStep;
    constexpr VstInt32 kStepFlags = kVstParameterUsesIntegerMinMax | kVstParameterUsesIntStep;
    VstInt32 flags = 0;
    VstInt32 maximum = 1;
    switch (index) {
        case Param::Process:
        case Param::Mode:
        case Param::MonoStereo:
        case Param::Link:
        case Param::MeterType:
        case Param::MeterScale:
        case Param::FAT:
        case Param::Long:
        case Param::Auto:
        case Param::Brickwall:
            flags = kSwitchFlags;
            break;
        case Param::Meters:
            flags = kStepFlags;
            maximum = 2;
            break;
        case Param::FineTune:
            flags = kStepFlags;
            maximum = 3;
            break;
        default:
            return false;
    }
    properties->flags = flags;
    properties->minInteger = 0;
    properties->maxInteger = maximum;
    properties->stepInteger = 1;
    properties->largeStepInteger = 1;
    return true;
}

float Calorvane::getParameterValue(VstInt32 index) {
    const ProcessingValues& v = signalPath.values;
    const double fine = v.fineTuneScale;
    const double x = normalized(index);
    double result = 0;
    switch (index) {
        case Param::Process: result = v.processOn; break;
        case Param::Mode: result = v.multiband; break;
        case Param::Link: result = v.linked; break;
        case Param::MonoStereo: result = static_cast<int>(v.monoStereo + 0.5f); break;
        case Param::Drive: result = 48 * fine * (x - 0.5); break;
        case Param::Knee:
        case Param::Speed:
        case Param::Mix: result = 100 * x; break;
        case Param::Release: result = v.releaseFactor; break;
        case Param::HighAdjust:
        case Param::LowAdjust: result = 24 * fine * (x - 0.5); break;
        case Param::HighFreq: result = v.highCutoffHz; break;
        case Param::LowFreq: result = 25 * std::pow(16.0, x); break;
        case Param::Ceiling:
        case Param::Output: result = 24 * std::sqrt(fine) * (x - 0.5); break;
        case Param::LowSat:
        case Param::MidSat:
        case Param::HighSat: result = v.bandSat[static_cast<std::size_t>(index - Param::LowSat)]; break;
        case Param::LowRel:
        case Param::MidRel:
        case Param::HighRel: result = v.bandRel[static_cast<std::size_t>(index - Param::LowRel)]; break;
        case Param::MeterDelay: result = meterDelayMs; break;
        case Param::FineTune: result = fine; break;
        case Param::FAT: result = v.oversample; break;
        case Param::Long: result = v.longRelease; break;
        case Param::Auto: result = v.autoRelease; break;
        case Param::Brickwall: result = v.brickwall; break;
        case Param::LR: result = v.leftRight < 0.333f ? 0 : v.leftRight < 0.66f ? 0.5 : 1; break;
        case Param::VuIntegr: result = v.vuIntegrationMs; break;
        case Param::VuRefer: result = v.vuReference; break;
        case Param::PpmIntegr: result = v.ppmIntegrationMs; break;
        case Param::PpmReturn: result = v.ppmReturnMs; break;
        case Param::OverIndic: result = v.overCount; break;
        case Param::KnobMode: result = knobModeForRegistry; break;
        default: break;
    }
    return static_cast<float>(result);
}
