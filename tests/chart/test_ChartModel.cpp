// The chart's content rules: points, append, null points, Y range, cursor and zoom.

#include "chart/ChartModel.h"

#include <gtest/gtest.h>

using namespace orvel;

namespace {

constexpr float kNull = -99999.0f;

ChartData pageOf(int n)
{
    ChartData d;
    d.setPoints(n);
    d.maxPointsToGraph = n;
    d.pointsToGraph = n;
    for (int i = 0; i < n; ++i) {
        d.setValue(i, static_cast<float>(i));
        d.setLabel(i, QString::number(i));
    }
    d.scaleControl = gManualMinAndMax;
    d.manualMinY = -100.0;
    d.manualMaxY = 100.0;
    return d;
}

ChartModel modelOf(const ChartData &d)
{
    ChartModel m;
    m.setData(d);
    return m;
}

} // namespace

TEST(ChartData, AppendJoinsAtTheRightAndDropsTheFirst)
{
    ChartData d = pageOf(5);
    d.appendPoint(42.5f, "  9:05:03.4  ");
    ASSERT_EQ(d.points(), 5);
    EXPECT_EQ(d.values, (QList<float>{1, 2, 3, 4, 42.5f}));
    EXPECT_EQ(d.labels, (QStringList{"1", "2", "3", "4", "  9:05:03.4  "}));

    // An empty page fills from the right, one reading at a time.
    ChartData empty;
    empty.setPoints(3);
    empty.appendPoint(7.0f, "a");
    EXPECT_TRUE(empty.isNull(0));
    EXPECT_TRUE(empty.isNull(1));
    EXPECT_FLOAT_EQ(empty.value(2), 7.0f);

    ChartData none;
    none.appendPoint(1.0f, "x");
    EXPECT_EQ(none.points(), 0);
}

TEST(ChartData, NewPointsAreNullAndStrayIndexesAreIgnored)
{
    ChartData d;
    d.setPoints(3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(d.isNull(i));
    d.setValue(3, 1.0f);
    d.setValue(-1, 1.0f);
    d.setLabel(99, "x");
    EXPECT_EQ(d.points(), 3);
    EXPECT_TRUE(d.label(99).isEmpty());
    d.setPoints(-5);
    EXPECT_EQ(d.points(), 0);
    d.setPoints(kMaxChartPoints + 1);
    EXPECT_EQ(d.points(), kMaxChartPoints);
}

TEST(ChartModel, PointsToGraphPicksTheFirstOrLastPoints)
{
    ChartData d = pageOf(10);
    d.pointsToGraph = 4;
    d.pointsToGraphInit = gLast;
    ChartModel m = modelOf(d);
    EXPECT_EQ(m.baseFirst(), 6);
    EXPECT_EQ(m.baseLast(), 9);
    d.pointsToGraphInit = gFirst;
    m.setData(d);
    EXPECT_EQ(m.baseFirst(), 0);
    EXPECT_EQ(m.baseLast(), 3);
    d.maxPointsToGraph = 2;
    m.setData(d);
    EXPECT_EQ(m.baseLast(), 1);
    m.setData(ChartData{});
    EXPECT_FALSE(m.hasPointsShown());
}

TEST(ChartModel, ManualAndAutomaticYRange)
{
    ChartData d = pageOf(4);
    d.manualMinY = 6.65;
    d.manualMaxY = -2.66; // reversed by mistake: still drawable
    EXPECT_EQ(modelOf(d).yRange(), (ValueRange{-2.66, 6.65}));

    d.scaleControl = gNormal;
    d.setValue(0, kNull);
    d.setValue(1, 0.3f);
    d.setValue(2, 9.7f);
    d.setValue(3, kNull);
    EXPECT_EQ(modelOf(d).yRange(), (ValueRange{0.0, 10.0})); // the nulls do not count

    for (int i = 0; i < 4; ++i)
        d.setValue(i, kNull);
    EXPECT_EQ(modelOf(d).yRange(), (ValueRange{-1.0, 1.0}));
}

TEST(Cursor, StaysWithinThePointsAndMovesWithinTheView)
{
    ChartModel m = modelOf(pageOf(200));
    EXPECT_FALSE(m.setCursorPoint(0));
    EXPECT_TRUE(m.setCursorPoint(500));
    EXPECT_EQ(m.cursorPoint(), 199);
    EXPECT_FALSE(m.moveCursor(1));
    EXPECT_TRUE(m.moveCursor(-1));
    EXPECT_EQ(m.cursorPoint(), 198);
    EXPECT_TRUE(m.cursorToFirstShown());
    EXPECT_EQ(m.cursorPoint(), 0);
    m.setCursorPoint(-3);
    EXPECT_EQ(m.cursorPoint(), 0);

    // Fewer points: the cursor comes back within them.
    m.setCursorPoint(150);
    m.setData(pageOf(100));
    EXPECT_EQ(m.cursorPoint(), 99);
}

TEST(Zoom, CursorKeepsItsPointAndPixelsFollowTheZoomedView)
{
    ChartModel m = modelOf(pageOf(200));
    m.setCursorPoint(120);
    ASSERT_TRUE(m.zoomIn({100, 150, std::nullopt}));
    EXPECT_EQ(m.firstShown(), 100);
    EXPECT_EQ(m.lastShown(), 150);
    EXPECT_EQ(m.cursorPoint(), 120);

    const IndexAxis x(m.firstShown(), m.lastShown(), 0.0, 500.0); // 10 px per point now
    EXPECT_DOUBLE_EQ(x.spacing(), 10.0);
    EXPECT_EQ(x.nearestIndex(0.0), 100);
    EXPECT_EQ(x.nearestIndex(254.0), 125);
    // A second zoom keeps the first one's points as its frame.
    const auto w =
        m.zoomForSelection(QRectF(QPointF(95, 0), QPointF(205, 10)), x, ValueAxis(m.yRange(), 0, 100), gHorzZooming, 4);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->first, 110);
    EXPECT_EQ(w->last, 120);

    ASSERT_TRUE(m.zoomIn({110, 130, ValueRange{-10.0, 10.0}}));
    EXPECT_EQ(m.zoomDepth(), 2);
    EXPECT_EQ(m.yRange(), (ValueRange{-10.0, 10.0}));
    EXPECT_EQ(m.cursorPoint(), 120);

    // Keys keep the cursor within the zoomed view.
    EXPECT_TRUE(m.cursorToLastShown());
    EXPECT_EQ(m.cursorPoint(), 130);
    EXPECT_FALSE(m.moveCursor(5));

    m.undoZoom();
    EXPECT_FALSE(m.isZoomed());
    EXPECT_EQ(m.firstShown(), 0);
    EXPECT_EQ(m.lastShown(), 199);
    EXPECT_EQ(m.yRange(), (ValueRange{-100.0, 100.0}));
    EXPECT_EQ(m.cursorPoint(), 130);
}

