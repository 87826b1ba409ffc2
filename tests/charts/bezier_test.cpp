#include "charts/bezier.h"
#include "charts/plotmapping.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace corvane;

namespace {
std::vector<QPointF> pointsOnAxis(int n)
{
    std::vector<QPointF> p;
    for (int i = 0; i < n; ++i)
        p.emplace_back(i, (i * 37) % 11);
    return p;
}
} // namespace

TEST(Bezier, GroupsOfFourSharingEndsWithThirtyTwoPiecesEach)
{
    // 118 points: curve block only; 158: with 40 extension samples; 208: the full 10 s.
    struct Case { int points; int groups; int lastOnLine; } cases[] = {
        {118, 39, 117}, {158, 52, 156}, {208, 69, 207}, {4, 1, 3}, {3, 0, -1}, {1, 0, -1},
    };
    for (const Case &c : cases) {
        const std::vector<QPointF> pts = pointsOnAxis(c.points);
        const std::vector<QPointF> line = bezierPolyline(pts);
        EXPECT_EQ(bezierGroups(c.points), c.groups) << c.points;
        EXPECT_EQ(int(line.size()), c.groups == 0 ? 0 : c.groups * kBezierPieces + 1) << c.points;
        // The line passes through every third point and ends at the last complete group.
        for (int g = 0; g <= c.groups && c.groups > 0; ++g) {
            EXPECT_EQ(line[size_t(g * kBezierPieces)], pts[size_t(3 * g)]) << c.points << " group " << g;
        }
        if (c.lastOnLine >= 0) {
            EXPECT_EQ(line.back(), pts[size_t(c.lastOnLine)]);
        }
    }
}

TEST(Bezier, MiddleTwoPointsAreControlPoints)
{
    const QPointF p[4] = {{0, 0}, {1, 8}, {2, -8}, {3, 0}};
    std::vector<QPointF> out;
    appendBezierGroup(p, out);
    ASSERT_EQ(out.size(), size_t(kBezierPieces + 1));
    // B(1/2) = (p0 + 3 p1 + 3 p2 + p3) / 8; a curve through the points would cross y = 8.
    EXPECT_DOUBLE_EQ(out[16].x(), 1.5);
    EXPECT_DOUBLE_EQ(out[16].y(), 0.0);
    const QPointF quarter = out[8];
    EXPECT_DOUBLE_EQ(quarter.y(), 3 * 0.75 * 0.75 * 0.25 * 8 - 3 * 0.75 * 0.25 * 0.25 * 8);
}

TEST(Bezier, SmoothingOnScreenEqualsSmoothingInLogTime)
{
    // The mapping is affine in log10(x), so a curve computed from mapped points is the
    // mapped curve computed in axis space.
    const AxisSetup axes;  // logarithmic 10 .. 10 000 000, 0 .. 2000
    const PlotMapping m(QRectF(50, 20, 600, 400), axes);
    EXPECT_EQ(m.map(10, 0), QPointF(50, 420));
    EXPECT_EQ(m.map(10000000, 2000), QPointF(650, 20));
    EXPECT_NEAR(m.map(10000, 1000).x(), 350, 1e-9);

    const double xs[4] = {100, 200, 300, 400}, ys[4] = {400, 900, 1200, 1300};
    QPointF onScreen[4], inLog[4];
    for (int i = 0; i < 4; ++i) {
        onScreen[i] = m.map(xs[i], ys[i]);
        inLog[i] = QPointF(std::log10(xs[i]), ys[i]);
    }
    std::vector<QPointF> a, b;
    appendBezierGroup(onScreen, a);
    appendBezierGroup(inLog, b);
    for (size_t k = 0; k < a.size(); ++k) {
        const QPointF back = m.map(std::pow(10.0, b[k].x()), b[k].y());
        EXPECT_NEAR(a[k].x(), back.x(), 1e-9);
        EXPECT_NEAR(a[k].y(), back.y(), 1e-9);
    }
}
