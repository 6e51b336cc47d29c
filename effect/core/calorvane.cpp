#include "effect/core/calorvane.h"

#include <cmath>
#include <cstdio>

#include "effect/core/formatters.h"
#include "effect/core/global_settings.h"
#include "effect/core/variant.h"

namespace {

constexpr float kMinSampleRate = 22050;
constexpr float kMaxSampleRate = 192000;
constexpr float kMaxOversamplingRate = 100000;
constexpr VstInt32 kFallbackBlockSize = 256;

}  // namespace

Calorvane::Calorvane(audioMasterCallback audioMaster)
    : CPresetSystemEffect(audioMaster, 1, kVariant.numParams) {
    // Meter settings first, then the over count and knob mode, as the store has them.
    for (int index : {Param::VuIntegr, Param::VuRefer, Param::PpmIntegr, Param::PpmReturn})
        applyGlobalSetting(index);
    applyGlobalSetting(Param::OverIndic);
    applyGlobalSetting(Param::KnobMode);

    setNumInputs(2);
    setNumOutputs(2);
    canProcessReplacing();
    canDoubleReplacing();
    setUniqueID(kVariant.uniqueId);
    setInitialDelay(static_cast<VstInt32>(latencySamples()));

    askHostTiming();
    clampSampleRate();
    if (sampleRate > kMaxOversamplingRate) signalPath.values.oversample = 0;
    signalPath.resetRingPositions(sampleRate);
    signalPath.resetFilterStates();
    signalPath.resetMeterValues();

    loadFactoryPresets();
    selectPreset(0);

    updateFilters();
    updateDynamics();
    clearBuffers();

    suspend();
    resume();
    suspend();
}

Calorvane::~Calorvane() { writeGlobalSettings(); }

void Calorvane::applyGlobalSetting(int index) { setParameter(index, readGlobalSetting(index)); }

void Calorvane::writeGlobalSettings() {
    for (const GlobalSetting& setting : kGlobalSettingsWriteOrder) {
        const float value = setting.index == Param::KnobMode
                                ? static_cast<float>(knobModeForRegistry)
                                : getParameter(setting.index);
        writeGlobalSetting(setting.index, value);
    }
}

// ---- Lifecycle ----------------------------------------------------------------------------

void Calorvane::askHostTiming() {
    outputLatency = getOutputLatency();
    const VstInt32 hostBlockSize = getHostBlockSize();
    if (hostBlockSize > 0) blockSize = hostBlockSize;
    if (blockSize <= 0) blockSize = kFallbackBlockSize;
}

void Calorvane::clampSampleRate() {
    if (std::isnan(sampleRate)) sampleRate = 44100;
    if (sampleRate < kMinSampleRate) sampleRate = kMinSampleRate;
    if (sampleRate > kMaxSampleRate) sampleRate = kMaxSampleRate;
}

void Calorvane::resetOversamplers() { signalPath.resetOversamplers(); }

void Calorvane::suspend() {
    signalPath.resetVuFilters();
    askHostTiming();
    clampSampleRate();
    clearBuffers();
    resetFilterStates();
    resetOversamplers();
    clearBuffers();
    resetFilterStates();
    signalPath.resetMeterValues();
    setParameter(Param::KnobMode, static_cast<float>(knobModeForSuspend));
    if (editorLink != nullptr) editorLink->resetMeters();
    suspended = true;
    resume();
    suspended = true;
}

void Calorvane::resume() {
    if (!suspended) suspend();
    askHostTiming();
    if (!(sampleRate >= kMinSampleRate && sampleRate <= kMaxSampleRate)) sampleRate = 44100;
    setInitialDelay(static_cast<VstInt32>(latencySamples()));
    signalPath.resetRingPositions(sampleRate);
    if (sampleRate > kMaxOversamplingRate) signalPath.values.oversample = 0;
    clearBuffers();
    resetFilterStates();
    resetOversamplers();
    updateFilters();
    updateDynamics();
    if (editorLink != nullptr) editorLink->showLatency();
    suspended = false;
}

