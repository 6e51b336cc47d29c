// The editor base through the host's editor opcodes, on a test window (no X server).
#include <gtest/gtest.h>

#include <vector>

#include "platform/test_window.h"
#include "platform/window_factory.h"
#include "vst/audio_effect_x.h"
#include "widgets/aeff_gui_editor.h"
#include "widgets/frame.h"
#include "widgets/knob.h"
#include "widgets/text_edit.h"

using namespace VSTGUI;

namespace {

struct HostCall {
    VstInt32 opcode;
    VstInt32 index;
};
std::vector<HostCall> hostCalls;

VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float) {
    if (opcode != audioMasterIdle) hostCalls.push_back({opcode, index});
    return opcode == audioMasterVersion ? 2400 : 0;
}

class SmallEffect : public AudioEffectX {
public:
    SmallEffect() : AudioEffectX(recordingHost, 1, 4) {}
    void setParameter(VstInt32 index, float value) override {
        values[static_cast<std::size_t>(index)] = value;
    }
    float getParameter(VstInt32 index) override { return values[static_cast<std::size_t>(index)]; }
    float values[4] = {};
};

// A small editor: one knob (tag 3) and one text field (tag 2).
class SmallEditor : public AEffGUIEditor, public CControlListener {
public:
    explicit SmallEditor(AudioEffect* effect) : AEffGUIEditor(effect) { rect = {0, 0, 100, 200}; }
    bool open(void* parent) override {
        AEffGUIEditor::open(parent);
        frame = new CFrame(CRect(0, 0, 200, 100), parent, this);
        knob = new CKnob(CRect(10, 10, 50, 50), this, 3, nullptr, nullptr);
        knob->setDefaultValue(0.75f);
        field = new CTextEdit(CRect(60, 10, 190, 30), this, 2, "abc");
        frame->addView(knob);
        frame->addView(field);
        return true;
    }
    void close() override {
        if (frame != nullptr) frame->forget();
        frame = nullptr;
        knob = nullptr;
        field = nullptr;
        AEffGUIEditor::close();
    }
    void valueChanged(CDrawContext*, CControl* control) override {
        effect->setParameterAutomated(control->getTag(), control->getValue());
    }
    CKnob* knob = nullptr;
    CTextEdit* field = nullptr;
};

class GuiEditorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        hostCalls.clear();
        platform::setWindowMaker([this](std::uintptr_t parent, int w,
                                        int h) -> std::unique_ptr<platform::PlatformWindow> {
            if (parent == 0) return nullptr;
            auto made = std::make_unique<platform::TestWindow>(w, h);
            window = made.get();
            return made;
        });
        effect = new SmallEffect();
        editor = new SmallEditor(effect);
        effect->setEditor(editor);
        CFrame::setKnobMode(kCircularMode);
    }
    void TearDown() override {
        effect->dispatcher(effEditClose, 0, 0, nullptr, 0);
        delete effect;
        platform::setWindowMaker({});
    }
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0) {
        return effect->dispatcher(opcode, index, value, ptr, opt);
    }
    SmallEffect* effect = nullptr;
    SmallEditor* editor = nullptr;
    platform::TestWindow* window = nullptr;
};

TEST_F(GuiEditorFixture, RectOpenIdleAndClose) {
    ERect* rect = nullptr;
    ASSERT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right, 200);
    EXPECT_EQ(rect->bottom, 100);

    int hostWindowId = 0x2a00001;
    EXPECT_EQ(dispatch(effEditOpen, 0, 0,
                       reinterpret_cast<void*>(static_cast<std::uintptr_t>(hostWindowId))),
              1);
    ASSERT_NE(editor->getFrame(), nullptr);
    EXPECT_TRUE(editor->getFrame()->isOpen());
    dispatch(effEditIdle);
    EXPECT_GT(window->presentCount, 0) << "the first idle shows the editor";
    dispatch(effEditClose);
    EXPECT_EQ(editor->getFrame(), nullptr);
    dispatch(effEditIdle);  // nothing left to idle
}

TEST_F(GuiEditorFixture, ControlClickReachesTheHostAsOneEdit) {
    dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(std::uintptr_t{7}));
    window->injectMouseDown(30, 30, kLButton | kControl);
    window->setPointer({30, 30, kLButton | kControl});
    dispatch(effEditIdle);
    EXPECT_FLOAT_EQ(effect->values[3], 0.75f);
    ASSERT_EQ(hostCalls.size(), 3u);
    EXPECT_EQ(hostCalls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(hostCalls[1].opcode, audioMasterAutomate);
    EXPECT_EQ(hostCalls[2].opcode, audioMasterEndEdit);
    for (const HostCall& call : hostCalls) EXPECT_EQ(call.index, 3);
}

TEST_F(GuiEditorFixture, KnobModeKeysAndWheelAreForwarded) {
    dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(std::uintptr_t{7}));
    EXPECT_EQ(dispatch(effSetEditKnobMode, 0, kLinearMode), 1);
    EXPECT_EQ(editor->getFrame()->getKnobMode(), kLinearMode);

    EXPECT_EQ(dispatch(effEditKeyDown, 'x', 0), 0) << "no open text field: not handled";
    window->injectMouseDown(100, 20, kLButton);
    dispatch(effEditIdle);
    ASSERT_TRUE(editor->field->isEditing());
    EXPECT_EQ(dispatch(effEditKeyDown, 'x', 0), 1);
    EXPECT_EQ(dispatch(effEditKeyDown, 0, platform::kKeyReturn), 1);
    EXPECT_EQ(editor->field->text(), "x");

    window->setPointer({30, 30, 0});
    EXPECT_TRUE(editor->onWheel(2.0f));
    EXPECT_NEAR(editor->knob->getValue(), 0.2f, 1e-6);
    window->setPointer({150, 90, 0});
    EXPECT_FALSE(editor->onWheel(1.0f))
        << "nothing under the mouse, though the knob took the focus";
    EXPECT_NEAR(editor->knob->getValue(), 0.2f, 1e-6);
}

TEST_F(GuiEditorFixture, OpenWithoutAHostWindowGivesAClosedFrame) {
    EXPECT_EQ(dispatch(effEditOpen, 0, 0, nullptr), 1);
    ASSERT_NE(editor->getFrame(), nullptr);
    EXPECT_FALSE(editor->getFrame()->isOpen());
    dispatch(effEditIdle);
}

}  // namespace
