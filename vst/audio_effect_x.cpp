#include "vst/audio_effect_x.h"

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt) {
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
        case effGetChunk:
        case effSetChunk:
        case effProcessEvents:
        case effString2Parameter:
        case effSetBypass:
        case effCanDo:
        case effGetTailSize:
            return 0;
        case effCanBeAutomated:
            return 1;
        case effGetProgramNameIndexed:
            return text != nullptr &&
                   getProgramNameIndexed(static_cast<VstInt32>(value), index, text);
        case effGetInputProperties:
            return ptr != nullptr && getInputProperties(index, static_cast<VstPinProperties*>(ptr));
        case effGetOutputProperties:
            return ptr != nullptr &&
                   getOutputProperties(index, static_cast<VstPinProperties*>(ptr));
        case effGetPlugCategory:
            return getPlugCategory();
        case effGetEffectName:
            return text != nullptr && getEffectName(text);
        case effGetVendorString:
            return text != nullptr && getVendorString(text);
        case effGetProductString:
            return text != nullptr && getProductString(text);
        case effGetVendorVersion:
            return getVendorVersion();
        case effGetParameterProperties:
            return ptr != nullptr &&
                   getParameterProperties(index, static_cast<VstParameterProperties*>(ptr));
        case effGetVstVersion:
            return getVstVersion();
        case effEditKeyDown:
        case effEditKeyUp: {
            if (editor == nullptr) return 0;
            VstKeyCode key{index, static_cast<unsigned char>(value), static_cast<unsigned char>(opt)};
            return opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key);
        }
        case effSetEditKnobMode:
            return editor != nullptr && editor->setKnobMode(static_cast<VstInt32>(value));
        case effGetCurrentMidiProgram:
            return -1;
        case effGetSpeakerArrangement:
            // Both arguments point at the host's arrangement pointers: we have none to give.
            if (value != 0) *reinterpret_cast<void**>(value) = nullptr;
            if (ptr != nullptr) *static_cast<void**>(ptr) = nullptr;
            return 0;
        case effSetTotalSampleToProcess:
            return value;
        case effSetProcessPrecision:
            return setProcessPrecision(static_cast<VstInt32>(value)) ? 1 : 0;
        default:
            return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}
