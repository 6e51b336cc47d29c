// The pop-up menu control: a list of entries (with separators, titles, greyed entries and
// submenus), a current entry, optional numbering, check marks and columns.
#pragma once

#include <string>
#include <vector>

#include "platform/platform_window.h"
#include "widgets/param_display.h"

namespace VSTGUI {

// Style bits of the menu, besides those of the display.
enum COptionMenuStyle : int32_t {
    kMultipleCheckStyle = 1,  // every entry has its own check mark
    kPopupStyle = 1 << 9,     // opens at the control's top edge
    kCheckStyle = 1 << 10,    // the current entry carries a check mark
};

class COptionMenu : public CParamDisplay {
public:
    static constexpr int32_t kMaxEntries = 1024;

    COptionMenu(const CRect& size, CControlListener* listener, int32_t tag,
                CBitmap* background = nullptr, CBitmap* pressedBackground = nullptr,
                int32_t style = 0);
    ~COptionMenu() override;

    void draw(CDrawContext* context) override;
    void mouse(CDrawContext* context, CPoint& where, int32_t buttons = -1) override;
    void takeFocus(CDrawContext* context = nullptr) override;
    void looseFocus(CDrawContext* context = nullptr) override;
    void setValue(float newValue) override;
    bool isTypeOf(const char* className) const override;

    // Appends, or inserts before `position` when 0 <= position < count. False when full.
    virtual bool addEntry(const char* text, int32_t position = -1);
    // Adds a submenu (referenced) behind an entry titled `title`.
    virtual bool addEntry(COptionMenu* submenu, const char* title);
    virtual bool setEntry(int32_t index, const char* text);
    virtual bool getEntry(int32_t index, char* text) const;
    virtual bool removeEntry(int32_t index);
    virtual bool removeAllEntry();
    virtual int32_t getNbEntries() const { return static_cast<int32_t>(entries.size()); }
    virtual int32_t getCurrent(char* text = nullptr, bool countSeparator = true) const;
    virtual bool setCurrent(int32_t index, bool countSeparator = true);
    virtual bool checkEntry(int32_t index, bool checked);
    virtual bool isCheckEntry(int32_t index) const;
    virtual void setNbItemsPerColumn(int32_t count) { itemsPerColumn = count; }
    virtual int32_t getNbItemsPerColumn() const { return itemsPerColumn; }
    virtual COptionMenu* getSubMenu(int32_t index) const;

    void setNumberingStyle(int32_t numbering) { numberingStyle = numbering; }
    int32_t getNumberingStyle() const { return numberingStyle; }
    int32_t getLastButton() const { return lastButton; }
    const std::string& entryText(int32_t index) const {
        return entries[static_cast<std::size_t>(index)];
    }

    // The pop-up as it will be shown: commands count from 0, a submenu's entries after all
    // entries of its parent.
    std::vector<platform::MenuItem> buildMenuItems() const;
    // The menu (this one or a submenu) owning `command`, and the entry's index in it.
    COptionMenu* menuForCommand(int32_t command, int32_t& index);

private:
    std::vector<platform::MenuItem> buildItems(int32_t& nextCommand) const;
    COptionMenu* findCommand(int32_t command, int32_t& nextCommand, int32_t& index);
    static bool isSeparator(const std::string& text) { return text == "-"; }
    static bool isTitle(const std::string& text) { return text.rfind("-T", 0) == 0; }
    std::string numbered(const char* text, int32_t position, bool submenu) const;

    std::vector<std::string> entries;
    std::vector<bool> checks;
    std::vector<COptionMenu*> submenus;
    int32_t currentIndex = -1;
    int32_t numberingStyle = 0;
    int32_t itemsPerColumn = -1;
    int32_t lastButton = 0;
    CBitmap* pressedBackground = nullptr;
};

}  // namespace VSTGUI
