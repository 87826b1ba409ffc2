#pragma once
// Colours given to ticked lines: an unseeded generator, so every run hands out the
// same sequence, reduced below 0xFFFFFF so that no line is ever drawn in white.
#include <cstdint>

namespace corvane {

inline constexpr uint32_t kTickColourSeed = 1;

// Park-Miller minimal standard generator: its low bits are as good as its high
// ones, which matters because the red byte is the lowest.
inline uint32_t nextTickColour(uint32_t &state)
{
    state = uint32_t(uint64_t(state) * 48271u % 2147483647u);
    return state % 0xFFFFFFu;
}

} // namespace corvane
