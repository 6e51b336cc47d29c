// The text field: opening, typing, and the two ways an entry commits.
#include "widgets/text_edit.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/widgets/widget_fixture.h"

using namespace VSTGUI;
using widget_test::RecordingListener;
using widget_test::TestFrame;

namespace {

// Records the notifications the field sends to its parent.
class NotedContainer : public CViewContainer {
public:
    using CViewContainer::CViewContainer;
    int32_t notify(CView* sender, const char* message) override {
        messages.emplace_back(message);
        return CViewContainer::notify(sender, message);
    }
    std::vector<std::string> messages;
};

struct TextEditFixture : ::testing::Test {
    TextEditFixture() {
        panel = new NotedContainer(CRect(0, 0, 300, 300), test.frame);
        field = new CTextEdit(CRect(10, 10, 110, 30), &listener, 59, "Current");
        panel->addView(field);
        test.frame->addView(panel);
    }
    void type(const char* text) {
        for (const char* c = text; *c != '\0'; ++c) test.frame->keyDown({*c, 0, 0});
    }
    TestFrame test{300, 300};
    RecordingListener listener;
    NotedContainer* panel;
    CTextEdit* field;
};

TEST_F(TextEditFixture, EnterCommitsTheTypedText) {
    test.press(20, 20, kLButton);
    ASSERT_TRUE(field->isEditing());
    EXPECT_TRUE(test.window->keyboardFocus);
    EXPECT_EQ(test.frame->getFocusView(), field);
    type("Warm");  // the whole text is selected at first: typing replaces it
    EXPECT_EQ(field->typedText(), "Warm");
    test.frame->keyDown({0, platform::kKeyBack, 0});
    test.frame->keyDown({'n', 0, 0});
    EXPECT_EQ(field->text(), "Current") << "nothing changes before the commit";
    test.frame->keyDown({0, platform::kKeyReturn, 0});

    EXPECT_FALSE(field->isEditing());
    EXPECT_FALSE(test.window->keyboardFocus);
    EXPECT_EQ(field->text(), "Warn");
    char buffer[CTextEdit::kMaxTextLength + 1];
    field->getText(buffer);
    EXPECT_STREQ(buffer, "Warn");
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(listener.changes[0].first, 59);
    EXPECT_EQ(panel->messages, (std::vector<std::string>{"LooseFocus"}));
    EXPECT_EQ(test.editor.edits, (std::vector<std::string>{"begin 59", "end 59"}));
    EXPECT_EQ(test.frame->getFocusView(), nullptr);
}

TEST_F(TextEditFixture, AClickElsewhereCommitsAndEscapeDoesNotCancel) {
    test.press(20, 20, kLButton);
    type("Bright");
    test.frame->keyDown({0, platform::kKeyEscape, 0});
    EXPECT_TRUE(field->isEditing()) << "there is no cancel key";
    test.press(200, 200, kLButton);
    EXPECT_FALSE(field->isEditing());
    EXPECT_EQ(field->text(), "Bright");
    EXPECT_EQ(listener.changes.size(), 1u);
}

TEST_F(TextEditFixture, LosingTheKeyboardFocusCommitsAndUnchangedTextIsNotReported) {
    test.press(20, 20, kLButton);
    test.window->injectFocusLoss();
    test.frame->idle();
    EXPECT_FALSE(field->isEditing());
    EXPECT_TRUE(listener.changes.empty()) << "the text did not change";
    EXPECT_EQ(panel->messages.size(), 1u);
}

TEST_F(TextEditFixture, EditingKeysAndTheLengthLimit) {
    test.press(20, 20, kLButton);
    test.frame->keyDown({0, platform::kKeyEnd, 0});  // ends the selection, caret at the end
    test.frame->keyDown({0, platform::kKeyLeft, 0});
    test.frame->keyDown({'X', 0, 0});
    EXPECT_EQ(field->typedText(), "CurrenXt");
    test.frame->keyDown({0, platform::kKeyHome, 0});
    test.frame->keyDown({0, platform::kKeyDelete, 0});
    EXPECT_EQ(field->typedText(), "urrenXt");
    // Latin-1 letters go in; control characters do not.
    test.frame->keyDown({0xe9, 0, 0});
    test.frame->keyDown({0x85, 0, 0});
    test.frame->keyDown({0x7f, 0, 0});
    EXPECT_EQ(field->typedText(), "\xe9urrenXt");
    for (int i = 0; i < 300; ++i) test.frame->keyDown({'a', 0, 0});
    EXPECT_EQ(field->typedText().size(), CTextEdit::kMaxTextLength);
    test.frame->keyDown({0, platform::kKeyEnter, 0});
    EXPECT_EQ(field->text().size(), CTextEdit::kMaxTextLength);

    const std::string longText(400, 'z');
    field->setText(longText.c_str());
    EXPECT_EQ(field->text().size(), CTextEdit::kMaxTextLength);
}

TEST_F(TextEditFixture, DoubleClickStyleOpensOnlyOnTheSecondPress) {
    field->setStyle(kDoubleClickStyle);
    test.press(20, 20, kLButton);
    EXPECT_FALSE(field->isEditing());
    test.window->advanceTicks(100);
    test.press(20, 20, kLButton);
    EXPECT_TRUE(field->isEditing());
}

TEST_F(TextEditFixture, KeysGoNowhereWithoutAnOpenEntry) {
    VstKeyCode key{'a', 0, 0};
    EXPECT_EQ(test.frame->onKeyDown(key), -1);
}

}  // namespace
