#include "platform/test_window.h"

namespace platform {

TestWindow::TestWindow(int widthPx, int heightPx) : widthPx(widthPx), heightPx(heightPx) {}

void TestWindow::queuePointer(std::vector<PointerState> states) {
    script.assign(states.begin(), states.end());
}

PointerPosition TestWindow::mousePosition() {
    ++positionReads;
    if (!script.empty()) {
        current = script.front();
        script.pop_front();
    } else {
        current.buttons = 0;
    }
    return {current.x, current.y};
}

void TestWindow::injectMouseDown(int x, int y, int buttons) {
    events.push_back({Event::Kind::MouseDown, {x, y, buttons}, {}, {}});
}

void TestWindow::injectKey(KeyStroke key) { events.push_back({Event::Kind::Key, {}, key, {}}); }

void TestWindow::injectExpose(const Rect& area) {
    events.push_back({Event::Kind::Expose, {}, {}, area});
}

void TestWindow::injectFocusLoss() { events.push_back({Event::Kind::FocusLoss, {}, {}, {}}); }

void TestWindow::present(const Image& picture, const Rect& area) {
    ++presentCount;
    lastPresented = area;
    lastPicture = Image(picture.width(), picture.height());
    if (!lastPicture.empty()) {
        Painter painter(lastPicture);
        painter.drawImage(picture, 0, 0, {0, 0, picture.width(), picture.height()});
    }
}

void TestWindow::pumpEvents(WindowEvents& sink, bool exposeOnly) {
    std::deque<Event> kept;
    while (!events.empty()) {
        const Event event = events.front();
        events.pop_front();
        if (exposeOnly && event.kind != Event::Kind::Expose) {
            kept.push_back(event);
            continue;
        }
        switch (event.kind) {
            case Event::Kind::MouseDown:
                current = event.pointer;
                sink.windowMouseDown({event.pointer.x, event.pointer.y}, event.pointer.buttons);
                break;
            case Event::Kind::Key:
                sink.windowKeyDown(event.key);
                break;
            case Event::Kind::Expose:
                sink.windowExposed(event.area);
                break;
            case Event::Kind::FocusLoss:
                sink.windowFocusLost();
                break;
        }
    }
    for (auto& event : kept) events.push_back(event);
}

int TestWindow::popupMenu(const std::vector<MenuItem>& items, PointerPosition where,
                          int itemsPerColumn) {
    lastMenu = items;
    lastMenuOrigin = where;
    lastMenuItemsPerColumn = itemsPerColumn;
    const int choice = popupChoice;
    popupChoice = -1;
    return choice;
}

}  // namespace platform
