// Base of an effect's editor window: the effect forwards the editor opcodes here.
// Called on the host's user-interface thread.
#pragma once

#include "vst/aeffect.h"

class AudioEffect;

// Key press as the host reports it: index = character, value = virtual key, opt = modifiers.
struct VstKeyCode {
    VstInt32 character;
    unsigned char virt;
    unsigned char modifier;
};

class AEffEditor {
public:
    explicit AEffEditor(AudioEffect* effect) : effect(effect) {}
    virtual ~AEffEditor() = default;
    AEffEditor(const AEffEditor&) = delete;
    AEffEditor& operator=(const AEffEditor&) = delete;

    virtual bool getRect(ERect** rect) {
        if (rect != nullptr) *rect = nullptr;
        return false;
    }
    // `parent` is the host's X11 window id.
    virtual bool open(void* parent) {
        systemWindow = parent;
        return false;
    }
    virtual void close() { systemWindow = nullptr; }
    virtual bool isOpen() const { return systemWindow != nullptr; }
    virtual void idle() {}
    virtual bool onKeyDown(VstKeyCode& /*key*/) { return false; }
    virtual bool onKeyUp(VstKeyCode& /*key*/) { return false; }
    virtual bool setKnobMode(VstInt32 /*mode*/) { return false; }

    AudioEffect* getEffect() const { return effect; }

protected:
    AudioEffect* effect;
    void* systemWindow = nullptr;
};
