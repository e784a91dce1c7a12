// Solving with no position known: the sample field against small index files
// built here from its Tycho-2 stars, noise, a time limit, a cancel.
#include "catalogues/blindsolve.h"
#include "field/sources.h"
#include "testing.h"
#include "tinyindex.h"

#include <QImage>
#include <functional>
#include <random>
#include <sys/stat.h>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;

using namespace testing_support;

namespace {

// The sample's sources and two index files (quads of 8' to 11' and of 11' to
// 16'), built once for all the tests.
class BlindSolveTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir;
        for (const auto& [preset, id] : {std::pair{4, 41}, std::pair{5, 51}}) {
            const QString path = s_dir->filePath(QStringLiteral("tiny-%1.fits").arg(preset));
            const QString error = buildSampleIndex(path, preset, id);
            ASSERT_TRUE(error.isEmpty()) << error.toStdString();
            s_indexes << path;
        }
        s_sources = new std::vector<ImageSource>(
            DetectSources(PixelImageFromPicture(QImage(sampleFile("image.png")))));
    }
    static void TearDownTestSuite() {
        delete s_dir;
        delete s_sources;
        s_indexes.clear();
    }

    static BlindSolveRequest sampleRequest() {
        BlindSolveRequest r;
        r.sources = *s_sources;
        r.width = r.height = 1024;
        r.indexFiles = s_indexes;
        r.timeLimitSeconds = 120;
        return r;
    }

    static inline QTemporaryDir* s_dir = nullptr;
    static inline QStringList s_indexes;
    static inline std::vector<ImageSource>* s_sources = nullptr;
};

// Largest distance, pixels, between where the true solution and `plate` put
// the corners and the centre of the sample (1024 x 1024).
double worstOffsetPx(const TanPlate& plate) {
    double worst = 0;
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, std::pair{1023.0, 0.0}, std::pair{0.0, 1023.0},
                               std::pair{1023.0, 1023.0}, std::pair{511.5, 511.5}}) {
        const TrueSky t = sampleTrueSky(x, y);
        const auto p = plate.skyToPixel({t.ra, t.dec});
        if (!p) return INFINITY;
        worst = std::max(worst, std::hypot(p->x - x, p->y - y));
    }
    return worst;
}

} // namespace

TEST_F(BlindSolveTest, SolvesTheSampleWithAndWithoutWhatIsKnown) {
    ASSERT_GT(s_sources->size(), 100u);
    struct Case {
        const char* what;
        double low, high; // arcseconds per pixel; 0, 0: the wide default
        std::optional<BlindPositionHint> hint;
    };
    const double scale = 2.2854; // the true pixel scale
    const Case cases[] = {
        // Nothing known: field widths of 0.3 to 30 degrees.
        {"no hint, default widths", 0, 0, std::nullopt},
        // The camera's scale known to 10 per cent, no position.
        {"scale +-10%", 0.9 * scale, 1.1 * scale, std::nullopt},
        // A position hint within a degree.
        {"scale and position", 0.9 * scale, 1.1 * scale, BlindPositionHint{342.3, 57.6, 1.0}},
    };
    for (const Case& c : cases) {
        BlindSolveRequest r = sampleRequest();
        r.scaleLow = c.low;
        r.scaleHigh = c.high;
        r.hint = c.hint;
        background::Progress progress;
        const BlindSolveResult result = BlindSolve(r, &progress);
        ASSERT_EQ(result.failure, BlindFailure::None) << c.what;
        ASSERT_TRUE(result.solution) << c.what;
        const BlindSolution& s = *result.solution;
        EXPECT_LT(worstOffsetPx(s.plate), 2.0) << c.what;
        EXPECT_DOUBLE_EQ(s.plate.crpix.x, 511.5) << c.what;
        EXPECT_DOUBLE_EQ(s.plate.crpix.y, 511.5) << c.what;
        EXPECT_GT(s.plate.determinant(), 0) << c.what; // not mirrored (y downwards)
        EXPECT_GE(s.logOdds, kBlindAcceptLogOdds) << c.what;
        EXPECT_GE(s.starsMatched, 10) << c.what;
        EXPECT_TRUE(s.indexFile.startsWith("tiny-")) << c.what;
        EXPECT_EQ(result.indexFilesUsable, 2) << c.what;
        EXPECT_TRUE(result.skipped.isEmpty()) << c.what;
        EXPECT_GT(progress.done.load(), 0) << c.what;
        EXPECT_LE(progress.done.load(), progress.total.load()) << c.what;
        if (c.low == 0) {
            EXPECT_DOUBLE_EQ(result.scaleLow, 0.3 * 3600 / 1024) << c.what;
            EXPECT_DOUBLE_EQ(result.scaleHigh, 30.0 * 3600 / 1024) << c.what;
        }
    }
}