TEST(Zoom, RefusesWindowsWithoutTwoPointsOrWithoutChange)
{
    ChartModel m = modelOf(pageOf(200));
    EXPECT_FALSE(m.zoomIn({50, 50, std::nullopt}));
    EXPECT_FALSE(m.zoomIn({0, 199, std::nullopt}));         // the view already shown
    EXPECT_FALSE(m.zoomIn({10, 20, ValueRange{5.0, 5.0}})); // empty Y range
    EXPECT_TRUE(m.zoomIn({-50, 20, std::nullopt}));         // clamped to the points
    EXPECT_EQ(m.firstShown(), 0);
    EXPECT_FALSE(m.zoomIn({0, 20, std::nullopt})); // the same again
}

TEST(Zoom, SelectionInPixelsBecomesPointsAndValues)
{
    ChartModel m = modelOf(pageOf(201));     // points 0..200
    const IndexAxis x(0, 200, 100.0, 400.0); // 2 px per point
    const ValueAxis y({-100.0, 100.0}, 0.0, 200.0);

    // 50.5 .. 100.2 in points: the points inside are 51..100; 50 .. −50 in value.
    auto w = m.zoomForSelection(QRectF(QPointF(201.0, 50.0), QPointF(300.4, 150.0)), x, y, gHorzPlusVertZooming, 4);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->first, 51);
    EXPECT_EQ(w->last, 100);
    ASSERT_TRUE(w->y);
    EXPECT_DOUBLE_EQ(w->y->max, 50.0);
    EXPECT_DOUBLE_EQ(w->y->min, -50.0);

    // A flat rectangle zooms only horizontally; a narrow one only vertically.
    w = m.zoomForSelection(QRectF(200, 50, 100, 2), x, y, gHorzPlusVertZooming, 4);
    ASSERT_TRUE(w);
    EXPECT_FALSE(w->y);
    w = m.zoomForSelection(QRectF(200, 50, 2, 100), x, y, gHorzPlusVertZooming, 4);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->first, 0);
    EXPECT_EQ(w->last, 200);
    EXPECT_TRUE(w->y);

    // Horizontal zooming ignores the height; no zooming ignores everything.
    w = m.zoomForSelection(QRectF(200, 50, 100, 100), x, y, gHorzZooming, 4);
    ASSERT_TRUE(w);
    EXPECT_FALSE(w->y);
    EXPECT_FALSE(m.zoomForSelection(QRectF(200, 50, 100, 100), x, y, gNoZooming, 4));

    // Between two neighbours: both of them.
    w = m.zoomForSelection(QRectF(QPointF(200.5, 0), QPointF(201.5, 200)), x, y, gHorzZooming, 0.5);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->first, 50);
    EXPECT_EQ(w->last, 51);
}

TEST(Zoom, NewContentKeepsAFittingZoom)
{
    ChartModel m = modelOf(pageOf(200));
    ASSERT_TRUE(m.zoomIn({150, 190, std::nullopt}));
    ChartData next = pageOf(200);
    next.appendPoint(3.0f, "new"); // a live reading
    m.setData(next);
    EXPECT_EQ(m.firstShown(), 150);
    EXPECT_EQ(m.lastShown(), 190);
    m.setData(pageOf(170)); // fewer points: the window is cut back
    EXPECT_EQ(m.lastShown(), 169);
    m.setData(pageOf(100)); // no longer inside: dropped
    EXPECT_FALSE(m.isZoomed());
}
