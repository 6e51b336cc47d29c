#include "vst/audio_effect.h"

namespace {

VstIntPtr dispatchEntry(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                        void* ptr, float opt) {
    AudioEffect* instance = AudioEffect::fromAeffect(effect);
    if (instance == nullptr) return 0;
    VstIntPtr result = instance->dispatcher(opcode, index, value, ptr, opt);
    if (opcode == effClose) {
        delete instance;
        return 1;
    }
    return result;
}

void processEntry(AEffect*, float**, float**, VstInt32) {}  // accumulating entry: unused

void processReplacingEntry(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    if (AudioEffect* instance = AudioEffect::fromAeffect(effect))
        instance->processReplacing(inputs, outputs, frames);
}

void processDoubleReplacingEntry(AEffect* effect, double** inputs, double** outputs,
                                 VstInt32 frames) {
    if (AudioEffect* instance = AudioEffect::fromAeffect(effect))
        instance->processDoubleReplacing(inputs, outputs, frames);
}

void setParameterEntry(AEffect* effect, VstInt32 index, float value) {
    if (AudioEffect* instance = AudioEffect::fromAeffect(effect))
        instance->setParameter(index, value);
}

float getParameterEntry(AEffect* effect, VstInt32 index) {
    AudioEffect* instance = AudioEffect::fromAeffect(effect);
    return instance != nullptr ? instance->getParameter(index) : 0.0f;
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms,
                         VstInt32 numParams)
    : audioMaster(audioMaster), numPrograms(numPrograms), numParams(numParams) {
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEntry;
    cEffect.process = processEntry;
    cEffect.setParameter = setParameterEntry;
    cEffect.getParameter = getParameterEntry;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.flags = effFlagsCanReplacing;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = fourCharCode("NoEf");
    cEffect.version = 1;
    cEffect.processReplacing = processReplacingEntry;
    cEffect.processDoubleReplacing = processDoubleReplacingEntry;
}

AudioEffect::~AudioEffect() = default;

AudioEffect* AudioEffect::fromAeffect(AEffect* effect) {
    if (effect == nullptr || effect->magic != kEffectMagic) return nullptr;
    return static_cast<AudioEffect*>(effect->object);
}

void AudioEffect::processReplacing(float**, float**, VstInt32) {}
void AudioEffect::processDoubleReplacing(double**, double**, VstInt32) {}

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
    editor.reset(newEditor);
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                  float opt) {
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
        case effOpen:
            open();
            return 0;
        case effClose:
            close();
            return 1;
        case effSetProgram:
            if (value >= 0 && value < numPrograms) setProgram(static_cast<VstInt32>(value));
            return 0;
        case effGetProgram:
            return getProgram();
        case effSetProgramName:
            if (text != nullptr) setProgramName(text);
            return 0;
        case effGetProgramName:
            if (text != nullptr) getProgramName(text);
            return 0;
        case effGetParamLabel:
            if (text != nullptr) getParameterLabel(index, text);
            return 0;
        case effGetParamDisplay:
            if (text != nullptr) getParameterDisplay(index, text);
            return 0;
        case effGetParamName:
            if (text != nullptr) getParameterName(index, text);
            return 0;
        case effSetSampleRate:
            setSampleRate(opt);
            return 0;
        case effSetBlockSize:
            setBlockSize(static_cast<VstInt32>(value));
            return 0;
        case effMainsChanged:
            if (value == 0)
                suspend();
            else
                resume();
            return 0;
        case effEditGetRect:
            return editor != nullptr && editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
        case effEditOpen:
            return editor != nullptr && editor->open(ptr) ? 1 : 0;
        case effEditClose:
            if (editor != nullptr) editor->close();
            return 0;
        case effEditIdle:
            if (editor != nullptr) editor->idle();
            return 0;
        case effIdentify:
            return fourCharCode("NvEf");
        default:
            return 0;
    }
}
