// Which frame of a film strip each control shows for its value: the drawing arithmetic of the
// editor's knobs, needle meters, over LEDs, switches and levers, free of any drawing code.
#pragma once

struct StripPoint {
    int x;
    int y;
};

// Film-strip knob: frame floor(value × (frames − 1)); frame 0 for a negative value.
int knobFrame(float value, int frameCount, int frameHeight, bool inverse = false);
// Grid knob: frames run down the first column, then the second; the source point of a value.
StripPoint gridKnobSource(float value, int frameCount, int frameWidth, int frameHeight, int bitmapHeight);

// Needle position 0..1 for a meter level; the alternate scale reaches further.
float meterPosition(float level, bool alternateScale);
// The frame for a level (negative levels read as 0, positions above 1 as 1).
int meterFrame(float level, bool alternateScale, int frameCount);

// Over LED: one redraw's decay of the last drawn value, latched at 0.4.
struct LedState {
    float value;      // the over flag as the editor wrote it, then the shown level
    float lastDrawn;  // the level shown at the previous redraw
};
// Advances one redraw; returns the frame to draw, or -1 for none (value 0).
int ledFrame(LedState& led, int frameCount);

// Two-frame toggle: frame 0 below 0.5, else frame 1.
int toggleFrame(float value);
// Four-position lever: 0 up, 0.33 left, 0.67 right, 1 down.
int leverFrame(float value);
// Vertical switch with `positions` positions (at most frame 2).
int verticalSwitchFrame(float value, int positions);
