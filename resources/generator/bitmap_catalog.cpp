#include "resources/generator/bitmap_catalog.h"

#include <iterator>
#include <string_view>
#include <utility>

#include "resources/generator/editor_layout.h"
#include "resources/generator/knob_art.h"
#include "resources/generator/meter_art.h"
#include "resources/generator/paint_kit.h"
#include "resources/generator/panel_art.h"
#include "resources/generator/preset_bar_art.h"
#include "resources/generator/readout_art.h"
#include "resources/generator/switch_art.h"

namespace calorvane::art {

namespace {

constexpr int kKnobFrames = 101;
constexpr int kRearKnobFrames = 51;
constexpr int kDriveRowsPerColumn = 10;
constexpr int kDriveColumns = 11;
constexpr int kMeterFrames = 101;
constexpr int kLedFrames = 6;
constexpr int kGlyphWidthPx = 9;
constexpr int kGlyphHeightPx = 17;
constexpr int kPresetButtonWidthPx = 12;
constexpr int kPresetFrameHeightPx = 14;
constexpr int kPresetArrowFrames = 4;
constexpr int kRockerWidthPx = 31;
constexpr int kRockerFrames = 5;

constexpr ScaleNumber kDriveNumbers[] = {
    {0.0, "-24"}, {0.25, "-12"}, {0.5, "0"}, {0.75, "+12"}, {1.0, "+24"},
};

constexpr std::string_view kMetersWords[] = {"PRE", "GR", "POST"};
constexpr std::string_view kMeterTypeWords[] = {"VU", "PPM"};
// Circular, linear: too narrow for words, the rear panel prints them beside the switch.
constexpr std::string_view kKnobModeWords[] = {"", ""};

// Paints frame `frame` of a vertical strip at `place`.
void pasteFrame(cairo_t* cr, cairo_surface_t* strip, int frame, const PixelRect& place) {
    const PixelRect source{0, frame * place.height(), place.width(), (frame + 1) * place.height()};
    copyRegion(cr, strip, source, place.left, place.top);
}

int frameFor(double value, int frames) { return static_cast<int>(value * (frames - 1)); }

}  // namespace

std::vector<RenderedBitmap> renderAllBitmaps() {
    std::vector<RenderedBitmap> bitmaps;
    const auto add = [&bitmaps](int id, SurfacePtr surface) {
        bitmaps.push_back(RenderedBitmap{id, std::move(surface)});
    };

    SurfacePtr front = renderFrontPanel(PanelVariant::Main);
    SurfacePtr classicFront = renderFrontPanel(PanelVariant::Classic);
    SurfacePtr rear = renderRearPanel();

    // Front strips carry the panel under their first place. The over LEDs overlap the meters'
    // bottom row, so the meters go onto the panel first.
    using namespace front;
    SurfacePtr meterStandard = renderMeterStrip(MeterScale::Standard, kMeterLeft.width(),
                                                kMeterLeft.height(), kMeterFrames);
    SurfacePtr meterAlternate = renderMeterStrip(MeterScale::Alternate, kMeterLeft.width(),
                                                 kMeterLeft.height(), kMeterFrames);
    for (cairo_surface_t* panel : {front.get(), classicFront.get()}) {
        ContextPtr cr = makeContext(panel);
        pasteFrame(cr.get(), meterStandard.get(), 2, kMeterLeft);
        pasteFrame(cr.get(), meterStandard.get(), 2, kMeterRight);
    }
    SurfacePtr meters = renderSlideSwitchStrip(front.get(), kMeters, kMetersWords);
    SurfacePtr meterType = renderSlideSwitchStrip(front.get(), kMeterType, kMeterTypeWords);
    SurfacePtr dynamicsKnob =
        renderKnobStrip(front.get(), kKnee, kKnobFrames, knob_looks::kDynamics);
    SurfacePtr driveKnob =
        renderGridKnob(front.get(), kDrive, kKnobFrames, kDriveRowsPerColumn, kDriveColumns,
                       knob_looks::kDrive, kDriveNumbers, std::size(kDriveNumbers));
    SurfacePtr highFreqKnob =
        renderKnobStrip(front.get(), kHighFreq, kKnobFrames, knob_looks::kFrequency);
    SurfacePtr lowFreqKnob =
        renderKnobStrip(front.get(), kLowFreq, kKnobFrames, knob_looks::kFrequency);
    SurfacePtr levelKnob =
        renderKnobStrip(front.get(), kHighAdjust, kKnobFrames, knob_looks::kLevel);
    SurfacePtr process =
        renderToggleStrip(front.get(), kProcess, ToggleLook{palette::kLampGreen, "", ""});
    SurfacePtr mode =
        renderToggleStrip(front.get(), kMode, ToggleLook{palette::kLampAmber, "SINGLE", "MULTI"});
    SurfacePtr lever = renderLeverStrip(front.get(), kStereoLever);
    SurfacePtr link =
        renderToggleStrip(front.get(), kLink, ToggleLook{palette::kLampAmber, "", ""});
    SurfacePtr glyphs = renderGlyphStrip(kGlyphWidthPx, kGlyphHeightPx);
    SurfacePtr releaseKnob =
        renderKnobStrip(front.get(), kRelease, kKnobFrames, knob_looks::kRelease);
    SurfacePtr led = renderLedStrip(front.get(), kLedLeft, kLedFrames);
    SurfacePtr fat = renderToggleStrip(front.get(), kFat, ToggleLook{palette::kLampAmber, "", ""});
    SurfacePtr longButton = renderRoundButtonStrip(front.get(), kLong, palette::kLampAmber);
    SurfacePtr autoButton = renderRoundButtonStrip(front.get(), kAuto, palette::kLampAmber);
    SurfacePtr brickwall = renderRoundButtonStrip(front.get(), kBrickwall, palette::kLampRed);
    SurfacePtr classicProcess =
        renderToggleStrip(classicFront.get(), kProcess, ToggleLook{palette::kLampRed, "", ""});
    SurfacePtr rearKnob =
        renderKnobStrip(rear.get(), rear::kLowSat.knob, kRearKnobFrames, knob_looks::kRear);
    SurfacePtr knobMode = renderSlideSwitchStrip(rear.get(), rear::kKnobMode, kKnobModeWords);

    SurfacePtr recallArrow =
        renderArrowStrip(palette::kArrowGreen, ArrowPointing::Up, kPresetButtonWidthPx,
                         kPresetFrameHeightPx, kPresetArrowFrames);
    SurfacePtr storeArrow =
        renderArrowStrip(palette::kArrowRed, ArrowPointing::Down, kPresetButtonWidthPx,
                         kPresetFrameHeightPx, kPresetArrowFrames);
    SurfacePtr rocker = renderRockerStrip(kRockerWidthPx, kPresetFrameHeightPx, kRockerFrames);

    // The backgrounds also show every control at its default, so the whole picture reads
    // right wherever a control is not drawn over it.
    const auto pasteFrontDefaults = [&](cairo_surface_t* panel, cairo_surface_t* processStrip,
                                        bool withFat) {
        ContextPtr cr = makeContext(panel);
        pasteFrame(cr.get(), meters.get(), 1, kMeters);
        pasteFrame(cr.get(), meterType.get(), 0, kMeterType);
        pasteFrame(cr.get(), dynamicsKnob.get(), frameFor(0.0, kKnobFrames), kKnee);
        pasteFrame(cr.get(), dynamicsKnob.get(), frameFor(1.0, kKnobFrames), kSpeed);
        pasteFrame(cr.get(), dynamicsKnob.get(), frameFor(1.0, kKnobFrames), kMix);
        const int driveFrame = frameFor(0.5, kKnobFrames);
        copyRegion(cr.get(), driveKnob.get(),
                   PixelRect{(driveFrame / kDriveRowsPerColumn) * kDrive.width(),
                             (driveFrame % kDriveRowsPerColumn) * kDrive.height(),
                             (driveFrame / kDriveRowsPerColumn + 1) * kDrive.width(),
                             (driveFrame % kDriveRowsPerColumn + 1) * kDrive.height()},
                   kDrive.left, kDrive.top);
        pasteFrame(cr.get(), highFreqKnob.get(), frameFor(1.0, kKnobFrames), kHighFreq);
        pasteFrame(cr.get(), lowFreqKnob.get(), frameFor(0.5, kKnobFrames), kLowFreq);
        for (const PixelRect& place : {kHighAdjust, kLowAdjust, kOutput, kCeiling}) {
            pasteFrame(cr.get(), levelKnob.get(), frameFor(0.5, kKnobFrames), place);
        }
        pasteFrame(cr.get(), releaseKnob.get(), frameFor(0.5, kKnobFrames), kRelease);
        pasteFrame(cr.get(), processStrip, 1, kProcess);
        pasteFrame(cr.get(), mode.get(), 0, kMode);
        pasteFrame(cr.get(), lever.get(), 3, kStereoLever);
        pasteFrame(cr.get(), link.get(), 1, kLink);
        if (withFat) pasteFrame(cr.get(), fat.get(), 0, kFat);
        pasteFrame(cr.get(), longButton.get(), 0, kLong);
        pasteFrame(cr.get(), autoButton.get(), 0, kAuto);
        pasteFrame(cr.get(), brickwall.get(), 1, kBrickwall);
        pasteFrame(cr.get(), led.get(), 0, kLedLeft);
        pasteFrame(cr.get(), led.get(), 0, kLedRight);
        // The read-out as it opens: +15.3 dB.
        constexpr int kOpeningGlyphs[] = {kGlyphPlus, 1, 5, kGlyphPoint, 3, kGlyphDecibel};
        for (int i = 0; i < 6; ++i) {
            const PixelRect place{kReadout.left + i * kGlyphWidthPx, kReadout.top,
                                  kReadout.left + (i + 1) * kGlyphWidthPx,
                                  kReadout.top + kGlyphHeightPx};
            pasteFrame(cr.get(), glyphs.get(), kOpeningGlyphs[i], place);
        }
        using namespace preset_bar;
        for (const PixelRect& place : {kLoadBank, kLoadPreset, kRecallA, kRecallB}) {
            pasteFrame(cr.get(), recallArrow.get(), 0, place);
        }
        for (const PixelRect& place : {kSaveBank, kSavePreset, kStoreA, kStoreB}) {
            pasteFrame(cr.get(), storeArrow.get(), 0, place);
        }
        pasteFrame(cr.get(), rocker.get(), 0, kRocker);
    };
    pasteFrontDefaults(front.get(), process.get(), true);
    pasteFrontDefaults(classicFront.get(), classicProcess.get(), false);
    {
        ContextPtr cr = makeContext(rear.get());
        constexpr std::pair<const rear::KnobPlace*, double> kRearDefaults[] = {
            {&rear::kLowSat, 0.5},    {&rear::kMidSat, 0.5},          {&rear::kHighSat, 0.5},
            {&rear::kLowRel, 0.5},    {&rear::kMidRel, 0.5},          {&rear::kHighRel, 0.5},
            {&rear::kVuIntegr, 0.5},  {&rear::kVuRefer, 0.4},         {&rear::kPpmIntegr, 0.5},
            {&rear::kPpmReturn, 0.5}, {&rear::kOverIndic, 2.0 / 9.0}, {&rear::kFineTune, 1.0},
        };
        for (const auto& [place, value] : kRearDefaults) {
            pasteFrame(cr.get(), rearKnob.get(), frameFor(value, kRearKnobFrames), place->knob);
        }
        pasteFrame(cr.get(), knobMode.get(), 0, rear::kKnobMode);
    }

    add(19000, std::move(front));
    add(19002, std::move(rear));
    add(19003, std::move(meterStandard));
    add(19004, std::move(meterAlternate));
    add(19005, std::move(meters));
    add(19006, std::move(meterType));
    add(19008, std::move(dynamicsKnob));
    add(19009, std::move(driveKnob));
    add(19010, std::move(highFreqKnob));
    add(19012, std::move(lowFreqKnob));
    add(19013, std::move(levelKnob));
    add(19014, std::move(process));
    add(19015, std::move(mode));
    add(19016, std::move(lever));
    add(19017, std::move(link));
    add(19018, renderNamePlate("Calorvane2", 130, 58));
    add(19019, renderNamePlate("Calorvane", 130, 58));
    add(19020, renderMakerBadge(88, 22));
    add(19021, std::move(glyphs));
    add(19024, std::move(releaseKnob));
    add(19026, std::move(led));
    add(19032, std::move(rearKnob));
    add(19033, std::move(knobMode));
    add(19034, std::move(fat));
    add(19035, std::move(longButton));
    add(19036, std::move(autoButton));
    add(19037, std::move(brickwall));
    add(19100, std::move(classicFront));
    add(19114, std::move(classicProcess));
    add(19991, renderArrowStrip(palette::kArrowGreen, ArrowPointing::Up, kPresetButtonWidthPx,
                                kPresetFrameHeightPx, kPresetArrowFrames));
    add(19992, renderArrowStrip(palette::kArrowGreen, ArrowPointing::Up, kPresetButtonWidthPx,
                                kPresetFrameHeightPx, kPresetArrowFrames));
    add(19993, renderArrowStrip(palette::kArrowGreen, ArrowPointing::Up, kPresetButtonWidthPx,
                                kPresetFrameHeightPx, kPresetArrowFrames));
    add(19994, renderArrowStrip(palette::kArrowRed, ArrowPointing::Down, kPresetButtonWidthPx,
                                kPresetFrameHeightPx, kPresetArrowFrames));
    add(19995, renderArrowStrip(palette::kArrowRed, ArrowPointing::Down, kPresetButtonWidthPx,
                                kPresetFrameHeightPx, kPresetArrowFrames));
    add(19996, renderArrowStrip(palette::kArrowRed, ArrowPointing::Down, kPresetButtonWidthPx,
                                kPresetFrameHeightPx, kPresetArrowFrames));
    add(19997, std::move(rocker));
    add(19998, renderArrowStrip(palette::kArrowGreen, ArrowPointing::Up, kPresetButtonWidthPx,
                                kPresetFrameHeightPx, kPresetArrowFrames));
    add(19999, renderArrowStrip(palette::kArrowRed, ArrowPointing::Down, kPresetButtonWidthPx,
                                kPresetFrameHeightPx, kPresetArrowFrames));
    return bitmaps;
}

}  // namespace calorvane::art
