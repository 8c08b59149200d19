#include "core/columnplot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using tavelo::DrawColumns;
using tavelo::HarmonicParams;
using tavelo::NumericFault;
using tavelo::PlotEnd;

struct Call {
    bool isPSet;
    float x;
    float y;
};

class RecordingSurface : public tavelo::PlotCanvas {
public:
    void firstPoint(float x, float y) override { calls.push_back({true, x, y}); }
    void nextPoint(const tavelo::PlotColumn& column) override { calls.push_back({false, column.x, column.y}); }
    void endOfPlot() override { ++ends; }

    std::vector<Call> calls;
    int ends = 0;
};

// The design's start values: one term, A(1) = 1, Fi(1) = 0, P = 2, Amax = 1.
HarmonicParams startValues(bool sinBasis)
{
    return {1, {0, 1}, {0, 0}, 2, 1, sinBasis};
}

constexpr double kW = 657;
constexpr double kHs = 337;

TEST(DrawColumns, DrawsEveryColumnOfTheStartValues)
{
    for (bool sinBasis : {false, true}) {
        RecordingSurface surface;
        const auto outcome = DrawColumns(startValues(sinBasis), kW, kHs, surface, nullptr);
        EXPECT_EQ(outcome.end, PlotEnd::Completed);
        EXPECT_EQ(outcome.column, kW);
        ASSERT_EQ(surface.calls.size(), 658u);
        EXPECT_TRUE(surface.calls[0].isPSet);
        EXPECT_EQ(surface.calls[0].x, 0.0f);
        EXPECT_EQ(surface.calls[0].y, sinBasis ? 168.5f : 0.0f);
        for (std::size_t i = 1; i < surface.calls.size(); ++i) {
            ASSERT_FALSE(surface.calls[i].isPSet);
            ASSERT_EQ(surface.calls[i].x, static_cast<float>(i));
            ASSERT_GE(surface.calls[i].y, 0.0f);
            ASSERT_LE(surface.calls[i].y, static_cast<float>(kHs));
        }
        if (sinBasis) {
            EXPECT_LT(surface.calls[1].y, surface.calls[0].y); // rises towards the top
        }
        // A hair less than two periods: the last column is just short of the start.
        EXPECT_EQ(surface.calls.back().y,
                  static_cast<float>(tavelo::ColumnY(sinBasis ? std::sin(6.283 * kW * 2 / kW) : std::cos(6.283 * kW * 2 / kW), kHs, 1)));
    }
}

TEST(DrawColumns, ColumnsRunToTheLastWholeOneWithinTheWidth)
{
    struct Row {
        double W;
        std::size_t lines;
        int yields;
    };
    for (const Row row : {Row{652.5, 652, 32}, Row{1, 1, 0}, Row{0.5, 0, 0}, Row{0, 0, 0}, Row{-4, 0, 0}, Row{19, 19, 0}}) {
        RecordingSurface surface;
        int yields = 0;
        const auto outcome = DrawColumns(startValues(false), row.W, kHs, surface, [&](double) {
            ++yields;
            return true;
        });
        EXPECT_EQ(outcome.end, PlotEnd::Completed) << row.W;
        EXPECT_EQ(surface.calls.size(), row.lines + 1) << row.W;
        EXPECT_EQ(yields, row.yields) << row.W;
    }
}

TEST(DrawColumns, YieldsAtEveryTwentiethColumn)
{
    RecordingSurface surface;
    std::vector<double> yieldedAt;
    std::vector<std::size_t> drawnBefore;
    DrawColumns(startValues(false), kW, kHs, surface, [&](double column) {
        yieldedAt.push_back(column);
        drawnBefore.push_back(surface.calls.size());
        return true;
    });
    ASSERT_EQ(yieldedAt.size(), 32u); // 20, 40, ..., 640
    for (std::size_t k = 0; k < yieldedAt.size(); ++k) {
        EXPECT_EQ(yieldedAt[k], 20.0 * static_cast<double>(k + 1));
        EXPECT_EQ(drawnBefore[k], 20 * (k + 1)); // the first point and columns up to 20k - 1
    }
}

