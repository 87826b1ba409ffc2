#pragma once
// One series of the chart as plain data: points with a colour each, and how they are
// drawn. The drawing routines fill these; the chart widget only displays them.
#include <cstdint>
#include <vector>

namespace corvane {

// Colours are integers with red in the lowest byte, green in the second, blue in the third.
struct ChartPoint
{
    double x = 0;
    double y = 0;
    uint32_t colour = 0;
};

enum class MarkerStyle : uint8_t { None, Cross, Circle };

struct ChartSeries
{
    std::vector<ChartPoint> points;
    MarkerStyle marker = MarkerStyle::None;
    int markerSize = 0;    // crosses 4, small circles 2: the layer turns it into pixels
    int lineWidth = 2;
    bool smoothed = false; // cubic Bézier through every third point
    bool dotted = false;
    bool active = true;

    void clear() { points.clear(); }
    // A pool series made ready for the next curve: empty, crosses of size 4.
    void resetAsPoolCurve()
    {
        clear();
        marker = MarkerStyle::Cross;
        markerSize = 4;
    }
    void add(double x, double y, uint32_t colour) { points.push_back({x, y, colour}); }
};

} // namespace corvane
