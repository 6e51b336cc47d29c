#include "host/vst_host.h"

#include <cstring>

#include "platform/module.h"

namespace host {
namespace {

using EntryPoint = AEffect* (*)(audioMasterCallback);

// The instance being created: during the entry call the effect is not yet ours to tag.
thread_local VstPlugin* loadingPlugin = nullptr;

}  // namespace

std::unique_ptr<VstPlugin> VstPlugin::load(const std::string& path, const HostConfig& config,
                                           std::string* error) {
    std::unique_ptr<VstPlugin> plugin(new VstPlugin());
    plugin->hostConfig = config;
    plugin->module = platform::Module::open(path, error);
    if (plugin->module == nullptr) return nullptr;

    auto entry = reinterpret_cast<EntryPoint>(plugin->module->symbol("VSTPluginMain"));
    if (entry == nullptr) entry = reinterpret_cast<EntryPoint>(plugin->module->symbol("main"));
    if (entry == nullptr) {
        if (error != nullptr) *error = path + ": no VSTPluginMain or main export";
        return nullptr;
    }

    loadingPlugin = plugin.get();
    plugin->constructing = true;
    plugin->aeffect = entry(&VstPlugin::hostCallback);
    plugin->constructing = false;
    loadingPlugin = nullptr;

    if (plugin->aeffect == nullptr || plugin->aeffect->magic != kEffectMagic) {
        if (error != nullptr) *error = path + ": the entry point returned no effect";
        plugin->aeffect = nullptr;
        return nullptr;
    }
    plugin->aeffect->resvd1 = reinterpret_cast<VstIntPtr>(plugin.get());
    return plugin;
}

VstPlugin::~VstPlugin() {
    if (aeffect != nullptr) aeffect->dispatcher(aeffect, effClose, 0, 0, nullptr, 0);
}

VstIntPtr VstPlugin::hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                  VstIntPtr value, void* ptr, float opt) {
    VstPlugin* plugin = effect != nullptr && effect->resvd1 != 0
                            ? reinterpret_cast<VstPlugin*>(effect->resvd1)
                            : loadingPlugin;
    if (plugin == nullptr) return opcode == audioMasterVersion ? 2400 : 0;
    return plugin->answer(opcode, index, value, ptr, opt);
}

VstIntPtr VstPlugin::answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                            float opt) {
    if (recording) received.push_back({opcode, index, value, opt, constructing});
    switch (opcode) {
        case audioMasterVersion:
            return hostConfig.version;
        case audioMasterGetBlockSize:
            return hostConfig.blockSize;
        case audioMasterGetOutputLatency:
            return hostConfig.outputLatency;
        case audioMasterGetSampleRate:
            return static_cast<VstIntPtr>(hostConfig.sampleRate);
        case audioMasterPinConnected: {
            // 0 means connected.
            if (index < 0 || index > 1) return 1;
            const bool* pins = value == 0 ? hostConfig.inputConnected : hostConfig.outputConnected;
            return pins[index] ? 0 : 1;
        }
        case audioMasterAutomate:
        case audioMasterBeginEdit:
        case audioMasterEndEdit:
        case audioMasterUpdateDisplay:
            return 1;
        default:
            (void)ptr;
            return 0;
    }
}

VstIntPtr VstPlugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                              float opt) {
    return aeffect->dispatcher(aeffect, opcode, index, value, ptr, opt);
}

std::string VstPlugin::text(VstInt32 opcode, VstInt32 index) {
    char buffer[256] = {};
    dispatch(opcode, index, 0, buffer, 0);
    buffer[sizeof buffer - 1] = 0;
    return buffer;
}

std::string VstPlugin::parameterName(VstInt32 index) { return text(effGetParamName, index); }
std::string VstPlugin::parameterLabel(VstInt32 index) { return text(effGetParamLabel, index); }
std::string VstPlugin::parameterDisplay(VstInt32 index) { return text(effGetParamDisplay, index); }
float VstPlugin::getParameter(VstInt32 index) { return aeffect->getParameter(aeffect, index); }
void VstPlugin::setParameter(VstInt32 index, float value) {
    aeffect->setParameter(aeffect, index, value);
}
std::string VstPlugin::effectName() { return text(effGetEffectName, 0); }
std::string VstPlugin::vendorString() { return text(effGetVendorString, 0); }
std::string VstPlugin::productString() { return text(effGetProductString, 0); }
std::string VstPlugin::programName() { return text(effGetProgramName, 0); }
void VstPlugin::setSampleRate(float rate) {
    hostConfig.sampleRate = rate;
    dispatch(effSetSampleRate, 0, 0, nullptr, rate);
}
void VstPlugin::setBlockSize(VstInt32 size) {
    hostConfig.blockSize = size;
    dispatch(effSetBlockSize, 0, size);
}
void VstPlugin::resume() { dispatch(effMainsChanged, 0, 1); }
void VstPlugin::suspend() { dispatch(effMainsChanged, 0, 0); }
void VstPlugin::process(float** inputs, float** outputs, VstInt32 frames) {
    aeffect->processReplacing(aeffect, inputs, outputs, frames);
}
void VstPlugin::processDouble(double** inputs, double** outputs, VstInt32 frames) {
    aeffect->processDoubleReplacing(aeffect, inputs, outputs, frames);
}

}  // namespace host
