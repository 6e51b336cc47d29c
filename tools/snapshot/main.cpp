// calorvane-snapshot <output folder>
// Draws, with no X server, every editor bitmap through the toolkit (bitmap-<id>.png) and a
// test frame holding one of each control on the editor's background (controls.png).
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "effect/editor/anim_knob2.h"
#include "effect/editor/anim_knob3.h"
#include "effect/editor/counter.h"
#include "effect/editor/counter_glyphs.h"
#include "effect/editor/label2.h"
#include "effect/editor/movie_led.h"
#include "effect/editor/movie_meter.h"
#include "effect/editor/my_frame.h"
#include "effect/editor/my_lrud_button.h"
#include "effect/editor/my_on_off_button.h"
#include "effect/editor/my_vertical_switch.h"
#include "effect/editor/ps_on_off_button.h"
#include "effect/editor/ps_rocker_switch.h"
#include "effect/editor/save_load_button.h"
#include "resources/embedded_bitmap_table.h"
#include "widgets/bitmap.h"
#include "widgets/knob.h"
#include "widgets/option_menu.h"
#include "widgets/param_display.h"
#include "widgets/text_edit.h"
#include "widgets/vertical_switch.h"

using namespace VSTGUI;
namespace resources = calorvane::resources;

namespace {


bool writeFrame(CFrame& frame, const std::string& path) {
    const platform::Image picture = frame.drawToImage();
    if (!picture.writePng(path)) {
        std::fprintf(stderr, "calorvane-snapshot: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

// A control of `frames` equal frames placed at (left, top) with the bitmap's width.
CRect stripRect(CBitmap* bitmap, int left, int top, int frames) {
    return {left, top, left + bitmap->getWidth(),
            top + (frames > 0 ? bitmap->getHeight() / frames : 0)};
}

bool writeStrips(const std::string& folder, int& missing) {
    for (std::size_t i = 0; i < resources::kEmbeddedBitmapCount; ++i) {
        const int id = resources::kEmbeddedBitmaps[i].id;
        auto* bitmap = new CBitmap(id);
        if (!bitmap->isLoaded()) {
            ++missing;
            std::fprintf(stderr, "calorvane-snapshot: bitmap %d does not decode\n", id);
            bitmap->forget();
            continue;
        }
        CFrame frame(CRect(0, 0, bitmap->getWidth(), bitmap->getHeight()),
                     std::unique_ptr<platform::PlatformWindow>(), nullptr);
        frame.setBackground(bitmap);
        bitmap->forget();
        if (!writeFrame(frame, folder + "/bitmap-" + std::to_string(id) + ".png")) return false;
    }
    return true;
}

bool writeControls(const std::string& folder) {
    CMyFrame frame(CRect(0, 0, 450, 460), std::unique_ptr<platform::PlatformWindow>(), nullptr);
    auto* background = new CBitmap(19000);
    frame.setBackground(background);

    auto add = [&](CControl* control, float value) {
        control->setValue(value);
        frame.addView(control);
    };
    auto* knobStrip = new CBitmap(19008);
    add(new CAnimKnob2(stripRect(knobStrip, 46, 167, 101), nullptr, 5, 101, 50, knobStrip), 0.25f);
    auto* drive = new CBitmap(19009);
    add(new CAnimKnob3(CRect(122, 162, 235, 255), nullptr, 4, 101, 113, 93, drive), 0.7f);
    auto* meterStandard = new CBitmap(19003);
    auto* meterAlternate = new CBitmap(19004);
    add(new CMovieMeter(CRect(54, 40, 190, 110), nullptr, 25, 101, 70, meterStandard,
                        meterAlternate, CPoint(), 0),
        1.0f);
    add(new CMovieMeter(CRect(261, 40, 397, 110), nullptr, 25, 101, 70, meterStandard,
                        meterAlternate, CPoint(), 1),
        0.3f);
    auto* led = new CBitmap(19026);
    add(new CMovieLED(stripRect(led, 160, 109, 6), nullptr, 54, 6, 21, led, CPoint()), 1.0f);
    auto* glyphs = new CBitmap(19021);
    add(new CCounter(CRect(152, 281, 207, 297), nullptr, 50, -3.25f, UnitDecibel, 152, 281, 9, 17,
                     glyphs),
        -3.25f);
    auto* process = new CBitmap(19014);
    add(new CMyOnOffButton(stripRect(process, 42, 398, 2), nullptr, 0, process), 1.0f);
    auto* lever = new CBitmap(19016);
    add(new CMyLRUDButton(stripRect(lever, 326, 388, 4), nullptr, 57, lever), 0.33f);
    auto* meters = new CBitmap(19005);
    add(new CMyVerticalSwitch(stripRect(meters, 206, 28, 3), nullptr, 21, 3, 50, 3, meters), 0.5f);
    auto* rearKnob = new CBitmap(19032);
    add(new CAnimKnob(stripRect(rearKnob, 375, 320, 51), nullptr, 15, 51, 30, rearKnob), 0.8f);
    auto* knobMode = new CBitmap(19033);
    add(new CVerticalSwitch(stripRect(knobMode, 420, 320, 2), nullptr, 48, 2, 29, 2, knobMode),
        1.0f);
    add(new CLabel2(CRect(300, 45, 329, 55), "v2.3.1"), 0);

    auto* latency = new CParamDisplay(CRect(120, 428, 165, 438), background);
    latency->setBackOffset(CPoint(120, 428));
    latency->setFont(kNormalFontVerySmall);
    latency->setFontColor({40, 40, 40, 255});
    latency->setStringConvert([](float value, char* text) {
        std::snprintf(text, 256, "%.1f ms", static_cast<double>(value));
    });
    add(latency, 14.5f);

    auto* name = new CTextEdit(CRect(176, 444, 290, 458), nullptr, 59, "Current", background);
    name->setBackOffset(CPoint(176, 444));
    name->setFont(kNormalFontSmall);
    name->setFontColor({76, 76, 72, 255});
    frame.addView(name);
    auto* menu = new COptionMenu(CRect(293, 444, 303, 458), nullptr, 65, nullptr, nullptr, 5120);
    menu->addEntry("Current");
    frame.addView(menu);
    auto* rocker = new CBitmap(19997);
    auto* rockerSwitch =
        new CPSRockerSwitch(CRect(313, 444, 344, 458), nullptr, 60, 14, rocker, CPoint(), 1);
    rockerSwitch->setHover(true, 338, 450);
    add(rockerSwitch, 0);
    auto* saveBank = new CBitmap(19994);
    add(new CSaveLoadButton(CRect(20, 444, 32, 458), nullptr, 62, 14, saveBank, CPoint(),
                            kSaveBank),
        1.0f);
    auto* recallA = new CBitmap(19991);
    auto* memo = new CPSOnOffButton(CRect(374, 444, 386, 458), nullptr, 66, recallA);
    memo->setHighlight(true);
    frame.addView(memo);

    for (CBitmap* bitmap :
         {background, knobStrip, drive, meterStandard, meterAlternate, led, glyphs, process, lever,
          meters, rearKnob, knobMode, rocker, saveBank, recallA})
        bitmap->forget();
    return writeFrame(frame, folder + "/controls.png");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '\0') {
        std::fprintf(stderr, "usage: calorvane-snapshot <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "calorvane-snapshot: cannot create %s\n", folder.c_str());
        return 1;
    }
    int missing = 0;
    if (!writeStrips(folder, missing) || !writeControls(folder)) return 1;
    std::printf("calorvane-snapshot: wrote %zu bitmaps and controls.png to %s\n",
                resources::kEmbeddedBitmapCount - static_cast<std::size_t>(missing), folder.c_str());
    return missing == 0 ? 0 : 1;
}
