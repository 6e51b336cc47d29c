// The pop-up menu: entries, numbering, current entry rules, the pop-up it builds and a choice.
#include "widgets/option_menu.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

#include "tests/widgets/widget_fixture.h"

using namespace VSTGUI;
using Kind = platform::MenuItem::Kind;
using widget_test::RecordingListener;
using widget_test::TestFrame;

namespace {

// The preset menu's shape: slot 0, a separator, slots 1 to 30.
void fillPresetMenu(COptionMenu& menu) {
    menu.addEntry("Current", 0);
    menu.addEntry("-", 1);
    for (int slot = 1; slot <= 30; ++slot)
        menu.addEntry(("Slot " + std::to_string(slot)).c_str(), slot + 1);
}

TEST(OptionMenu, EntriesInsertAndShiftTheCurrentOne) {
    COptionMenu menu(CRect(0, 0, 10, 10), nullptr, 65);
    EXPECT_EQ(menu.getCurrent(), -1) << "no current entry at first";
    menu.addEntry("a");
    menu.addEntry("c");
    ASSERT_TRUE(menu.setCurrent(1));
    menu.addEntry("b", 1);
    EXPECT_EQ(menu.getNbEntries(), 3);
    EXPECT_EQ(menu.entryText(1), "b");
    EXPECT_EQ(menu.getCurrent(), 2) << "the current entry moves with its text";
    menu.addEntry("d", 7);
    EXPECT_EQ(menu.entryText(3), "d") << "a position beyond the end appends";

    EXPECT_TRUE(menu.setEntry(0, "A"));
    EXPECT_FALSE(menu.setEntry(4, "x"));
    EXPECT_FALSE(menu.setEntry(0, std::string(300, 'x').c_str())) << "too long for an entry";
    EXPECT_EQ(menu.entryText(0), "A");

    COptionMenu full(CRect(0, 0, 10, 10), nullptr, 1);
    for (int i = 0; i < COptionMenu::kMaxEntries; ++i) ASSERT_TRUE(full.addEntry("x"));
    EXPECT_FALSE(full.addEntry("one too many"));
}

TEST(OptionMenu, NumberingStyles) {
    const std::pair<int32_t, const char*> cases[] = {
        {0, "Warm"}, {2, "3 Warm"}, {3, "03 Warm"}, {4, "003 Warm"}};
    for (const auto& [style, expected] : cases) {
        COptionMenu menu(CRect(0, 0, 100, 20), nullptr, 1);
        menu.setNumberingStyle(style);
        menu.addEntry("a");
        menu.addEntry("b");
        menu.addEntry("Warm");
        EXPECT_EQ(menu.entryText(2), expected) << style;
        menu.setCurrent(2);
        platform::Image target(100, 20);
        CDrawContext context(nullptr, target);
        menu.draw(&context);  // draws "Warm" after skipping the number
    }
    COptionMenu parent(CRect(0, 0, 10, 10), nullptr, 1);
    parent.setNumberingStyle(3);
    auto* sub = new COptionMenu(CRect(0, 0, 10, 10), nullptr, 2);
    parent.addEntry(sub, "More");
    sub->forget();
    EXPECT_EQ(parent.entryText(0), "-M01 More");
}

TEST(OptionMenu, CurrentEntryWithAndWithoutSeparators) {
    COptionMenu menu(CRect(0, 0, 10, 10), nullptr, 65);
    fillPresetMenu(menu);
    menu.addEntry("-TTitle", 2);
    // Entries: Current, -, -TTitle, Slot 1 .. Slot 30.
    EXPECT_FALSE(menu.setCurrent(1)) << "a separator cannot be current";
    EXPECT_FALSE(menu.setCurrent(-1));
    EXPECT_FALSE(menu.setCurrent(menu.getNbEntries()));

    ASSERT_TRUE(menu.setCurrent(2, false));
    char text[256];
    EXPECT_EQ(menu.getCurrent(text, true), 4);
    EXPECT_STREQ(text, "Slot 2");
    EXPECT_EQ(menu.getCurrent(nullptr, false), 2)
        << "slot numbers skip the separator and the title";

    ASSERT_TRUE(menu.setCurrent(0, false));
    EXPECT_EQ(menu.getCurrent(), 0);
    ASSERT_TRUE(menu.setCurrent(31, false)) << "beyond the last counted entry: the last entry";
    EXPECT_EQ(menu.getCurrent(), menu.getNbEntries() - 1);

    menu.setValue(5.7f);
    EXPECT_EQ(menu.getCurrent(), 5);
    menu.setValue(100);
    EXPECT_EQ(menu.getCurrent(), 5) << "an invalid index keeps the current entry";
}

TEST(OptionMenu, MultipleCheckStyleTogglesTheChosenEntry) {
    COptionMenu menu(CRect(0, 0, 10, 10), nullptr, 1, nullptr, nullptr, kMultipleCheckStyle);
    menu.addEntry("a");
    menu.addEntry("b");
    menu.setCurrent(1);
    EXPECT_TRUE(menu.isCheckEntry(1));
    menu.setValue(1);
    EXPECT_FALSE(menu.isCheckEntry(1));
    EXPECT_TRUE(menu.buildMenuItems()[0].checked == false);
}

TEST(OptionMenu, PopupItemsColumnsAndChecks) {
    COptionMenu menu(CRect(0, 0, 10, 10), nullptr, 65, nullptr, nullptr, 5120);
    fillPresetMenu(menu);
    menu.setNbItemsPerColumn(16);
    menu.setCurrent(3, false);
    const auto items = menu.buildMenuItems();
    ASSERT_EQ(items.size(), 32u);
    EXPECT_EQ(items[1].kind, Kind::Separator);
    EXPECT_EQ(items[4].text, "Slot 3");
    EXPECT_TRUE(items[4].checked) << "the current entry carries the check mark";
    int checked = 0;
    std::vector<int> columnStarts;
    for (std::size_t i = 0; i < items.size(); ++i) {
        checked += items[i].checked ? 1 : 0;
        if (items[i].startsColumn) columnStarts.push_back(static_cast<int>(i));
        EXPECT_EQ(items[i].command, static_cast<int>(i));
    }
    EXPECT_EQ(checked, 1);
    EXPECT_EQ(columnStarts, std::vector<int>{16}) << "slots 15 to 30 in the second column";
}

TEST(OptionMenu, SpecialEntriesAndSubmenuCommands) {
    COptionMenu menu(CRect(0, 0, 10, 10), nullptr, 1);
    menu.addEntry("-GGrey");
    menu.addEntry("-THead");
    auto* sub = new COptionMenu(CRect(0, 0, 10, 10), nullptr, 2);
    sub->addEntry("inner 0");
    sub->addEntry("inner 1");
    menu.addEntry(sub, "Sub");
    menu.addEntry("last");
    const auto items = menu.buildMenuItems();
    EXPECT_EQ(items[0].kind, Kind::Greyed);
    EXPECT_EQ(items[0].text, "Grey");
    EXPECT_EQ(items[1].kind, Kind::Disabled);
    ASSERT_EQ(items[2].kind, Kind::Submenu);
    ASSERT_EQ(items[2].submenu.size(), 2u);
    EXPECT_EQ(items[2].submenu[1].command, 5) << "submenu entries come after all of the parent's";
    int32_t index = -1;
    EXPECT_EQ(menu.menuForCommand(5, index), sub);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(menu.menuForCommand(3, index), &menu);
    EXPECT_EQ(menu.menuForCommand(9, index), nullptr);
    sub->forget();
}

TEST(OptionMenu, PressShowsThePopupUnderTheControlAndReportsTheChoice) {
    TestFrame test(400, 300);
    RecordingListener listener;
    auto* panel = new CViewContainer(CRect(20, 30, 400, 300), test.frame);
    auto* menu = new COptionMenu(CRect(100, 100, 110, 114), &listener, 65, nullptr, nullptr, 5120);
    fillPresetMenu(*menu);
    menu->setCurrent(0, false);
    panel->addView(menu);
    test.frame->addView(panel);

    test.window->setPopupChoice(4);  // "Slot 3"
    test.press(125, 140, kLButton);
    EXPECT_EQ(test.window->lastMenuOrigin.x, 120) << "left edge, moved by the panel";
    EXPECT_EQ(test.window->lastMenuOrigin.y, 144) << "bottom edge";
    EXPECT_EQ(test.window->lastMenu.size(), 32u);
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(menu->getCurrent(nullptr, false), 3);
    EXPECT_EQ(test.editor.edits, (std::vector<std::string>{"begin 65", "end 65"}));
    EXPECT_EQ(test.frame->getFocusView(), nullptr);

    test.press(125, 140, kLButton);  // dismissed
    EXPECT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(menu->getCurrent(nullptr, false), 3);

    menu->setStyle(5120 | kPopupStyle);
    test.press(125, 140, kLButton);
    EXPECT_EQ(test.window->lastMenuOrigin.y, 130) << "top edge with the pop-up style";
}

// Texts of `length` bytes with no terminating zero, ending right before an unreadable page: a
// read past their end faults.
class UnterminatedText {
public:
    explicit UnterminatedText(std::size_t length) {
        pageBytes = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        void* mapped = mmap(nullptr, 2 * pageBytes, PROT_READ | PROT_WRITE,
                            MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED) return;
        pages = static_cast<char*>(mapped);
        mprotect(pages + pageBytes, pageBytes, PROT_NONE);
        text = pages + pageBytes - length;
        std::memset(text, 'x', length);
    }
    ~UnterminatedText() {
        if (pages != nullptr) munmap(pages, 2 * pageBytes);
    }
    UnterminatedText(const UnterminatedText&) = delete;
    UnterminatedText& operator=(const UnterminatedText&) = delete;
    char* text = nullptr;

private:
    char* pages = nullptr;
    std::size_t pageBytes = 0;
};

TEST(OptionMenu, TextsWithoutATerminatingZeroAreReadNoFurtherThanAnEntryHolds) {
    COptionMenu menu(CRect(0, 0, 10, 10), nullptr, 65);
    menu.addEntry("short");
    UnterminatedText tooLong(256);
    ASSERT_NE(tooLong.text, nullptr);
    EXPECT_FALSE(menu.setEntry(0, tooLong.text)) << "256 characters do not fit";
    EXPECT_EQ(menu.entryText(0), "short");

    UnterminatedText longer(400);
    ASSERT_NE(longer.text, nullptr);
    ASSERT_TRUE(menu.addEntry(longer.text));
    EXPECT_EQ(menu.entryText(1), std::string(255, 'x'));
    menu.setNumberingStyle(3);
    ASSERT_TRUE(menu.addEntry(longer.text));
    EXPECT_EQ(menu.entryText(2), "03 " + std::string(252, 'x'));
}

}  // namespace
