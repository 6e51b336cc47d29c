#include "effect/editor/counter_glyphs.h"

#include <cmath>

namespace {

// Rounds half away from zero at `decimals` places, where a remainder of 0.49999 counts as half.
double roundAt(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    double scaled = value * scale;
    const double whole = std::trunc(scaled);
    const double fraction = scaled - whole;
    scaled = whole;
    if (fraction >= 0.49999) scaled += 1;
    if (fraction <= -0.49999) scaled -= 1;
    return scaled / scale;
}

// A value that is not a number, or infinite, has no digits: they read as 0.
int digit(double magnitude, double place) {
    const double d = std::fmod(std::trunc(magnitude / place + 1e-9), 10.0);
    return std::isfinite(d) ? static_cast<int>(d) : 0;
}

// Hundreds, tens and units with leading zeros blanked, as the read-out writes numbers.
void writeThreeDigits(double magnitude, CounterGlyphs& g) {
    const int hundreds = digit(magnitude, 100);
    const int tens = digit(magnitude, 10);
    g[0] = hundreds == 0 ? GlyphBlank : hundreds;
    g[1] = (g[0] == GlyphBlank && tens == 0) ? GlyphBlank : tens;
    g[2] = digit(magnitude, 1);
}

}  // namespace

CounterGlyphs counterGlyphs(float value, int unit) {
    CounterGlyphs g;
    g.fill(GlyphBlank);
    const double v = value;
    switch (unit) {
        case UnitNone:
            return g;
        case UnitDecibel: {
            const double c = roundAt(v, 2);
            const double magnitude = std::fabs(c);
            g[0] = c > 0.01 ? GlyphPlus : c < -0.01 ? GlyphMinus : GlyphBlank;
            if (magnitude >= 10) {
                const int tens = digit(magnitude, 10);
                g[1] = tens == 0 || magnitude >= 100 ? GlyphBlank : tens;
                g[2] = digit(magnitude, 1);
                g[3] = GlyphPoint;
                g[4] = digit(std::fabs(v), 0.1);  // from the unrounded value
            } else {
                g[1] = digit(magnitude, 1);
                g[2] = GlyphPoint;
                g[3] = digit(magnitude, 0.1);
                g[4] = digit(magnitude, 0.01);
            }
            g[5] = GlyphDecibel;
            return g;
        }
        case UnitHertz: {
            if (v < 1000) {
                const double c = std::fabs(roundAt(v, 1));
                writeThreeDigits(c, g);
                if (c >= 1000) g[2] = 0;
                g[3] = GlyphPoint;
                g[4] = digit(c, 0.1);
            } else {
                const double c = std::fabs(roundAt(v, -1));
                const int tenThousands = digit(c, 10000);
                g[0] = tenThousands == 0 ? GlyphBlank : tenThousands;
                g[1] = digit(c, 1000);
                g[2] = GlyphKilo;
                g[3] = digit(c, 100);
                g[4] = digit(c, 10);
            }
            g[5] = GlyphHertz;
            return g;
        }
        case UnitPercent: {
            const double c = std::fabs(roundAt(v, 1));
            writeThreeDigits(c, g);
            g[3] = GlyphPoint;
            g[4] = digit(c, 0.1);
            g[5] = GlyphPercent;
            return g;
        }
        default: {
            const double c = std::fabs(roundAt(v, 2));
            writeThreeDigits(c, g);
            g[3] = GlyphPoint;
            g[4] = digit(c, 0.1);
            g[5] = digit(c, 0.01);
            return g;
        }
    }
}
