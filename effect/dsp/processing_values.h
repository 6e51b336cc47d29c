// Values the parameter model derives from the normalized parameters and the kernels read.
// Written on any thread by setParameter, read once per sub-block by the audio thread.
#pragma once

#include <array>

enum Band { LowBand = 0, MidBand = 1, HighBand = 2, BandCount = 3 };

struct ProcessingValues {
    // Switches, 0 or 1.
    int processOn = 1;
    int multiband = 0;
    int linked = 1;
    int oversample = 0;  // FAT, always 0 above 100000 Hz
    int longRelease = 0;
    int autoRelease = 0;
    int brickwall = 1;

    double mode = 0;          // normalized Mode
    float monoStereo = 1;     // normalized Mono Stereo: stereo above 0.5
    float leftRight = 0;      // normalized L R: < 0.333 both, < 0.66 left, else right
    float meterType = 0;      // normalized MeterType: PPM from 0.5
    int meterSource = 1;      // 0 Pre, 1 GainRed, 2 Post
    double overCount = 6;     // samples at full scale that make an over, 1..10

    double speed = 1;         // normalized Speed
    double release = 0.5;     // normalized Release

    double driveGain = 1;
    double lowAdjustGain = 1;
    double highAdjustGain = 1;
    double lowCutoffHz = 50;
    double highCutoffHz = 16000;
    double ceilingGain = 1;
    double outputGain = 1;
    double mixAmount = 1;
    double releaseFactor = 1;
    std::array<double, BandCount> bandSat{1, 1, 1};
    std::array<double, BandCount> bandSatInverse{1, 1, 1};
    std::array<double, BandCount> bandRel{1, 1, 1};
    double kneeAmount = 0;
    int kneeType = 0;
    double kneeScale = 1;        // inverseCurve(1 / ceilingGain)
    double smallSignalGain = 1;
    double fineTuneScale = 1;

    // Meter ballistics from the global settings.
    double vuIntegrationMs = 300;
    double vuReference = 0.2475;
    double vuReferenceInverse = 1 / 0.2475;
    double ppmIntegrationMs = 9.05;
    double ppmReturnMs = 1000;
    float ppmTimeRatio = 9.05f / 1000;  // integration / return
};
