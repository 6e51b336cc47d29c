// The effect instance: identity, lifecycle, parameter model and the host-facing processing
// entries. The signal path itself lives in SignalPath; this class feeds it derived values.
#pragma once

#include <array>
#include <atomic>

#include "effect/core/editor_link.h"
#include "effect/core/param_index.h"
#include "effect/dsp/signal_path.h"
#include "effect/presets/preset_system_effect.h"

class Calorvane : public CPresetSystemEffect {
public:
    explicit Calorvane(audioMasterCallback audioMaster);
    ~Calorvane() override;

    // Lifecycle (host's user-interface thread, processing stopped).
    void suspend() override;
    void resume() override;
    void setSampleRate(float rate) override;

    // Audio thread; real-time safe.
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) override;

    // Parameter model (any thread).
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    bool getParameterProperties(VstInt32 index, VstParameterProperties* properties) override;
    // The value in display units, for the editor.
    virtual float getParameterValue(VstInt32 index);

    // Identity.
    bool getInputProperties(VstInt32 index, VstPinProperties* properties) override;
    bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override;
    VstInt32 getPlugCategory() override;

    virtual float inverseCurve(float x);
    virtual float smallSignalGain();
    virtual float latencyMs();
    virtual float latencySamples();
    virtual float detectorRingSize();
    virtual float delayRingSize();

    // Recomputation routines the parameter model and the lifecycle call.
    void updateFilters();
    void updateDynamics();
    void clearBuffers();
    void resetFilterStates();

    // Editor side.
    void setEditorLink(CalorvaneEditorLink* link) { editorLink = link; }
    MeterFields& meters() { return signalPath.meters; }
    // Set by Knob Mode; the editor applies the mode on its next idle and clears it.
    bool takeKnobModeChanged();
    float knobMode() const { return static_cast<float>(knobModeForRegistry); }

    // State readers for the texts and tests.
    float normalized(int index) const;
    const ProcessingValues& processingValues() const { return signalPath.values; }
    const DynamicsValues& dynamics() const { return signalPath.dynamics(); }
    bool isSuspended() const { return suspended; }
    VstInt32 hostOutputLatency() const { return outputLatency; }

protected:
    // The editor shows the selected preset's name when it changes (setPresetName, loadPreset).
    void presetNameChanged(const char* name) override {
        if (editorLink != nullptr) editorLink->showPresetName(name);
    }

private:
    template <typename Sample>
    void processBlock(Sample** inputs, Sample** outputs, VstInt32 sampleFrames);

    // Step 1 of setParameter: the mapping and its side effects. May raise `value`.
    void applyParameter(VstInt32 index, float& value);
    void applyFineTune(float value);
    void applyStereoMode(float value);
    void recomputeKneeAndCeiling();
    void askHostTiming();
    void clampSampleRate();
    void resetOversamplers();
    void applyGlobalSetting(int index);
    void writeGlobalSettings();

    SignalPath signalPath;
    std::array<float, Param::IndexCount> params{};  // last normalized value of every index
    double meterDelayMs = -1;                       // -1: automatic
    double lastStereoMode = -1;
    double knobModeForRegistry = 0.5;
    double knobModeForSuspend = 0.5;
    int meterScale = 0;
    VstInt32 outputLatency = 0;
    std::atomic<bool> knobModeChanged{false};
    bool suspended = false;
    CalorvaneEditorLink* editorLink = nullptr;
};
