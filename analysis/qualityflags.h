#pragma once
// Quality flags of a measurement: short codes that warn about the data behind the
// JIP-test values. A flag informs; it never changes a value.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace corvane {

enum class QualityFlag : uint16_t {
    FmNotAboveF0 = 1u << 0,     // FM<=F0
    StepsOutOfOrder = 1u << 1,  // ORDER: not F0 <= Fj <= Fi <= Fm
    PeakAtLastSample = 1u << 2, // SAT: the pulse may not have saturated
    Overflow = 1u << 3,         // OVF: a sample at 65535
    FkBelowF0 = 1u << 4,        // FK<F0
    F0Deviates = 1u << 5,       // F0DEV: F20µs more than 10 % from the stored F0
    NegativeQn = 1u << 6,       // QN<0 (pulse-transient)
    NegativePhiPsii = 1u << 7,  // PHI<0 (pulse-transient)
    FmPAboveFm = 1u << 8,       // FMP>FM (pulse-transient)
    NoCurve = 1u << 9,          // NOCURVE: no continuation block behind the header
    Absent = 1u << 10,          // ABSENT: at least one value could not be computed
};

class QualityFlags
{
public:
    void raise(QualityFlag f) { m_bits = uint16_t(m_bits | uint16_t(f)); }
    bool has(QualityFlag f) const { return (m_bits & uint16_t(f)) != 0; }
    bool none() const { return m_bits == 0; }
    uint16_t bits() const { return m_bits; }
    bool operator==(const QualityFlags &) const = default;

private:
    uint16_t m_bits = 0;
};

struct QualityFlagInfo
{
    QualityFlag flag;
    std::string_view code;
    std::string_view meaning;
};

// Every flag in the order its code is written, with its one-line meaning.
std::span<const QualityFlagInfo> qualityFlagLegend();

// The codes of the raised flags joined by ';' in legend order; empty when none.
std::string qualityFlagCodes(QualityFlags flags);

} // namespace corvane
