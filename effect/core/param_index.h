// Every parameter index has one name. The classic build places some parameters at other
// indices; code says `Param::FineTune`, never a number.
#pragma once

namespace Param {

inline constexpr int Process = 0;
inline constexpr int Mode = 1;
inline constexpr int MonoStereo = 2;
inline constexpr int Link = 3;
inline constexpr int Drive = 4;
inline constexpr int Knee = 5;
inline constexpr int Speed = 6;
inline constexpr int Release = 7;
inline constexpr int HighAdjust = 8;
inline constexpr int LowAdjust = 9;
inline constexpr int HighFreq = 10;
inline constexpr int LowFreq = 11;
inline constexpr int Mix = 12;
inline constexpr int Ceiling = 13;
inline constexpr int Output = 14;
inline constexpr int LowSat = 15;
inline constexpr int MidSat = 16;
inline constexpr int HighSat = 17;
inline constexpr int LowRel = 18;
inline constexpr int MidRel = 19;
inline constexpr int HighRel = 20;
inline constexpr int Meters = 21;
inline constexpr int MeterType = 22;
inline constexpr int MeterDelay = 23;
inline constexpr int FineTune = 24;
inline constexpr int MeterScale = 25;
inline constexpr int FAT = 26;
inline constexpr int Long = 27;
inline constexpr int Auto = 28;
inline constexpr int Brickwall = 29;
inline constexpr int LR = 30;
inline constexpr int FirstSpare = 31;
inline constexpr int LastSpare = 42;
inline constexpr int VuIntegr = 43;
inline constexpr int VuRefer = 44;
inline constexpr int PpmIntegr = 45;
inline constexpr int PpmReturn = 46;
inline constexpr int OverIndic = 47;
inline constexpr int KnobMode = 48;
inline constexpr int StereoMode = 57;

// Host-visible parameters, and the ones a preset slot stores.
inline constexpr int HostCount = 42;
inline constexpr int PresetCount = 42;
// One past the highest index with a meaning.
inline constexpr int IndexCount = 58;

// Changes to these are written into every preset slot, so selecting a preset keeps them.
inline constexpr int Global[] = {Process, MonoStereo, Meters, MeterType, MeterDelay, MeterScale, FAT};

}  // namespace Param
