#include "tools/render/parameter_values.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "effect/core/param_index.h"

namespace {

enum class Unit { Switch, Choice, Decibel, Percent, Hertz, Multiplier, FineTune, Normalized };

// How a parameter's value is written, and how it maps back to 0..1.
struct ParameterUnit {
    const char* name;
    int index;
    Unit unit;
    const char* words;  // switch and choice words, in order of their normalized values
    double minimum, maximum;
    double (*toNormalized)(double value, double fine);
};

double linear(double value, double low, double high) { return (value - low) / (high - low); }
double logOf(double ratio, double base) { return std::log(ratio) / std::log(base); }

constexpr ParameterUnit kUnits[] = {
    {"Process", Param::Process, Unit::Switch, "off|on", 0, 1, nullptr},
    {"Mode", Param::Mode, Unit::Switch, "single|multi", 0, 1, nullptr},
    {"Mono Stereo", Param::MonoStereo, Unit::Switch, "mono|stereo", 0, 1, nullptr},
    {"Link", Param::Link, Unit::Switch, "unlinked|linked", 0, 1, nullptr},
    {"Drive", Param::Drive, Unit::Decibel, nullptr, -24, 24,
     [](double v, double fine) { return (v / fine + 24) / 48; }},
    {"Knee", Param::Knee, Unit::Percent, nullptr, 0, 100, [](double v, double) { return v / 100; }},
    {"Speed", Param::Speed, Unit::Percent, nullptr, 0, 100, [](double v, double) { return v / 100; }},
    {"Release", Param::Release, Unit::Multiplier, nullptr, 0.25, 4,
     [](double v, double) { return logOf(v / 0.25, 16); }},
    {"HighAdjust", Param::HighAdjust, Unit::Decibel, nullptr, -12, 12,
     [](double v, double fine) { return (v / fine + 12) / 24; }},
    {"LowAdjust", Param::LowAdjust, Unit::Decibel, nullptr, -12, 12,
     [](double v, double fine) { return (v / fine + 12) / 24; }},
    {"HighFreq", Param::HighFreq, Unit::Hertz, nullptr, 1000, 16000,
     [](double v, double) { return logOf(v / 1000, 16); }},
    {"LowFreq", Param::LowFreq, Unit::Hertz, nullptr, 25, 400, [](double v, double) { return logOf(v / 25, 16); }},
    {"Mix", Param::Mix, Unit::Percent, nullptr, 0, 100, [](double v, double) { return v / 100; }},
    {"Ceiling", Param::Ceiling, Unit::Decibel, nullptr, -12, 12,
     [](double v, double fine) { return (v / std::sqrt(fine) + 12) / 24; }},
    {"Output", Param::Output, Unit::Decibel, nullptr, -12, 12,
     [](double v, double fine) { return (v / std::sqrt(fine) + 12) / 24; }},
    {"LowSat", Param::LowSat, Unit::Decibel, nullptr, -12, 12, [](double v, double) { return linear(v, -12, 12); }},
    {"MidSat", Param::MidSat, Unit::Decibel, nullptr, -12, 12, [](double v, double) { return linear(v, -12, 12); }},
    {"HighSat", Param::HighSat, Unit::Decibel, nullptr, -12, 12, [](double v, double) { return linear(v, -12, 12); }},
    {"LowRel", Param::LowRel, Unit::Multiplier, nullptr, 0.0625, 16,
     [](double v, double) { return logOf(v / 0.0625, 256); }},
    {"MidRel", Param::MidRel, Unit::Multiplier, nullptr, 0.0625, 16,
     [](double v, double) { return logOf(v / 0.0625, 256); }},
    {"HighRel", Param::HighRel, Unit::Multiplier, nullptr, 0.0625, 16,
     [](double v, double) { return logOf(v / 0.0625, 256); }},
    {"Meters", Param::Meters, Unit::Choice, "pre|gainred|post", 0, 2, nullptr},
    {"MeterType", Param::MeterType, Unit::Switch, "vu|ppm", 0, 1, nullptr},
    {"FineTune", Param::FineTune, Unit::FineTune, nullptr, 12.5, 100, nullptr},
    {"MeterScale", Param::MeterScale, Unit::Switch, "-20..+3|-40..+6", 0, 1, nullptr},
    {"FAT", Param::FAT, Unit::Switch, "off|on", 0, 1, nullptr},
    {"Long", Param::Long, Unit::Switch, "off|on", 0, 1, nullptr},
    {"Auto", Param::Auto, Unit::Switch, "off|on", 0, 1, nullptr},
    {"Brickwall", Param::Brickwall, Unit::Switch, "off|on", 0, 1, nullptr},
    {"L R", Param::LR, Unit::Choice, "both|l|r", 0, 2, nullptr},
    {"MeterDelay", Param::MeterDelay, Unit::Normalized, nullptr, 0, 1, nullptr},
};

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// The position of `word` in "a|b|c", or -1.
int wordPosition(const char* words, const std::string& word) {
    int position = 0;
    std::string current;
    for (const char* c = words;; ++c) {
        if (*c == '|' || *c == 0) {
            if (current == word) return position;
            ++position;
            current.clear();
            if (*c == 0) return -1;
        } else {
            current += *c;
        }
    }
}

const char* unitSuffix(Unit unit) {
    switch (unit) {
        case Unit::Decibel: return "db";
        case Unit::Percent: return "%";
        case Unit::Hertz: return "hz";
        case Unit::Multiplier: return "x";
        case Unit::FineTune: return "%";
        default: return "";
    }
}

// A number, with the unit's suffix allowed after it ("6dB", "100 Hz", "x1.5" or "1.5x").
std::optional<double> parseNumber(std::string text, Unit unit) {
    text = lower(trim(text));
    const std::string suffix = unitSuffix(unit);
    if (!suffix.empty() && text.size() > suffix.size() &&
        text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0)
        text = trim(text.substr(0, text.size() - suffix.size()));
    if (unit == Unit::Multiplier && !text.empty() && text[0] == 'x') text = text.substr(1);
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != 0 || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string describe(const ParameterUnit& unit) {
    char range[96];
    switch (unit.unit) {
        case Unit::Switch:
        case Unit::Choice:
            return std::string(unit.name) + ": " + unit.words + " (or 0..1)";
        case Unit::FineTune:
            return std::string(unit.name) + ": 13|25|50|100 %";
        case Unit::Normalized:
            return std::string(unit.name) + ": 0..1";
        case Unit::Decibel:
            std::snprintf(range, sizeof range, ": %g..%g dB", unit.minimum, unit.maximum);
            break;
        case Unit::Percent:
            std::snprintf(range, sizeof range, ": %g..%g %%", unit.minimum, unit.maximum);
            break;
        case Unit::Hertz:
            std::snprintf(range, sizeof range, ": %g..%g Hz", unit.minimum, unit.maximum);
            break;
        case Unit::Multiplier:
            std::snprintf(range, sizeof range, ": x%g..x%g", unit.minimum, unit.maximum);
            break;
    }
    return std::string(unit.name) + range;
}

// Case and blanks do not matter: "Mono Stereo", "monostereo" and "L R", "LR" all match.
std::string compact(const std::string& name) {
    std::string result;
    for (char c : name)
        if (!std::isspace(static_cast<unsigned char>(c))) result += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

const ParameterUnit* unitByName(const std::string& name) {
    const std::string wanted = compact(name);
    for (const ParameterUnit& unit : kUnits)
        if (compact(unit.name) == wanted) return &unit;
    return nullptr;
}

}  // namespace

int parameterIndexByName(const std::string& name) {
    const ParameterUnit* unit = unitByName(name);
    return unit != nullptr ? unit->index : -1;
}

bool hostNameMatches(int index, const std::string& hostName) {
    for (const ParameterUnit& unit : kUnits)
        if (unit.index == index) return unit.index == Param::MeterDelay || compact(unit.name) == compact(hostName);
    return true;
}

std::vector<std::string> acceptedParameters() {
    std::vector<std::string> lines;
    for (const ParameterUnit& unit : kUnits) lines.push_back(describe(unit));
    return lines;
}

std::optional<ParameterSetting> parseParameterSetting(const std::string& assignment, double fineScale,
                                                      std::string* error) {
    const auto equals = assignment.find('=');
    if (equals == std::string::npos) {
        *error = "--set takes NAME=VALUE, got \"" + assignment + "\"";
        return std::nullopt;
    }
    const std::string name = trim(assignment.substr(0, equals));
    const std::string valueText = trim(assignment.substr(equals + 1));
    const ParameterUnit* unit = unitByName(name);
    if (unit == nullptr) {
        *error = "unknown parameter \"" + name + "\"; accepted:";
        for (const std::string& line : acceptedParameters()) *error += "\n  " + line;
        return std::nullopt;
    }
    const auto refuse = [&] {
        *error = "bad value \"" + valueText + "\" for " + describe(*unit);
        return std::nullopt;
    };

    double normalized = 0;
    if (unit->unit == Unit::Switch || unit->unit == Unit::Choice) {
        const std::string word = lower(valueText);
        const int steps = unit->unit == Unit::Switch ? 1 : 2;
        int position = wordPosition(unit->words, word);
        if (position < 0 && unit->unit == Unit::Switch) {
            if (word == "on" || word == "true" || word == "yes") position = 1;
            if (word == "off" || word == "false" || word == "no") position = 0;
        }
        if (position >= 0) {
            normalized = static_cast<double>(position) / steps;
        } else {
            const auto number = parseNumber(valueText, Unit::Normalized);
            if (!number || *number < 0 || *number > 1) return refuse();
            normalized = *number;
        }
    } else if (unit->unit == Unit::FineTune) {
        const auto number = parseNumber(valueText, Unit::FineTune);
        if (!number) return refuse();
        // 12.5 shows as 13.
        const double factors[] = {12.5, 25, 50, 100};
        int step = -1;
        for (int i = 0; i < 4; ++i)
            if (std::fabs(*number - factors[i]) < 0.6) step = i;
        if (step < 0) return refuse();
        normalized = step / 3.0;
    } else {
        const auto number = parseNumber(valueText, unit->unit);
        if (!number) return refuse();
        if (unit->unit == Unit::Normalized) {
            normalized = *number;
        } else {
            const bool scaled = unit->index == Param::Drive || unit->index == Param::HighAdjust ||
                                unit->index == Param::LowAdjust;
            const bool rootScaled = unit->index == Param::Ceiling || unit->index == Param::Output;
            const double scale = scaled ? fineScale : rootScaled ? std::sqrt(fineScale) : 1;
            const double low = unit->minimum * scale;
            const double high = unit->maximum * scale;
            if (*number < low - 1e-9 || *number > high + 1e-9) {
                char range[128];
                std::snprintf(range, sizeof range, "%s: %s is outside %g..%g", unit->name, valueText.c_str(), low, high);
                *error = range;
                return std::nullopt;
            }
            normalized = unit->toNormalized(*number, fineScale);
        }
        if (normalized < -1e-9 || normalized > 1 + 1e-9) return refuse();
    }
    normalized = std::fmin(1.0, std::fmax(0.0, normalized));
    return ParameterSetting{unit->index, static_cast<float>(normalized), name + "=" + valueText};
}
