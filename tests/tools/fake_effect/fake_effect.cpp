// A stand-in effect for the renderer's tests: what the real plug-in never does on purpose.
// It delays its input by kLatency samples (a latency that is no multiple of any block size),
// has 48 parameters at other places than the real effect, no 64-bit processing, and, when
// FAKE_EFFECT_NAN_AFTER=N is set, answers with NaN on the right channel from input sample N on.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "vst/aeffect.h"

namespace {

constexpr VstInt32 kLatency = 100;
constexpr VstInt32 kParameterCount = 48;

struct FakeEffect {
    AEffect effect{};
    std::vector<float> ring[2] = {std::vector<float>(kLatency, 0.0f), std::vector<float>(kLatency, 0.0f)};
    std::size_t ringPosition = 0;
    long long samplesSeen = 0;
    long long nanAfter = -1;
    float values[kParameterCount] = {};
};

FakeEffect* fakeOf(AEffect* effect) { return static_cast<FakeEffect*>(effect->object); }

void copyText(void* ptr, const std::string& text) {
    if (ptr != nullptr) std::strcpy(static_cast<char*>(ptr), text.c_str());
}

VstIntPtr dispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float) {
    FakeEffect* fake = fakeOf(effect);
    switch (opcode) {
        case effClose:
            delete fake;
            return 1;
        case effMainsChanged:
            effect->initialDelay = value != 0 ? kLatency : 0;
            return 1;
        case effGetParamName:
            copyText(ptr, "Knob " + std::to_string(index));
            return 1;
        case effGetParamDisplay:
            if (index >= 0 && index < kParameterCount) copyText(ptr, std::to_string(fake->values[index]));
            return 1;
        case effGetEffectName:
            copyText(ptr, "Fake Delay");
            return 1;
        case effGetVendorString:
        case effGetProductString:
            copyText(ptr, "Test");
            return 1;
        default:
            return 0;
    }
}

void setParameter(AEffect* effect, VstInt32 index, float value) {
    if (index >= 0 && index < kParameterCount) fakeOf(effect)->values[index] = value;
}

float getParameter(AEffect* effect, VstInt32 index) {
    return index >= 0 && index < kParameterCount ? fakeOf(effect)->values[index] : 0.0f;
}

void processReplacing(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    FakeEffect* fake = fakeOf(effect);
    for (VstInt32 n = 0; n < frames; ++n) {
        const bool poisoned = fake->nanAfter >= 0 && fake->samplesSeen >= fake->nanAfter;
        for (int c = 0; c < 2; ++c) {
            const float delayed = fake->ring[c][fake->ringPosition];
            fake->ring[c][fake->ringPosition] = inputs[c][n];
            outputs[c][n] = poisoned && c == 1 ? std::numeric_limits<float>::quiet_NaN() : delayed;
        }
        fake->ringPosition = (fake->ringPosition + 1) % kLatency;
        ++fake->samplesSeen;
    }
}

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback) {
    auto* fake = new FakeEffect;
    AEffect& effect = fake->effect;
    effect.magic = kEffectMagic;
    effect.dispatcher = dispatcher;
    effect.setParameter = setParameter;
    effect.getParameter = getParameter;
    effect.processReplacing = processReplacing;
    effect.numPrograms = 1;
    effect.numParams = kParameterCount;
    effect.numInputs = 2;
    effect.numOutputs = 2;
    effect.flags = effFlagsCanReplacing;
    effect.object = fake;
    effect.uniqueID = fourCharCode("FAKE");
    if (const char* after = std::getenv("FAKE_EFFECT_NAN_AFTER")) fake->nanAfter = std::atoll(after);
    return &effect;
}
