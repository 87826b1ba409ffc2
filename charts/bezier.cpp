#include "charts/bezier.h"

namespace corvane {

void appendBezierGroup(const QPointF *p, std::vector<QPointF> &out)
{
    for (int k = 0; k <= kBezierPieces; ++k) {
        const double t = double(k) / kBezierPieces;
        const double u = 1 - t;
        const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
        out.emplace_back(b0 * p[0].x() + b1 * p[1].x() + b2 * p[2].x() + b3 * p[3].x(),
                         b0 * p[0].y() + b1 * p[1].y() + b2 * p[2].y() + b3 * p[3].y());
    }
}

std::vector<QPointF> bezierPolyline(std::span<const QPointF> points)
{
    std::vector<QPointF> out;
    const int groups = bezierGroups(int(points.size()));
    if (groups == 0)
        return out;
    out.reserve(size_t(groups) * kBezierPieces + 1);
    for (int g = 0; g < groups; ++g) {
        if (g > 0)
            out.pop_back();  // the shared end point is already there
        appendBezierGroup(points.data() + 3 * g, out);
    }
    return out;
}

} // namespace corvane
