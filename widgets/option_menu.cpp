#include "widgets/option_menu.h"

#include <cstdio>
#include <cstring>

#include "widgets/bitmap.h"
#include "widgets/draw_context.h"
#include "widgets/frame.h"
#include "widgets/mouse_buttons.h"

namespace VSTGUI {

namespace {
constexpr std::size_t kMaxEntryLength = 255;
// Long menus are not split into columns.
constexpr int32_t kColumnLimit = 160;

std::string clippedEntry(const std::string& text) { return text.substr(0, kMaxEntryLength); }

// Reads no further than an entry holds: texts from files and hosts may lack the zero.
std::string boundedText(const char* text) {
    return std::string(text, strnlen(text, kMaxEntryLength));
}
}  // namespace

COptionMenu::COptionMenu(const CRect& size, CControlListener* listener, int32_t tag,
                         CBitmap* background, CBitmap* pressedBackground, int32_t style)
    : CParamDisplay(size, listener, tag, background, style), pressedBackground(pressedBackground) {
    if (pressedBackground != nullptr) pressedBackground->remember();
    entries.reserve(32);
}

COptionMenu::~COptionMenu() {
    for (COptionMenu* submenu : submenus) submenu->forget();
    if (pressedBackground != nullptr) pressedBackground->forget();
}

bool COptionMenu::isTypeOf(const char* className) const {
    return std::strcmp(className, "COptionMenu") == 0 || CParamDisplay::isTypeOf(className);
}

std::string COptionMenu::numbered(const char* text, int32_t position, bool submenu) const {
    const char* formats[] = {"%1d %s", "%02d %s", "%03d %s"};
    char buffer[kMaxEntryLength + 16] = {};
    const std::string prefix = submenu ? "-M" : "";
    const std::string body = boundedText(text);
    if (numberingStyle >= 2 && numberingStyle <= 4) {
        std::snprintf(buffer, sizeof buffer, formats[numberingStyle - 2], position + 1,
                      body.c_str());
        return clippedEntry(prefix + buffer);
    }
    return clippedEntry(prefix + body);
}

bool COptionMenu::addEntry(const char* text, int32_t position) {
    if (text == nullptr || getNbEntries() >= kMaxEntries) return false;
    const bool inserted = position >= 0 && position < getNbEntries();
    const int32_t at = inserted ? position : getNbEntries();
    entries.insert(entries.begin() + at, numbered(text, at, false));
    checks.insert(checks.begin() + at, false);
    if (inserted && currentIndex >= at) ++currentIndex;
    return true;
}

bool COptionMenu::addEntry(COptionMenu* submenu, const char* title) {
    if (submenu == nullptr || title == nullptr || getNbEntries() >= kMaxEntries) return false;
    entries.push_back(numbered(title, getNbEntries(), true));
    checks.push_back(false);
    submenus.push_back(submenu);
    submenu->remember();
    return true;
}

bool COptionMenu::setEntry(int32_t index, const char* text) {
    if (text == nullptr || index < 0 || index >= getNbEntries() ||
        strnlen(text, kMaxEntryLength + 1) > kMaxEntryLength)
        return false;
    entries[static_cast<std::size_t>(index)] = text;
    if (index == currentIndex) setDirty(true);
    return true;
}

bool COptionMenu::getEntry(int32_t index, char* text) const {
    if (text == nullptr || index < 0 || index >= getNbEntries()) return false;
    const std::string& entry = entries[static_cast<std::size_t>(index)];
    std::memcpy(text, entry.c_str(), entry.size() + 1);
    return true;
}

bool COptionMenu::removeEntry(int32_t index) {
    if (index < 0 || index >= getNbEntries()) return false;
    entries.erase(entries.begin() + index);
    checks.erase(checks.begin() + index);
    if (currentIndex == index)
        currentIndex = -1;
    else if (currentIndex > index)
        --currentIndex;
    return true;
}

bool COptionMenu::removeAllEntry() {
    entries.clear();
    checks.clear();
    for (COptionMenu* submenu : submenus) submenu->forget();
    submenus.clear();
    currentIndex = -1;
    return true;
}

int32_t COptionMenu::getCurrent(char* text, bool countSeparator) const {
    if (currentIndex < 0 || currentIndex >= getNbEntries()) return -1;
    if (text != nullptr) getEntry(currentIndex, text);
    if (countSeparator) return currentIndex;
    int32_t counted = 0;
    for (int32_t i = 0; i < currentIndex; ++i) {
        const std::string& entry = entries[static_cast<std::size_t>(i)];
        if (!isSeparator(entry) && !isTitle(entry)) ++counted;
    }
    return counted;
}

bool COptionMenu::setCurrent(int32_t index, bool countSeparator) {
    if (index < 0 || index >= getNbEntries()) return false;
    int32_t chosen = index;
    if (countSeparator) {
        if (isSeparator(entries[static_cast<std::size_t>(index)])) return false;
    } else {
        // The (index + 1)-th entry that is neither a separator nor a title, else the last.
        int32_t remaining = index;
        chosen = getNbEntries() - 1;
        for (int32_t i = 0; i < getNbEntries(); ++i) {
            const std::string& entry = entries[static_cast<std::size_t>(i)];
            if (isSeparator(entry) || isTitle(entry)) continue;
            if (remaining-- == 0) {
                chosen = i;
                break;
            }
        }
    }
    currentIndex = chosen;
    if (style & kMultipleCheckStyle)
        checks[static_cast<std::size_t>(chosen)] = !checks[static_cast<std::size_t>(chosen)];
    setDirty(true);
    return true;
}

void COptionMenu::setValue(float newValue) {
    const auto index = static_cast<int32_t>(newValue);
    if (index >= 0 && index < getNbEntries()) {
        currentIndex = index;
        if (style & kMultipleCheckStyle)
            checks[static_cast<std::size_t>(index)] = !checks[static_cast<std::size_t>(index)];
    }
    value = newValue;
    setDirty(true);
}

bool COptionMenu::checkEntry(int32_t index, bool checked) {
    if (index < 0 || index >= getNbEntries()) return false;
    checks[static_cast<std::size_t>(index)] = checked;
    return true;
}

bool COptionMenu::isCheckEntry(int32_t index) const {
    if (index < 0 || index >= getNbEntries()) return false;
    return checks[static_cast<std::size_t>(index)];
}

COptionMenu* COptionMenu::getSubMenu(int32_t index) const {
    if (index < 0 || index >= static_cast<int32_t>(submenus.size())) return nullptr;
    return submenus[static_cast<std::size_t>(index)];
}

std::vector<platform::MenuItem> COptionMenu::buildMenuItems() const {
    int32_t nextCommand = 0;
    return buildItems(nextCommand);
}

std::vector<platform::MenuItem> COptionMenu::buildItems(int32_t& nextCommand) const {
    using Kind = platform::MenuItem::Kind;
    const int32_t firstCommand = nextCommand;
    nextCommand += getNbEntries();
    const bool columns = getNbEntries() < kColumnLimit && itemsPerColumn > 0;
    std::vector<platform::MenuItem> items;
    std::size_t submenuIndex = 0;
    for (int32_t i = 0; i < getNbEntries(); ++i) {
        const std::string& entry = entries[static_cast<std::size_t>(i)];
        platform::MenuItem item;
        item.command = firstCommand + i;
        item.text = entry;
        if (isSeparator(entry)) {
            item.kind = Kind::Separator;
            item.text.clear();
        } else if (entry.rfind("-M", 0) == 0) {
            item.kind = Kind::Submenu;
            item.text = entry.substr(2);
            if (submenuIndex < submenus.size())
                item.submenu = submenus[submenuIndex++]->buildItems(nextCommand);
        } else if (entry.rfind("-G", 0) == 0) {
            item.kind = Kind::Greyed;
            item.text = entry.substr(2);
        } else if (isTitle(entry)) {
            item.kind = Kind::Disabled;
            item.text = entry.substr(2);
        }
        if (style & kMultipleCheckStyle)
            item.checked = checks[static_cast<std::size_t>(i)];
        else if (style & kCheckStyle)
            item.checked = i == currentIndex;
        item.startsColumn = columns && i > 0 && i % itemsPerColumn == 0;
        items.push_back(std::move(item));
    }
    return items;
}

COptionMenu* COptionMenu::menuForCommand(int32_t command, int32_t& index) {
    int32_t nextCommand = 0;
    return findCommand(command, nextCommand, index);
}

COptionMenu* COptionMenu::findCommand(int32_t command, int32_t& nextCommand, int32_t& index) {
    const int32_t firstCommand = nextCommand;
    nextCommand += getNbEntries();
    if (command >= firstCommand && command < nextCommand) {
        index = command - firstCommand;
        return this;
    }
    for (COptionMenu* submenu : submenus) {
        if (COptionMenu* owner = submenu->findCommand(command, nextCommand, index)) return owner;
    }
    return nullptr;
}

void COptionMenu::draw(CDrawContext* context) {
    if (!(style & kNoDrawStyle)) {
        std::string text;
        if (currentIndex >= 0) {
            const std::string& entry = entries[static_cast<std::size_t>(currentIndex)];
            const auto skipped = static_cast<std::size_t>(numberingStyle);
            text = entry.size() > skipped ? entry.substr(skipped) : std::string();
        }
        drawText(context, text, pBackground);
    }
    setDirty(false);
}

void COptionMenu::mouse(CDrawContext* context, CPoint& /*where*/, int32_t buttons) {
    if (!bMouseEnabled || pParentFrame == nullptr) return;
    if (buttons == -1) buttons = getMouseButtons();
    lastButton = buttons;
    if (listener != nullptr && (buttons & kModifierKeys) != 0 &&
        listener->controlModifierClicked(context, this, buttons) != 0)
        return;
    if (!(buttons & (kLButton | kRButton | kApple))) return;
    beginEdit();
    if (pressedBackground != nullptr && context != nullptr) {
        std::string text;
        if (currentIndex >= 0) text = entries[static_cast<std::size_t>(currentIndex)];
        drawText(context, text, pressedBackground);
    }
    takeFocus(context);
}

void COptionMenu::takeFocus(CDrawContext* context) {
    if (pParentFrame == nullptr) return;
    platform::PlatformWindow* window = pParentFrame->getPlatformWindow();
    int32_t command = -1;
    if (window != nullptr) {
        // The pop-up's corner, moved by every enclosing container's origin.
        CPoint corner(size.left, (style & kPopupStyle) ? size.top : size.bottom);
        for (CView* parent = pParentView; parent != nullptr && parent != pParentFrame;
             parent = parent->getParentView()) {
            if (parent->notify(this, "kMsgCheckIfViewContainer") == kMessageNotified)
                corner.offset(parent->getSize().left, parent->getSize().top);
        }
        command = window->popupMenu(buildMenuItems(), {corner.x, corner.y}, itemsPerColumn);
    }
    if (command >= 0) {
        int32_t index = -1;
        if (COptionMenu* owner = menuForCommand(command, index)) {
            owner->setValue(static_cast<float>(index));
            if (listener != nullptr) listener->valueChanged(context, owner);
        }
    }
    pParentFrame->setFocusView(nullptr);
    endEdit();
}

void COptionMenu::looseFocus(CDrawContext* /*context*/) {}

}  // namespace VSTGUI
