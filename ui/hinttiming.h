#pragma once
// Process-wide hint (tooltip) timing: how long the mouse must rest before a hint
// shows, how long it stays, and how fast hints switch while one is showing.
namespace corvane {

struct HintTiming
{
    int pauseMs = 700;
    int hidePauseMs = 10000;
    int shortPauseMs = 20;
};

// Installs the timing for every widget of the application.
void setHintTiming(const HintTiming &timing);
HintTiming hintTiming();

} // namespace corvane
