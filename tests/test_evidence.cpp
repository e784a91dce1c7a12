// Automatic picks, candidate evidence and the review order.
#include "reduction/autopicks.h"
#include "reduction/evidence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace reduction;

namespace {

bool Contains(const std::array<PixelPoint, 5>& picks, double x, double y) {
    return std::any_of(picks.begin(), picks.end(),
                       [&](const PixelPoint& p) { return p.x == x && p.y == y; });
}

} // namespace

TEST(Evidence, NearestSourceIsStrictlyWithinTheRadius) {
    const std::vector<ImageSource> sources{{10, 10, 5}, {13, 10, 4}, {100, 100, 3}, {-50, 7, 1}};
    const SourceIndex index(sources, 5);
    EXPECT_EQ(index.nearest(11, 10, 5), 0);
    EXPECT_EQ(index.nearest(12, 10, 5), 1);
    EXPECT_EQ(index.nearest(105, 100, 5), -1); // exactly 5 away
    EXPECT_EQ(index.nearest(104.9, 100, 5), 2);
    EXPECT_EQ(index.nearest(-48, 9, 5), 0 + 3); // negative coordinates are cells too
    EXPECT_EQ(index.nearest(1e12, 0, 5), -1);
    EXPECT_EQ(index.nearest(std::nan(""), 0, 5), -1);
    // A radius larger than the cells still finds it.
    EXPECT_EQ(index.nearest(30, 10, 18), 1);
}

TEST(Evidence, CountsCatalogueStarsLandingOnSources) {
    // Scales 1 and the model X = R, Y = D: scaled coordinates are pixels.
    PlateSolution plate{1, 1, {1, 0, 0, 0, 1, 0}};
    std::vector<double> ra{0, 10, 50, 90, 130}, dec{0, 10, 50, 90, 130};
    const std::vector<ImageSource> sources{{11, 12, 1}, {50, 45.5, 1}, {130, 130, 1}};
    const SourceIndex index(sources, kEvidenceRadius);
    EXPECT_EQ(CandidateEvidence(plate, ra, dec, 3, index), 2); // rows 1 and 2 within 5 px
    EXPECT_EQ(CandidateEvidence(plate, ra, dec, 3, index, 4.5), 1);
    EXPECT_EQ(CandidateEvidence(plate, ra, dec, 99, index), 3); // n cut to the table
    PlateSolution singular{1, 1, {1, 2, 0, 2, 4, 0}};
    EXPECT_EQ(CandidateEvidence(singular, ra, dec, 4, index), 0);

    // Only the brightest sources count.
    std::vector<ImageSource> many(500);
    EXPECT_EQ(EvidenceSources(many).size(), static_cast<size_t>(kEvidenceSources));
    EXPECT_EQ(EvidenceSources(std::span(many).first(7)).size(), 7u);
}

TEST(Evidence, RankKeepsTheSearchOrderForTies) {
    const std::vector<int> evidence{3, 9, 3, 0, 9, 4};
    EXPECT_EQ(RankByEvidence(evidence), (std::vector<int>{1, 4, 5, 0, 2, 3}));
    EXPECT_TRUE(RankByEvidence(std::vector<int>{}).empty());
}

TEST(AutoPicks, ChoosesBrightIsolatedWellSpreadStars) {
    const int w = 1000, h = 800;
    std::vector<ImageSource> sources{
        {500, 400, 1000, true},                // the brightest, but saturated
        {300, 300, 900},                       // a close pair: neither is isolated
        {305, 303, 800},        {5, 400, 700}, // at the edge
        {100, 100, 600},        {900, 100, 590}, {100, 700, 580}, {900, 700, 570},
        {500, 250, 560},        {500, 560, 550}, {600, 150, 100}, {150, 420, 90},
    };
    // A faint neighbour does not spoil a star's isolation.
    sources.push_back({104, 104, 50});
    const auto picks = autopicks::Choose(sources, w, h);
    ASSERT_TRUE(picks);
    EXPECT_FALSE(Contains(*picks, 500, 400));
    EXPECT_FALSE(Contains(*picks, 300, 300));
    EXPECT_FALSE(Contains(*picks, 305, 303));
    EXPECT_FALSE(Contains(*picks, 5, 400));
    // The four corners spread best.
    for (const auto& [x, y] : {std::pair{100, 100}, {900, 100}, {100, 700}, {900, 700}})
        EXPECT_TRUE(Contains(*picks, x, y)) << x << "," << y;
    // No three on one line, and picks 1..3 make the largest triangle (three corners).
    for (int a = 0; a < 5; ++a)
        for (int b = a + 1; b < 5; ++b)
            for (int c = b + 1; c < 5; ++c)
                EXPECT_FALSE(autopicks::NearlyCollinear((*picks)[a], (*picks)[b], (*picks)[c]));
    EXPECT_TRUE(Contains(*picks, 500, 250)); // the fifth, farthest from the corners
    for (int k = 0; k < 3; ++k)
        EXPECT_NE((*picks)[k].x, 500);
}

TEST(AutoPicks, AvoidsLinesAndNeedsFiveStars) {
    // Six stars on one line and two off it: no five without three in a line.
    std::vector<ImageSource> line;
    for (int i = 0; i < 6; ++i)
        line.push_back({100.0 + 150 * i, 400, 100.0 - i});
    line.push_back({400, 100, 50});
    EXPECT_FALSE(autopicks::Choose(line, 1000, 800));
    line.push_back({700, 700, 40});
    EXPECT_FALSE(autopicks::Choose(line, 1000, 800));
    // With three off the line: those three and two of the line.
    line.push_back({150, 650, 30});
    const auto picks = autopicks::Choose(line, 1000, 800);
    ASSERT_TRUE(picks);
    EXPECT_EQ(
        std::count_if(picks->begin(), picks->end(), [](const PixelPoint& p) { return p.y == 400; }),
        2);

    EXPECT_FALSE(
        autopicks::Choose(std::vector<ImageSource>(4, ImageSource{500, 400, 1}), 1000, 800));
    // Saturated stars serve when nothing else does.
    const std::vector<ImageSource> saturated{{100, 100, 9, true},
                                             {900, 100, 8, true},
                                             {100, 700, 7, true},
                                             {900, 700, 6, true},
                                             {500, 250, 5, true}};
    EXPECT_TRUE(autopicks::Choose(saturated, 1000, 800));
}
