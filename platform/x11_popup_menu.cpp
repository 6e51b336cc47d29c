// The pop-up menu of the X11 window: an override-redirect window with a pointer grab, laid out
// in columns, that returns the chosen command. Submenus are shown but cannot be opened.
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <cairo-xlib.h>
#include <cairo.h>

#include <algorithm>

#include "platform/clock.h"
#include "platform/x11_window.h"

namespace platform {

namespace {

constexpr int kRowHeightPx = 18;
constexpr int kSeparatorHeightPx = 7;
constexpr int kCheckColumnPx = 18;
constexpr int kRightMarginPx = 12;
// A release this soon after opening ends the opening click, not a choice.
constexpr std::uint32_t kOpeningClickMs = 300;
const FontStyle kMenuFont{13, false, false, false, false};

struct PlacedItem {
    const MenuItem* item;
    Rect box;
};

bool selectable(const MenuItem& item) {
    return item.kind == MenuItem::Kind::Normal && item.command >= 0;
}

std::vector<PlacedItem> layOut(const std::vector<MenuItem>& items, int& widthPx, int& heightPx) {
    Image scratch(1, 1);
    Painter measure(scratch);
    std::vector<PlacedItem> placed;
    int columnLeft = 0;
    int columnWidth = 60;
    int y = 0;
    heightPx = 0;
    std::size_t columnStart = 0;
    auto closeColumn = [&] {
        for (std::size_t i = columnStart; i < placed.size(); ++i)
            placed[i].box.right = columnLeft + columnWidth;
        columnLeft += columnWidth;
        columnWidth = 60;
        columnStart = placed.size();
    };
    for (const MenuItem& item : items) {
        if (item.startsColumn && !placed.empty()) {
            closeColumn();
            y = 0;
        }
        const int rowHeight =
            item.kind == MenuItem::Kind::Separator ? kSeparatorHeightPx : kRowHeightPx;
        const int textWidth = static_cast<int>(measure.textWidth(item.text, kMenuFont));
        columnWidth = std::max(columnWidth, kCheckColumnPx + textWidth + kRightMarginPx + 10);
        placed.push_back({&item, {columnLeft, y, columnLeft, y + rowHeight}});
        y += rowHeight;
        heightPx = std::max(heightPx, y);
    }
    closeColumn();
    widthPx = std::max(columnLeft, 1);
    heightPx = std::max(heightPx, 1);
    return placed;
}

void paintMenu(Image& picture, const std::vector<PlacedItem>& placed, int hovered) {
    Painter painter(picture);
    const Rgba face{240, 240, 240, 255};
    const Rgba ink{20, 20, 20, 255};
    const Rgba grey{150, 150, 150, 255};
    painter.fillRect({0, 0, picture.width(), picture.height()}, face);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const MenuItem& item = *placed[i].item;
        const Rect& box = placed[i].box;
        if (item.kind == MenuItem::Kind::Separator) {
            const double y = box.top + box.height() / 2 + 0.5;
            painter.line(box.left + 4, y, box.right - 4, y, grey, 1);
            continue;
        }
        const bool lit = static_cast<int>(i) == hovered && selectable(item);
        if (lit) painter.fillRect(box, {50, 100, 190, 255});
        const Rgba colour = lit ? Rgba{255, 255, 255, 255} : selectable(item) ? ink : grey;
        if (item.checked) {
            const double x = box.left + 5;
            const double y = box.top + box.height() / 2.0;
            painter.line(x, y, x + 3, y + 4, colour, 2);
            painter.line(x + 3, y + 4, x + 9, y - 4, colour, 2);
        }
        const std::string text =
            item.kind == MenuItem::Kind::Submenu ? item.text + "  >" : item.text;
        painter.drawText(text, {box.left + kCheckColumnPx, box.top, box.right - 4, box.bottom},
                         kMenuFont, colour, TextAlign::Left);
    }
    painter.strokeRect({0, 0, picture.width(), picture.height()}, grey, 1);
}

int itemAt(const std::vector<PlacedItem>& placed, int x, int y) {
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const Rect& box = placed[i].box;
        if (x >= box.left && x < box.right && y >= box.top && y < box.bottom)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

int X11Window::popupMenu(const std::vector<MenuItem>& items, PointerPosition where,
                         int /*itemsPerColumn*/) {
    if (window == 0 || items.empty()) return -1;
    Display* d = display.get();
    int widthPx = 0;
    int heightPx = 0;
    const std::vector<PlacedItem> placed = layOut(items, widthPx, heightPx);

    const int screen = DefaultScreen(d);
    const PointerPosition origin = screenOrigin();
    const int screenWidth = DisplayWidth(d, screen);
    const int screenHeight = DisplayHeight(d, screen);
    const int x = std::clamp(origin.x + where.x, 0, std::max(0, screenWidth - widthPx));
    const int y = std::clamp(origin.y + where.y, 0, std::max(0, screenHeight - heightPx));

    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.event_mask =
        ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask;
    const Window popup =
        XCreateWindow(d, RootWindow(d, screen), x, y, static_cast<unsigned>(widthPx),
                      static_cast<unsigned>(heightPx), 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWOverrideRedirect | CWEventMask, &attributes);
    XMapRaised(d, popup);
    XSync(d, False);
    // Without the pointer no click outside could ever close the menu, and the host would hang
    // in this loop: another client holding the pointer means no menu this time.
    if (XGrabPointer(d, popup, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                     GrabModeAsync, GrabModeAsync, None, None, CurrentTime) != GrabSuccess) {
        XDestroyWindow(d, popup);
        XSync(d, False);
        return -1;
    }
    XGrabKeyboard(d, popup, False, GrabModeAsync, GrabModeAsync, CurrentTime);

    SurfaceHandle surface(
        cairo_xlib_surface_create(d, popup, DefaultVisual(d, screen), widthPx, heightPx));
    Image picture(widthPx, heightPx);
    int hovered = -1;
    auto show = [&] {
        paintMenu(picture, placed, hovered);
        cairo_t* cr = cairo_create(surface.get());
        cairo_set_source_surface(cr, picture.handle(), 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_flush(surface.get());
        XFlush(d);
    };

    const std::uint32_t openedAt = monotonicMilliseconds();
    int chosen = -1;
    bool done = false;
    // Events of the editor's own window wait until the menu is gone.
    std::vector<XEvent> deferred;
    while (!done) {
        XEvent event;
        XNextEvent(d, &event);
        if (event.xany.window != popup) {
            if (event.xany.window == window) deferred.push_back(event);
            continue;
        }
        switch (event.type) {
            case Expose:
                show();
                break;
            case MotionNotify: {
                const int now = itemAt(placed, event.xmotion.x, event.xmotion.y);
                if (now != hovered) {
                    hovered = now;
                    show();
                }
                break;
            }
            case ButtonPress: {
                const XButtonEvent& e = event.xbutton;
                if (e.x < 0 || e.y < 0 || e.x >= widthPx || e.y >= heightPx) done = true;
                break;
            }
            case ButtonRelease: {
                const XButtonEvent& e = event.xbutton;
                const int index = itemAt(placed, e.x, e.y);
                if (index >= 0 && selectable(*placed[static_cast<std::size_t>(index)].item)) {
                    chosen = placed[static_cast<std::size_t>(index)].item->command;
                    done = true;
                } else if (index < 0 && monotonicMilliseconds() - openedAt > kOpeningClickMs) {
                    done = true;
                }
                break;
            }
            case KeyPress: {
                const KeySym sym = XLookupKeysym(&event.xkey, 0);
                if (sym == XK_Escape) done = true;
                if ((sym == XK_Return || sym == XK_KP_Enter) && hovered >= 0 &&
                    selectable(*placed[static_cast<std::size_t>(hovered)].item)) {
                    chosen = placed[static_cast<std::size_t>(hovered)].item->command;
                    done = true;
                }
                break;
            }
            default:
                break;
        }
    }
    for (auto event = deferred.rbegin(); event != deferred.rend(); ++event)
        XPutBackEvent(d, &*event);
    XUngrabKeyboard(d, CurrentTime);
    XUngrabPointer(d, CurrentTime);
    surface.reset();
    XDestroyWindow(d, popup);
    XSync(d, False);
    return chosen;
}

}  // namespace platform
