// One preset slot: a name of at most 24 characters and the 42 normalized preset values.
#pragma once

#include <array>

#include "effect/core/param_index.h"

class CProgram {
public:
    static constexpr int kNameLength = 24;

    CProgram();
    virtual ~CProgram() = default;

    // Clears the name, then keeps the first 24 characters of `text`.
    virtual void setName(const char* text);
    // Copies the name and its terminating zero (at most 25 bytes).
    virtual void getName(char* buffer) const;
    // Ignored outside 0..41; the value is stored clamped to [0, 1] (non-finite as 0).
    virtual void setParameter(int index, float value);
    // The stored value, or -1 outside 0..41.
    virtual float getParameter(int index) const;

    const char* name() const { return nameBytes.data(); }

private:
    std::array<char, kNameLength + 1> nameBytes{};
    std::array<float, Param::PresetCount> values{};
};