TEST_F(BlindSolveTest, MirroredImageSolvesWithTheOtherParity) {
    BlindSolveRequest r = sampleRequest();
    for (ImageSource& s : r.sources)
        s.x = 1023 - s.x;
    r.scaleLow = 2.0;
    r.scaleHigh = 2.5;
    const BlindSolveResult result = BlindSolve(r);
    ASSERT_EQ(result.failure, BlindFailure::None);
    const TanPlate& p = result.solution->plate;
    EXPECT_LT(p.determinant(), 0);
    // Pixel x of the mirror is 1023 - x of the sample.
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, std::pair{1023.0, 1023.0}}) {
        const TrueSky t = sampleTrueSky(1023 - x, y);
        const auto at = p.skyToPixel({t.ra, t.dec});
        ASSERT_TRUE(at);
        EXPECT_LT(std::hypot(at->x - x, at->y - y), 2.0);
    }

    // Told that images are never mirrored, it finds nothing.
    r.tryBothParities = false;
    EXPECT_EQ(BlindSolve(r).failure, BlindFailure::NoSolution);
}

TEST_F(BlindSolveTest, NoWrongSolutionFromNoiseOrAWrongHint) {
    // Sources scattered at random, brightest first, as noise gives them. The
    // scale range is the sample's so that the whole search ends well inside
    // the time limit even on a slow or sanitised build: the answer must come
    // from having tried everything, not from running out of time.
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(0, 1023);
    BlindSolveRequest noise = sampleRequest();
    noise.scaleLow = 2.0;
    noise.scaleHigh = 2.5;
    noise.timeLimitSeconds = 600;
    noise.sources.clear();
    for (int i = 0; i < 300; ++i)
        noise.sources.push_back({coordinate(random), coordinate(random), 1000.0 - i, false});
    const BlindSolveResult fromNoise = BlindSolve(noise);
    EXPECT_EQ(fromNoise.failure, BlindFailure::NoSolution);
    EXPECT_FALSE(fromNoise.solution);

    // The real field with a hint 10 degrees away.
    BlindSolveRequest wrongHint = sampleRequest();
    wrongHint.scaleLow = 2.0;
    wrongHint.scaleHigh = 2.5;
    wrongHint.hint = BlindPositionHint{341.8, 48.0, 2.0};
    wrongHint.timeLimitSeconds = 10; // running out of time is a fine answer here too
    const BlindSolveResult r = BlindSolve(wrongHint);
    EXPECT_FALSE(r.solution);
    EXPECT_NE(r.failure, BlindFailure::None);
}

TEST_F(BlindSolveTest, StopsCleanlyOnTimeLimitCancelAndBadInput) {
    BlindSolveRequest r = sampleRequest();
    r.timeLimitSeconds = 0;
    const BlindSolveResult limited = BlindSolve(r);
    EXPECT_EQ(limited.failure, BlindFailure::TimeLimit);
    EXPECT_FALSE(limited.solution);

    r.timeLimitSeconds = 60;
    background::Progress cancelled;
    cancelled.cancel = true;
    const BlindSolveResult c = BlindSolve(r, &cancelled);
    EXPECT_EQ(c.failure, BlindFailure::Cancelled);
    EXPECT_FALSE(c.solution);

    // Damaged or unusable input: each gives BadInput and no solution.
    QTemporaryDir dir;
    writeFile(dir.filePath("junk.fits"), "not a FITS file at all\n");
    const QString fifo = dir.filePath("fifo.fits");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    struct Bad {
        const char* what;
        std::function<void(BlindSolveRequest&)> change;
    };
    const Bad bad[] = {
        {"no index file", [](BlindSolveRequest& b) { b.indexFiles.clear(); }},
        {"only a text and a FIFO named .fits",
         [&](BlindSolveRequest& b) {
             b.indexFiles = {dir.filePath("junk.fits"), fifo};
         }},
        {"three sources", [](BlindSolveRequest& b) { b.sources.resize(3); }},
        {"no image size", [](BlindSolveRequest& b) { b.width = 0; }},
        {"range upside down", [](BlindSolveRequest& b) { b.scaleLow = 3, b.scaleHigh = 2; }},
        {"scale range no file covers",
         [](BlindSolveRequest& b) { b.scaleLow = 100, b.scaleHigh = 200; }},
        {"declination beyond the pole",
         [](BlindSolveRequest& b) {
             b.hint = BlindPositionHint{10, 95, 1};
         }},
    };
    for (const Bad& b : bad) {
        BlindSolveRequest changed = sampleRequest();
        b.change(changed);
        const BlindSolveResult out = BlindSolve(changed);
        EXPECT_EQ(out.failure, BlindFailure::BadInput) << b.what;
        EXPECT_FALSE(out.solution) << b.what;
    }
    BlindSolveRequest junk = sampleRequest();
    junk.indexFiles = {dir.filePath("junk.fits"), fifo};
    EXPECT_EQ(BlindSolve(junk).skipped.size(), 2) << "each file is named with its reason";
}
