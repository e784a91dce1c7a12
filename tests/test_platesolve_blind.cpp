// platesolve blind: the sample solved from small index files built here, its
// JSON fields and WCS header; a folder of images solved in parallel, one line
// each; bad arguments.
#include "testing.h"
#include "tinyindex.h"

#include <QImage>
#include <QJsonDocument>
#include <QSet>

using namespace reduction;
using namespace field;
using namespace catalogues;

using namespace testing_support;

namespace {

class PlatesolveBlind : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir;
        for (int preset : {4, 5}) {
            const QString e = buildSampleIndex(
                s_dir->filePath(QStringLiteral("tiny-%1.fits").arg(preset)), preset, preset);
            ASSERT_TRUE(e.isEmpty()) << e.toStdString();
        }
    }
    static void TearDownTestSuite() { delete s_dir; }
    static inline QTemporaryDir* s_dir = nullptr;
};

std::vector<QJsonObject> jsonLines(const QByteArray& out) {
    std::vector<QJsonObject> lines;
    for (const QByteArray& line : out.split('\n'))
        if (!line.trimmed().isEmpty()) lines.push_back(QJsonDocument::fromJson(line).object());
    return lines;
}

} // namespace

TEST_F(PlatesolveBlind, SolvesTheSampleWithItsJsonFieldsAndWcsHeader) {
    QTemporaryDir out;
    const QString wcs = out.filePath("sample.wcs");
    const ToolRun r =
        runPlatesolve({"--blind", "--index-dir", s_dir->path(), "--image", sampleFile("image.png"),
                       "--scale-low", "2.06", "--scale-high", "2.51", "--wcs-out", wcs});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const std::vector<QJsonObject> lines = jsonLines(r.out);
    ASSERT_EQ(lines.size(), 1u); // one compact line
    const QJsonObject j = lines.front();
    EXPECT_TRUE(j["solved"].toBool());
    EXPECT_EQ(j["image"].toString(), sampleFile("image.png"));
    // The field of wcs.json: centre, pixel scale, orientation.
    const TrueSky c = sampleTrueSky(511.5, 511.5);
    EXPECT_NEAR(j["crval"][0].toDouble(), c.ra, 2e-4);
    EXPECT_NEAR(j["crval"][1].toDouble(), c.dec, 2e-4);
    EXPECT_EQ(j["crpix"][0].toDouble(), 511.5);
    EXPECT_EQ(j["crpix"][1].toDouble(), 511.5);
    const double cd[2][2] = {{-0.000634855640206, -1.29913220754e-05},
                             {1.31159152393e-05, -0.000634533205274}};
    for (int i = 0; i < 2; ++i)
        for (int k = 0; k < 2; ++k)
            EXPECT_NEAR(j["cd"][i][k].toDouble(), cd[i][k], 2e-6) << i << k;
    EXPECT_EQ(j["centre"]["ra"].toString().left(7), "22 47 1");
    EXPECT_EQ(j["centre"]["dec"].toString().left(7), "+58 03 ");
    EXPECT_NEAR(j["corrasd"].toDouble(), 833.275, 1.5);
    EXPECT_NEAR(j["corrdec"].toDouble(), 1575.625, 2.5);
    EXPECT_NEAR(j["arcsec_per_px"].toDouble(), 2.2854, 0.004);
    EXPECT_NEAR(j["rotation_deg"].toDouble(), 1.17, 0.1);
    EXPECT_FALSE(j["mirrored"].toBool());
    EXPECT_TRUE(j["index"].toString().startsWith("tiny-"));
    EXPECT_GE(j["log_odds"].toDouble(), std::log(1e9));
    EXPECT_GT(j["sources"].toInt(), 100);
    EXPECT_TRUE(j["elapsed_ms"].isDouble());
    EXPECT_TRUE(readFile(wcs).startsWith("SIMPLE  ="));
}

TEST_F(PlatesolveBlind, FolderInParallelOneLineEachAndBadArguments) {
    QTemporaryDir images;
    ASSERT_TRUE(QFile::copy(sampleFile("image.png"), images.filePath("a.png")));
    ASSERT_TRUE(QFile::copy(sampleFile("image.png"), images.filePath("b.png")));
    QImage flat(300, 200, QImage::Format_RGB32); // no stars at all
    flat.fill(Qt::darkGray);
    ASSERT_TRUE(flat.save(images.filePath("c.png")));
    writeFile(images.filePath("notes.txt"), "not an image\n"); // not taken from a folder

    const ToolRun r =
        runPlatesolve({"--blind", "--index-dir", s_dir->path(), "--image", images.path(),
                       "--scale-low", "2", "--scale-high", "2.6", "-j", "2"});
    EXPECT_EQ(r.status, 3) << r.err.toStdString(); // one image unsolved
    QSet<QString> solved, failed;
    for (const QJsonObject& j : jsonLines(r.out))
        (j["solved"].toBool() ? solved : failed) << QFileInfo(j["image"].toString()).fileName();
    EXPECT_EQ(solved, (QSet<QString>{"a.png", "b.png"}));
    EXPECT_EQ(failed, QSet<QString>{"c.png"});
    EXPECT_EQ(r.err.count("platesolve: ["), 3); // one progress line per image

    // Each bad argument: exit status 2 and nothing on standard output.
    const QStringList base = {"--blind", "--index-dir", s_dir->path(), "--image",
                              sampleFile("image.png")};
    const QStringList bad[] = {
        {"--scale-low", "2"},                           // without --scale-high
        {"--scale-low", "3", "--scale-high", "2"},      // upside down
        {"--ra", "10", "--dec", "20"},                  // a hint without its radius
        {"--ra", "10", "--dec", "95", "--radius", "1"}, // beyond the pole
        {"-j", "0"},
        {"--time-limit", "-1"},
    };
    for (const QStringList& extra : bad) {
        const ToolRun b = runPlatesolve(base + extra);
        EXPECT_EQ(b.status, 2) << extra.join(' ').toStdString();
        EXPECT_TRUE(b.out.isEmpty()) << extra.join(' ').toStdString();
    }
    EXPECT_EQ(runPlatesolve({"--blind", "--index-dir", images.filePath("none"), "--image",
                             sampleFile("image.png")})
                  .status,
              2);
}
