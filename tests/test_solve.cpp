// The one-click solve on the session: stars found once per image, automatic
// picks stored like clicks, evidence, the refined plate in use and its table.
#include "catalogues/usnoa2.h"
#include "field/overlay.h"
#include "field/solve.h"
#include "testing.h"

#include <QImage>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;

namespace {

struct SampleSession {
    SessionState s;
    MarkerStore marks;
    PixelImage image;
    SampleSession() {
        image = PixelImageFromPicture(QImage(testing_support::sampleFile("image.png")));
        s.Plate.corrAsd = 833.27;
        s.Plate.corrDec = 1575.63;
        s.Catalogue.stars =
            ReadUsnoA2File(testing_support::sampleFile("data"), 833.27, 1575.63, s.Stars).stars;
    }
};

} // namespace

TEST(Solve, AutomaticPicksToRefinedPlateOnTheSample) {
    SampleSession f;
    SessionState& s = f.s;
    EnsureSources(s, f.image, QStringLiteral("image-1"));
    ASSERT_GT(s.Sources.size(), 100u);
    // Found once per image: the same stamp keeps the list.
    s.Sources.resize(50);
    EnsureSources(s, f.image, QStringLiteral("image-1"));
    EXPECT_EQ(s.Sources.size(), 50u);
    EnsureSources(s, f.image, QStringLiteral("image-2"));
    EXPECT_GT(s.Sources.size(), 100u);

    s.PickCount = 3; // a selection under way is replaced
    ASSERT_TRUE(StoreAutoPicks(s, f.marks.clicpic, f.image.width, f.image.height));
    EXPECT_EQ(s.PickCount, 5);
    EXPECT_FLOAT_EQ(f.marks.clicpic.left[5], static_cast<float>(s.ImageStarX[5] - 8));

    // The candidate with the most evidence is the true one; accept it.
    matching::DistanceTables tables;
    tables.build(s.ImageStarX, s.ImageStarY, s.Stars.ra, s.Stars.dec, s.Stars.inUse);
    const auto found = matching::FindCandidates(tables, 20.5);
    const std::vector<int> evidence = CandidateEvidenceList(s, found.candidates);
    ASSERT_EQ(evidence.size(), found.candidates.size());
    const int best = RankByEvidence(evidence).front();
    s.Plate.a = *matching::CandidateModel(s.ImageStarX, s.ImageStarY, s.Stars.ra, s.Stars.dec,
                                          found.candidates[best]);
    s.MatchFound = true;
    EXPECT_EQ(PlateInUseText(s, nullptr), "Plate in use: three-star model");

    const RefineResult r = RefineSessionPlate(s, f.image.width, f.image.height);
    ASSERT_TRUE(s.RefinedPlate);
    EXPECT_TRUE(s.plateInUse().isRefined());
    // The fit is made on the answer's own positions: rounding them to the
    // scaled table moves each star by up to half a step (2.2" in right
    // ascension here) and leaves 0.37 px rms; the catalogue as read gives 0.15.
    EXPECT_LT(r.rmsPx, 0.25);
    for (const ResidualRow& row : r.rows) {
        const CatalogueRow& star = s.Catalogue.stars.at(static_cast<size_t>(row.row - 1));
        EXPECT_EQ(row.sky.ra, star.ra) << star.id.toStdString();
        EXPECT_EQ(row.sky.dec, star.dec) << star.id.toStdString();
    }
    EXPECT_TRUE(PlateInUseText(s, &r).startsWith("Plate in use: refined TAN plate"));

    // Without stars found, the refined plate goes and the model stays, with the reason.
    s.Sources.clear();
    const RefineResult none = RefineSessionPlate(s, f.image.width, f.image.height);
    EXPECT_FALSE(s.RefinedPlate);
    EXPECT_FALSE(s.plateInUse().isRefined());
    EXPECT_TRUE(PlateInUseText(s, &none).contains("only 0 catalogue stars"));
    EXPECT_FALSE(StoreAutoPicks(s, f.marks.clicpic, f.image.width, f.image.height));
    EXPECT_EQ(s.PickCount, 5); // left as it was
}
