#pragma once
// The viewer's axis and draw modes, numbered as they always have been so that a
// mode read in a trace or a test means the same everywhere.
#include <cstdint>

namespace corvane {

// ReDrawAxis modes.
enum class AxisMode : uint8_t {
    ActinicOjip = 0,  // actinic-light OJIP curves of a post-steady-state record (log µs)
    Ojip = 1,         // OJIP curves (log µs)
    TimeCourse = 2,   // time course of a pulse-transient record (linear s)
};

// DrawOJIP modes.
enum class DrawMode : uint8_t {
    FirstCurve = 3,     // first curve (and a 10 s extension) into one series
    AllCurves = 4,      // every curve block, one pool series each
    ActinicCurves = 5,  // actinic-light curves of a post-steady-state record
};

} // namespace corvane
