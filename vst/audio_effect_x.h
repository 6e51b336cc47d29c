// VST 2.x extensions: the second half of the opcode table and the host queries the effect uses.
#pragma once

#include "vst/audio_effect.h"

class AudioEffectX : public AudioEffect {
public:
    using AudioEffect::AudioEffect;

    VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                         float opt) override;

    virtual bool getProgramNameIndexed(VstInt32 /*category*/, VstInt32 /*index*/, char* /*text*/) {
        return false;
    }
    virtual bool getInputProperties(VstInt32 /*index*/, VstPinProperties* /*properties*/) {
        return false;
    }
    virtual bool getOutputProperties(VstInt32 /*index*/, VstPinProperties* /*properties*/) {
        return false;
    }
    virtual bool getParameterProperties(VstInt32 /*index*/, VstParameterProperties* /*p*/) {
        return false;
    }
    virtual bool getEffectName(char* /*name*/) { return false; }
    virtual bool getVendorString(char* /*text*/) { return false; }
    virtual bool getProductString(char* /*text*/) { return false; }
    virtual VstInt32 getVendorVersion() { return 0; }
    virtual VstInt32 getPlugCategory() { return kPlugCategUnknown; }
    virtual VstInt32 getVstVersion() { return 2400; }
    virtual bool setProcessPrecision(VstInt32 /*precision*/) { return false; }

    // Host queries. Pin connection: a host that does not answer counts as connected.
    bool isInputConnected(VstInt32 input) {
        return callHost(audioMasterPinConnected, input, 0) == 0;
    }
    bool isOutputConnected(VstInt32 output) {
        return callHost(audioMasterPinConnected, output, 1) == 0;
    }
    VstInt32 getOutputLatency() {
        return static_cast<VstInt32>(callHost(audioMasterGetOutputLatency));
    }
    VstInt32 getHostBlockSize() {
        return static_cast<VstInt32>(callHost(audioMasterGetBlockSize));
    }
    bool beginEdit(VstInt32 index) { return callHost(audioMasterBeginEdit, index) != 0; }
    bool endEdit(VstInt32 index) { return callHost(audioMasterEndEdit, index) != 0; }
    bool updateDisplay() { return callHost(audioMasterUpdateDisplay) != 0; }
};
