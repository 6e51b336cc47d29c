// The editor base bound to the VST editor opcodes: owns the frame, forwards keys and the wheel
// to it, brackets host edits, and runs the throttled idle of drag loops.
// Host user-interface thread only.
#pragma once

#include <cstdint>

#include "vst/aeff_editor.h"
#include "vst/aeffect.h"

namespace VSTGUI {

class CFrame;

class AEffGUIEditor : public AEffEditor {
public:
    explicit AEffGUIEditor(AudioEffect* effect);
    ~AEffGUIEditor() override;

    bool getRect(ERect** rect) override;
    // Derived editors create the frame in `open` and destroy it in `close`.
    bool open(void* parent) override;
    void close() override;
    void idle() override;
    bool onKeyDown(VstKeyCode& key) override;
    bool onKeyUp(VstKeyCode& key) override;
    virtual bool onWheel(float distance);
    bool setKnobMode(VstInt32 mode) override;

    virtual void setParameter(VstInt32 index, float value);
    virtual void beginEdit(VstInt32 index);
    virtual void endEdit(VstInt32 index);
    // Called from drag loops: redraws and lets the host run at most every 100 ms.
    virtual void doIdleStuff();

    CFrame* getFrame() const { return frame; }

protected:
    ERect rect{};
    CFrame* frame = nullptr;
    int64_t nextIdleTicks = 0;
    bool inIdleStuff = false;
};

}  // namespace VSTGUI
