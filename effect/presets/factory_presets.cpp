#include "effect/presets/factory_presets.h"

namespace {

// The columns that differ between slots; every other value is the same in all of them.
struct FactoryPreset {
    const char* name;
    double mode, link, drive, knee, speed, release, highAdjust, lowAdjust, highFreq, lowFreq,
        ceiling, output, lowRel, highRel;
};

constexpr FactoryPreset kFactoryPresets[kPresetSlotCount] = {
    {"Current", 0, 1, 0.5, 0, 1, 0.5, 0.5, 0.5, 1, 0.5, 0.5, 0.5, 0.5, 0.5},
    {"Default", 0, 1, 0.5, 0, 1, 0.5, 0.5, 0.5, 1, 0.5, 0.5, 0.5, 0.5, 0.5},
    {"Mastering First Aid", 1, 1, 0.535, 0, 1, 0.5, 0.54, 0.55, 1, 0.57, 0.5, 0.4984, 0.5, 0.5},
    {"Mix First Aid 1", 1, 1, 0.55, 0, 0.5, 0.5, 0.75, 0.75, 0.65, 0.65, 0.5, 0.4984, 0.5, 0.5},
    {"Mix First Aid 2", 1, 1, 0.5, 0.1, 0.5, 0.5, 0.65, 0.57, 0.7, 0.65, 0.5, 0.4984, 0.5, 0.5},
    {"Mix First Aid 3", 1, 1, 0.6, 0, 1, 0.5, 0.56, 0.57, 1, 0.57, 0.5, 0.4984, 0.5, 0.5},
    {"Mix First Aid 4", 1, 1, 0.58, 0, 0.65, 0.5, 0.71, 0.71, 0.65, 0.75, 0.5, 0.4984, 0.5, 0.5},
    {"Mix Extra Pressure", 1, 1, 0.6, 0.2, 0.6, 0.75, 0.5, 0.5, 0.5, 0.5, 0.48, 0.4984, 0.5, 0.5},
    {"Mix Finalize 1", 1, 1, 0.65, 0, 0.4, 0.75, 0.5, 0.5, 0.5, 0.5, 0.5, 0.4984, 0.75, 0.25},
    {"Mix Finalize 2", 1, 1, 0.6, 0.1, 0.25, 0.75, 0.5, 0.5, 0.5, 0.5, 0.5, 0.4984, 0.75, 0.25},
    {"Mix Finalize 3", 1, 1, 0.55, 0.2, 0, 1, 0.5, 0.5, 0.5, 0.5, 0.5, 0.4984, 0.75, 0.25},
    {"Mix liteDriven Tape", 1, 1, 0.5, 0.15, 0, 0, 0.485, 0.54, 1, 0.4, 0.5, 0.4984, 0.75, 0.25},
    {"Mix semiDriven Tape", 1, 1, 0.5, 0.25, 0, 0, 0.485, 0.54, 1, 0.4, 0.5, 0.4984, 0.75, 0.25},
    {"Mix heavyDriven Tape", 1, 1, 0.5, 0.4, 0, 0, 0.485, 0.54, 1, 0.4, 0.5, 0.4984, 0.75, 0.25},
    {"MultiBandLimiter Slow", 1, 1, 0.5, 0, 1, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.4984, 0.5, 0.5},
    {"MultiBandLimiter Fast", 1, 1, 0.5, 0, 0.65, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.4984, 0.5, 0.5},
    {"MultiBandCompLim Light", 1, 1, 0.5, 0.3, 1, 1, 0.5, 0.5, 0.5, 0.5, 0.5, 0.4984, 0.5, 0.5},
    {"MultiBandCompLim Med", 1, 1, 0.5, 0.5, 1, 1, 0.5, 0.5, 0.5, 0.5, 0.5, 0.4984, 0.5, 0.5},
    {"MultiBandCompLim Heavy", 1, 1, 0.5, 0.75, 1, 1, 0.5, 0.5, 0.5, 0.5, 0.5, 0.4984, 0.5, 0.5},
    {"Guitar Track", 0, 0, 0.8, 0.75, 0.472, 0.35, 0.75, 0.5, 0.3, 0.5, 0.3, 0.4984, 0.5, 0.5},
    {"Clean Guitar Track", 0, 0, 0.625, 0.155, 1, 0.31, 0.58, 0.35, 0.825, 0.575, 0.5, 0.4984, 0.5, 0.5},
    {"HeavyRythmGuitar Trk", 0, 0, 0.54, 0.18, 0.7, 1, 0.65, 0.35, 0.67, 0.5, 0.5, 0.4984, 0.5, 0.5},
    {"Lead Guitar 1 Track", 0, 0, 0.58, 0.09, 1, 0.31, 0.52, 0.35, 0.825, 0.575, 0.5, 0.4984, 0.5, 0.5},
    {"Lead Guitar 2 Track", 0, 0, 0.58, 0.09, 1, 0.22, 0.52, 0.475, 0.825, 0.575, 0.5, 0.4984, 0.5, 0.5},
    {"Vintage Guitar Trk", 0, 0, 0.75, 0.125, 0.145, 0.35, 0.25, 0.75, 0.75, 0.85, 0.375, 0.4984, 0.5, 0.5},
    {"Bass Line Track", 0, 0, 0.72, 0.45, 0.28, 0.45, 0.5, 0.665, 0.5, 0.6, 0.5, 0.4984, 0.5, 0.5},
    {"Funky Bass Drum Trk", 0, 0, 0.72, 0.082, 0.682, 0.82, 0.5, 0.665, 0.5, 0.5, 0.28, 0.4984, 0.5, 0.5},
    {"Snare Drum Track", 0, 0, 0.675, 0.3, 0, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.4984, 0.5, 0.5},
    {"Track Tape Slow", 0, 0, 0.5, 0.2, 0.25, 0.5, 0.42, 0.4, 0.8, 0.1, 0.5, 0.4984, 0.5, 0.5},
    {"Track Tape Normal", 0, 1, 0.5, 0.25, 0.5, 0.5, 0.42, 0.42, 0.9, 0.15, 0.5, 0.4984, 0.5, 0.5},
    {"Track Tape Fast", 0, 0, 0.5, 0.25, 0.75, 0.5, 0.45, 0.42, 1, 0.2, 0.5, 0.4984, 0.5, 0.5},
};

// Values shared by every slot; spare indices stay 0.
constexpr std::pair<int, double> kCommonValues[] = {
    {Param::Process, 1},    {Param::MonoStereo, 1}, {Param::Mix, 1},        {Param::LowSat, 0.5},
    {Param::MidSat, 0.5},   {Param::HighSat, 0.5},  {Param::MidRel, 0.5},   {Param::Meters, 0.5},
    {Param::MeterType, 0},  {Param::MeterDelay, 0}, {Param::FineTune, 1},   {Param::MeterScale, 0},
    {Param::FAT, 0},        {Param::Long, 0},       {Param::Auto, 0},       {Param::Brickwall, 1},
    {Param::LR, 0},
};

const FactoryPreset& presetAt(int slot) {
    return kFactoryPresets[slot >= 0 && slot < kPresetSlotCount ? slot : kDefaultPresetSlot];
}

}  // namespace

const char* factoryPresetName(int slot) { return presetAt(slot).name; }

std::array<float, Param::PresetCount> factoryPresetValues(int slot) {
    const FactoryPreset& preset = presetAt(slot);
    std::array<double, Param::PresetCount> values{};
    for (const auto& [index, value] : kCommonValues) values[index] = value;
    values[Param::Mode] = preset.mode;
    values[Param::Link] = preset.link;
    values[Param::Drive] = preset.drive;
    values[Param::Knee] = preset.knee;
    values[Param::Speed] = preset.speed;
    values[Param::Release] = preset.release;
    values[Param::HighAdjust] = preset.highAdjust;
    values[Param::LowAdjust] = preset.lowAdjust;
    values[Param::HighFreq] = preset.highFreq;
    values[Param::LowFreq] = preset.lowFreq;
    values[Param::Ceiling] = preset.ceiling;
    values[Param::Output] = preset.output;
    values[Param::LowRel] = preset.lowRel;
    values[Param::HighRel] = preset.highRel;

    std::array<float, Param::PresetCount> rounded{};
    for (int i = 0; i < Param::PresetCount; ++i) rounded[i] = static_cast<float>(values[i]);
    return rounded;
}
