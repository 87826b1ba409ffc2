#pragma once
// The pool's smoothing: points in groups 0–3, 3–6, …, each group one cubic Bézier
// from its first to its fourth point with the middle two as control points, drawn as
// 32 straight pieces. Points after the last complete group get no line.
#include <QPointF>

#include <span>
#include <vector>

namespace corvane {

inline constexpr int kBezierPieces = 32;

// Complete groups among n points (neighbouring groups share their end point).
constexpr int bezierGroups(int n)
{
    return n >= 4 ? (n - 1) / 3 : 0;
}

// Appends the kBezierPieces + 1 points of one group's curve (both ends included).
void appendBezierGroup(const QPointF *group, std::vector<QPointF> &out);

// The whole smoothed line through `points`: for g groups, g * 32 + 1 points (none
// for fewer than four points). The points must already be in the axis' own space
// (log10 of x on a logarithmic axis, or pixels), where the curve is meant to look smooth.
std::vector<QPointF> bezierPolyline(std::span<const QPointF> points);

} // namespace corvane