TEST(DrawColumns, CancelSeenAtTheNextTwentiethColumn)
{
    // A click while column 47 is computed is processed at the yield of column 60.
    struct ClickingSurface : RecordingSurface {
        bool cancelClicked = false;
        void nextPoint(const tavelo::PlotColumn& column) override
        {
            RecordingSurface::nextPoint(column);
            if (column.x == 47.0f)
                cancelClicked = true;
        }
    } surface;
    const auto outcome = DrawColumns(startValues(true), kW, kHs, surface, [&](double) { return !surface.cancelClicked; });
    EXPECT_EQ(outcome.end, PlotEnd::Cancelled);
    EXPECT_EQ(outcome.column, 60);
    ASSERT_EQ(surface.calls.size(), 60u); // the first point and columns 1..59
    EXPECT_EQ(surface.calls.back().x, 59.0f);
    EXPECT_EQ(surface.ends, 1);
}

TEST(DrawColumns, NumericFaultsStopWithNothingMoreDrawn)
{
    struct Row {
        const char* name;
        HarmonicParams params;
        double column;
        NumericFault fault;
        std::size_t drawn;
    };
    const Row rows[] = {
        {"amplitudes overflow", {2, {0, 1e308, 1e308}, {0, 0, 0}, 2, 1, false}, 0, NumericFault::Sum, 0},
        {"periods overflow the time term", {1, {0, 1}, {0, 0}, 1e308, 1, false}, 1, NumericFault::TimeTerm, 1},
        {"periods overflow later", {1, {0, 1}, {0, 0}, 1e306, 1, false}, 29, NumericFault::TimeTerm, 29},
        {"phase overflows", {1, {0, 1}, {0, 1e308}, 2, 1, false}, 0, NumericFault::Angle, 0},
        {"coordinate overflows", {1, {0, 1e308}, {0, 0}, 2, 1, false}, 0, NumericFault::Coordinate, 0},
        {"zero Amax", {1, {0, 1}, {0, 0}, 2, 0, false}, 0, NumericFault::Coordinate, 0},
    };
    for (const Row& row : rows) {
        RecordingSurface surface;
        const auto outcome = DrawColumns(row.params, kW, kHs, surface, [](double) { return true; });
        EXPECT_EQ(outcome.end, PlotEnd::NumericFault) << row.name;
        EXPECT_EQ(outcome.column, row.column) << row.name;
        EXPECT_EQ(outcome.fault, row.fault) << row.name;
        EXPECT_EQ(surface.calls.size(), row.drawn) << row.name;
        EXPECT_EQ(surface.ends, 1) << row.name;
    }
}

TEST(DrawColumns, ReportsTheRangeOfTheSumOverThePointsDrawn)
{
    struct Row {
        const char* name;
        HarmonicParams params;
        double cancelAt; // 0: never
        int drawn;
    };
    const Row rows[] = {
        {"completed", startValues(false), 0, 658},
        {"cancelled at 60", {2, {0, 1, 0.5}, {0, 0, 0.25}, 2, 2, true}, 60, 60},
        {"fault at column 29", {1, {0, 1}, {0, 0}, 1e306, 1, false}, 0, 29},
        {"fault at the first point", {2, {0, 1e308, 1e308}, {0, 0, 0}, 2, 1, false}, 0, 0},
    };
    for (const Row& row : rows) {
        RecordingSurface surface;
        const auto outcome = DrawColumns(row.params, kW, kHs, surface, [&](double x) { return x != row.cancelAt; });
        ASSERT_EQ(outcome.drawnPoints, row.drawn) << row.name;
        double lowest = 0;
        double highest = 0;
        for (int x = 0; x < row.drawn; ++x) {
            const double f = *tavelo::SeriesValue(row.params, x, kW);
            lowest = x == 0 ? f : std::min(lowest, f);
            highest = x == 0 ? f : std::max(highest, f);
        }
        EXPECT_EQ(outcome.lowest, lowest) << row.name;
        EXPECT_EQ(outcome.highest, highest) << row.name;
    }
    // Cosine start values: the first point is the top of the curve.
    RecordingSurface surface;
    EXPECT_EQ(DrawColumns(startValues(false), kW, kHs, surface, nullptr).highest, 1.0);
}

TEST(DrawColumns, CoordinatesBeyondSinglePrecisionAreHandedOnAsInfinite)
{
    RecordingSurface surface;
    const HarmonicParams params{1, {0, 1e300}, {0, 0}, 2, 1, false};
    const auto outcome = DrawColumns(params, 3, kHs, surface, nullptr);
    EXPECT_EQ(outcome.end, PlotEnd::Completed);
    ASSERT_EQ(surface.calls.size(), 4u);
    EXPECT_TRUE(std::isinf(surface.calls[0].y));
}

} // namespace
