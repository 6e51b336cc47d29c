// A small VST 2.4 host for tests and tools: loads a plug-in library, answers its callbacks
// with configurable values, records what it is told, and wraps the dispatcher in typed calls.
// Uses only the public binary interface. Not real-time safe while recording callbacks.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vst/aeffect.h"

namespace platform {
class Module;
}

namespace host {

struct HostConfig {
    VstIntPtr version = 2400;       // answer to audioMasterVersion (0: an unusable host)
    VstIntPtr blockSize = 512;      // answer to audioMasterGetBlockSize
    VstIntPtr outputLatency = 0;    // answer to audioMasterGetOutputLatency
    double sampleRate = 44100;      // answer to audioMasterGetSampleRate
    bool inputConnected[2] = {true, true};
    bool outputConnected[2] = {true, true};
};

struct CallbackRecord {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
    bool fromConstruction;  // received while the entry point was running
};

class VstPlugin {
public:
    // Loads the library, finds VSTPluginMain (else main) and creates one instance.
    // Null on failure, with the reason in `error`.
    static std::unique_ptr<VstPlugin> load(const std::string& path, const HostConfig& config,
                                           std::string* error);
    // Closes the instance (effClose) and unloads the library.
    ~VstPlugin();
    VstPlugin(const VstPlugin&) = delete;
    VstPlugin& operator=(const VstPlugin&) = delete;

    AEffect* effect() const { return aeffect; }
    HostConfig& config() { return hostConfig; }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0);

    // Typed helpers.
    std::string parameterName(VstInt32 index);
    std::string parameterLabel(VstInt32 index);
    std::string parameterDisplay(VstInt32 index);
    float getParameter(VstInt32 index);
    void setParameter(VstInt32 index, float value);
    std::string effectName();
    std::string vendorString();
    std::string productString();
    std::string programName();
    void setSampleRate(float rate);
    void setBlockSize(VstInt32 size);
    void resume();
    void suspend();
    VstInt32 latency() const { return aeffect->initialDelay; }
    void process(float** inputs, float** outputs, VstInt32 frames);
    void processDouble(double** inputs, double** outputs, VstInt32 frames);

    // Callbacks received so far (recording can be switched off for real-time use).
    const std::vector<CallbackRecord>& callbacks() const { return received; }
    void clearCallbacks() { received.clear(); }
    void setRecording(bool on) { recording = on; }

private:
    VstPlugin() = default;
    static VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                  VstIntPtr value, void* ptr, float opt);
    VstIntPtr answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    std::string text(VstInt32 opcode, VstInt32 index);

    std::unique_ptr<platform::Module> module;
    AEffect* aeffect = nullptr;
    HostConfig hostConfig;
    std::vector<CallbackRecord> received;
    bool recording = true;
    bool constructing = false;
};

}  // namespace host
