#include "ui/proportionallayout.h"

#include <gtest/gtest.h>

using namespace kesto;

namespace {

struct RuleCase
{
    const char *name;
    LayoutRule rule;
    LayoutGeometry recorded;
    LayoutGeometry expected;
};

// The window made 1000 twips wider and 500 twips higher than designed.
const RuleCase ruleCases[] = {
    {"the list and its frame grow both ways",
     LayoutRule::GrowBoth,
     {120, 570, 9000, 3300},
     {120, 570, 10000, 3800}},
    {"the option area and the status bar move down and widen",
     LayoutRule::MoveDownGrowWidth,
     {90, 4260, 10800, 3090},
     {90, 4760, 11800, 3090}},
    {"bar, mask field and tab strip only widen",
     LayoutRule::GrowWidth,
     {150, 360, 10440, 180},
     {150, 360, 11440, 180}},
    {"the areas at the right move right",
     LayoutRule::MoveRight,
     {10680, 330, 2340, 3660},
     {11680, 330, 2340, 3660}},
    {"a growing list column takes a quarter",
     LayoutRule::ListColumn,
     {2250, 0, 2250, 0},
     {2250, 0, 2500, 0}},
};

TEST(ProportionalLayout, EachRuleMovesOrGrowsByTheWindowsGrowth)
{
    const LayoutGrowth growth = ComputeGrowth({0, 0, 13290, 8220}, 14290, 8720);
    EXPECT_EQ(growth, (LayoutGrowth{1000, 500, false, false}));
    for (const RuleCase &c : ruleCases)
        EXPECT_EQ(ApplyLayoutRule(c.rule, c.recorded, growth), c.expected) << c.name;
}

TEST(ProportionalLayout, AWindowNarrowerThanDesignedGoesBackAndNothingMoves)
{
    const LayoutGrowth growth = ComputeGrowth({0, 0, 13290, 8220}, 12000, 9220);
    EXPECT_EQ(growth, (LayoutGrowth{0, 1000, true, false}));
    for (const RuleCase &c : ruleCases) {
        const LayoutGeometry g = ApplyLayoutRule(c.rule, c.recorded, growth);
        EXPECT_EQ(g.left, c.recorded.left) << c.name;
        EXPECT_EQ(g.width, c.recorded.width) << c.name;
    }
    EXPECT_EQ(ComputeGrowth({0, 0, 13290, 8220}, 13290, 8000), (LayoutGrowth{0, 0, false, true}));
}

TEST(ProportionalLayout, RepeatedResizesStartFromTheRecordedValues)
{
    const LayoutGeometry recorded{120, 570, 9000, 3300};
    LayoutGeometry g = recorded;
    for (double w : {14290.0, 15290.0, 14290.0})
        g = ApplyLayoutRule(LayoutRule::GrowBoth, recorded,
                            ComputeGrowth({0, 0, 13290, 8220}, w, 8220));
    EXPECT_EQ(g, (LayoutGeometry{120, 570, 10000, 3300}));
}

} // namespace