void Calorvane::setSampleRate(float rate) {
    sampleRate = rate;
    suspend();
    resume();
}

// ---- Recomputation -------------------------------------------------------------------------

void Calorvane::updateFilters() { signalPath.updateFilters(sampleRate); }
void Calorvane::updateDynamics() { signalPath.updateDynamics(sampleRate); }
void Calorvane::clearBuffers() { signalPath.clearBuffers(); }
void Calorvane::resetFilterStates() { signalPath.resetFilterStates(); }

float Calorvane::inverseCurve(float x) { return ::inverseCurve(signalPath.values, x); }
float Calorvane::smallSignalGain() { return ::smallSignalGain(signalPath.values); }

float Calorvane::delayRingSize() {
    return static_cast<float>(SignalPath::delayRingSize(sampleRate));
}
float Calorvane::detectorRingSize() {
    return static_cast<float>(SignalPath::detectorRingSize(sampleRate));
}
float Calorvane::latencySamples() {
    return static_cast<float>(SignalPath::latencySamples(sampleRate));
}
float Calorvane::latencyMs() {
    const float rate = (sampleRate > 200000 || sampleRate < 20000) ? 44100 : sampleRate;
    return latencySamples() * 1000 / rate;
}

// ---- Processing ----------------------------------------------------------------------------

template <typename Sample>
void Calorvane::processBlock(Sample** inputs, Sample** outputs, VstInt32 sampleFrames) {
    if (sampleFrames < 0) sampleFrames = 0;
    Sample* outLeft = outputs != nullptr ? outputs[0] : nullptr;
    const Sample* inLeft = inputs != nullptr ? inputs[0] : nullptr;
    if (outLeft == nullptr || inLeft == nullptr) {
        // Nothing to read or nowhere to write: keep the block silent, still count the overs.
        if (outLeft != nullptr)
            for (VstInt32 i = 0; i < sampleFrames; ++i) outLeft[i] = 0;
        Sample unused = 0;
        signalPath.process(&unused, &unused, &unused, &unused, 0, sampleRate);
        return;
    }
    const Sample* inRight = isInputConnected(1) && inputs[1] != nullptr ? inputs[1] : inLeft;
    Sample* outRight = isOutputConnected(1) && outputs[1] != nullptr ? outputs[1] : outLeft;
    signalPath.process(inLeft, inRight, outLeft, outRight, sampleFrames, sampleRate);
}

void Calorvane::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    processBlock(inputs, outputs, sampleFrames);
}

void Calorvane::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) {
    processBlock(inputs, outputs, sampleFrames);
}

// ---- Identity ------------------------------------------------------------------------------

namespace {

bool fillPin(VstInt32 index, VstPinProperties* properties, const char* format) {
    if (index < 0 || index > 1) return false;
    std::snprintf(properties->label, sizeof properties->label, format, index + 1);
    properties->flags = index == 0 ? (kVstPinIsActive | kVstPinIsStereo) : kVstPinIsActive;
    return true;
}

}  // namespace

bool Calorvane::getInputProperties(VstInt32 index, VstPinProperties* properties) {
    return fillPin(index, properties, "My %1d In");
}

bool Calorvane::getOutputProperties(VstInt32 index, VstPinProperties* properties) {
    return fillPin(index, properties, "My %1d Out");
}

bool Calorvane::getEffectName(char* name) {
    copyText(name, kVariant.effectName, kVstMaxEffectNameLen - 1);
    return true;
}

bool Calorvane::getVendorString(char* text) {
    copyText(text, kVendorString, kVstMaxVendorStrLen - 1);
    return true;
}

bool Calorvane::getProductString(char* text) {
    copyText(text, kVariant.productString, kVstMaxProductStrLen - 1);
    return true;
}

VstInt32 Calorvane::getVendorVersion() { return 2310; }
VstInt32 Calorvane::getPlugCategory() { return kPlugCategMastering; }
