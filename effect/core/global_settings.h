// The six installation-wide settings (meter ballistics, VU reference, over count, knob mode),
// kept in the settings store under one key shared by both effect builds.
// Not real-time safe: file I/O. Used only by construction and destruction.
#pragma once

inline constexpr const char* kSettingsKey = "SOFTWARE\\Kytheral\\Calorvane20";

struct GlobalSetting {
    int index;              // parameter index of the setting
    const char* valueName;  // value name in the store
};

// In the order destruction writes them.
extern const GlobalSetting kGlobalSettingsWriteOrder[6];

// The stored normalized value, or 0.5 when the key or the value is missing, unreadable, not
// four bytes, or not a finite number in [0, 1] — the same as on a machine that never ran us.
float readGlobalSetting(int index);
// Writes four little-endian float bytes; failures are silent.
void writeGlobalSetting(int index, float value);
