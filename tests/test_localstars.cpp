// The local star source: the query read from the star address, the answer
// page read back by the star reader, index files built here from known
// Tycho-2 stars with astrometry.net's own tool, and Debian's Tycho-2 files.
#include "catalogues/localstars.h"
#include "catalogues/usnoa2.h"
#include "catalogues/web/starquery.h"
#include "catalogues/widgets/frminternet.h"
#include "mainwindow/imagecanvas.h"
#include "platform/angles.h"
#include "tinyindex.h"
#include "window.h"

#include <fitsio.h>
#include <functional>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;
using namespace catalogues::web;

using namespace testing_support;

namespace {

const QString kHost = QStringLiteral("http://archive.eso.org");

LocalStarQuery queryOf(const QString& ra, const QString& dec, const QString& radius,
                       const QString& mag) {
    const auto reading =
        ReadLocalStarQuery(UsnoA2Address(kHost, QStringLiteral("2000.0"), ra, dec, radius, mag));
    EXPECT_TRUE(reading) << reading.error().message.toStdString();
    return reading.value_or(LocalStarQuery{});
}

// The sample field as the download button sends it.
LocalStarQuery sampleQuery() {
    return queryOf("22+47+12", "58+3+14", "28", "11.5");
}

struct Row {
    QByteArray id;
    double ra, dec;
    QByteArray magRed;
};

// The rows of an answer, read with the program's star reader (scales of 1e5
// keep the positions to 0.00001 degree).
std::vector<Row> readRows(const QByteArray& page) {
    CatalogueStarTable table;
    const StarReadResult r = ReadUsnoA2Answer(page, 1e5, 1e5, table);
    std::vector<Row> rows;
    for (int i = 1; i <= r.rowsRead; ++i)
        rows.push_back({table.id[i].toLatin1(), table.ra[i] / 1e5, table.dec[i] / 1e5,
                        table.magRed[i].toLatin1()});
    return rows;
}

// A catalogue file held in memory.
class FakeIndex : public StarIndex {
public:
    FakeIndex(QString name, std::vector<IndexStar> stars, bool coversAll = true)
        : m_name(std::move(name)), m_stars(std::move(stars)), m_coversAll(coversAll) {}
    QString name() const override { return m_name; }
    bool covers(double, double) const override { return m_coversAll; }
    std::vector<IndexStar> starsWithin(double ra, double dec, double radius) override {
        std::vector<IndexStar> out;
        for (const IndexStar& s : m_stars)
            if (angles::SeparationDeg(ra, dec, s.ra, s.dec) <= radius) out.push_back(s);
        return out;
    }

private:
    QString m_name;
    std::vector<IndexStar> m_stars;
    bool m_coversAll;
};

IndexStar star(double ra, double dec, double mag, double blue = NAN) {
    return IndexStar{ra, dec, mag, blue};
}

// The Tycho-2 stars around the sample field shipped with the tests.
std::vector<IndexStar> sampleTychoStars() {
    std::vector<IndexStar> stars;
    for (const auto& [ra, dec, mag] : testing_support::sampleIndexStars())
        stars.push_back(star(ra, dec, mag));
    return stars;
}

// Builds an astrometry.net index file from `stars` with the package's tool;
// `extra` adds options (e.g. a single sky tile).
void buildIndex(const std::vector<IndexStar>& stars, const QString& out, int id,
                const QStringList& extra = {}) {
    std::vector<testing_support::TinyIndexStar> rows;
    for (const IndexStar& s : stars)
        rows.push_back({s.ra, s.dec, s.mag});
    const QString error =
        testing_support::buildIndex(rows, out, 5, id, QStringList{"-n", "100"} + extra);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
}

} // namespace

TEST(LocalStars, QueryIsReadFromTheStarAddress) {
    const LocalStarQuery q = sampleQuery();
    EXPECT_NEAR(q.ra, (22 + 47 / 60.0 + 12 / 3600.0) * 15, 1e-9);
    EXPECT_NEAR(q.dec, 58 + 3 / 60.0 + 14 / 3600.0, 1e-9);
    EXPECT_EQ(q.radiusArcmin, 28);
    EXPECT_EQ(q.magFaint, 11.5); // sent as "11.5."
    EXPECT_EQ(q.nout, 5000);

    // The sign of a declination between 0 and -1 degree is carried by "-0".
    EXPECT_NEAR(queryOf("0+0+0", "-0+30+0", "10", "15").dec, -0.5, 1e-12);

    // Each wrong part of the address is told apart by its kind.
    const struct {
        const char *ra, *dec, *radius, *mag;
        StarQueryError kind;
    } bad[] = {
        {"1+2+3", "4+5+6", "abc", "15", StarQueryError::Radius},
        {"1+2+3", "4+5+6", "0", "15", StarQueryError::Radius},
        {"1+2+3", "4+5+6", "10", "x", StarQueryError::Magnitude},
        {"25+0+0", "0+0+0", "10", "15", StarQueryError::RightAscension},
        {"-1+0+0", "0+0+0", "10", "15", StarQueryError::RightAscension},
        {"1+0+0", "91+0+0", "10", "15", StarQueryError::Declination},
    };
    for (const auto& b : bad) {
        const auto r =
            ReadLocalStarQuery(UsnoA2Address(kHost, "2000.0", b.ra, b.dec, b.radius, b.mag));
        ASSERT_FALSE(r) << b.ra << " " << b.dec << " " << b.radius << " " << b.mag;
        EXPECT_EQ(r.error().kind, b.kind)
            << b.ra << " " << b.dec << " " << b.radius << " " << b.mag;
    }
    const auto rows =
        ReadLocalStarQuery(kHost + "/?ra=1+2+3&dec=4+5+6&radmax=10&magfaint=15&nout=x");
    ASSERT_FALSE(rows);
    EXPECT_EQ(rows.error().kind, StarQueryError::RowLimit);
}

TEST(LocalStars, PageIsReadBackByTheStarReader) {
    LocalStarQuery q = queryOf("0+0+0", "-0+30+0", "30", "12");
    StarIndexFolder folder;
    folder.folder = "/catalogues";
    // Around RA 0h: stars on both sides of 0/360; the same star in both files.
    folder.files.push_back(std::make_unique<FakeIndex>(
        "a.fits", std::vector<IndexStar>{star(359.95, -0.6, 9.0, 9.8), star(0.05, -0.4, 7.24),
                                         star(0.1, -0.5, 11.99), star(0.0, -0.5, 12.0),
                                         star(0.0, -1.2, 5.0), star(0.2, -0.45, NAN)}));
    folder.files.push_back(std::make_unique<FakeIndex>(
        "b.fits", std::vector<IndexStar>{star(0.05 + 0.5 / 3600, -0.4, 7.3),
                                         star(0.05 + 2.0 / 3600, -0.4, 8.0)}));
    const LocalStarAnswer a = MakeLocalStarAnswer(q, folder);
    ASSERT_EQ(a.outcome, LocalStarAnswer::Outcome::Stars);
    EXPECT_FALSE(a.page.contains('\r'));
    EXPECT_TRUE(a.page.contains("a.fits, b.fits")); // where the stars came from

    // Brightest first; the star 0.5" away in b.fits is the same star, the
    // one 2" away is not; 12.0 is not brighter than the limit, the star at
    // -1.2 degrees lies 42' away; a star without magnitude comes last.
    const std::vector<Row> rows = readRows(a.page);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(a.rows, 5);
    const double expected[][3] = {{0.05, -0.4, 7.24},
                                  {0.05 + 2.0 / 3600, -0.4, 8.0},
                                  {359.95, -0.6, 9.0},
                                  {0.1, -0.5, 11.99}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(rows[i].ra, expected[i][0], 1e-5) << i;
        EXPECT_NEAR(rows[i].dec, expected[i][1], 1e-5) << i;
    }
    EXPECT_EQ(rows[0].magRed, " 7.2"); // one decimal
    EXPECT_EQ(rows[3].magRed, "12.0");
    EXPECT_EQ(rows[4].magRed, "    ");
    EXPECT_EQ(rows[2].id, "U0825_35995000"); // zone of -0.6 degree, RA in 0.00001 degree
    EXPECT_EQ(rows[0].id, "U0825_00005000");

    // Every row is 66 bytes with "U" in column 6, and the blue magnitude sits
    // in columns 46-49.
    const qsizetype first = a.page.indexOf("</b>   1 U") + 4;
    for (int i = 0; i < 5; ++i) {
        const QByteArray r = a.page.mid(first + 66 * i, 66);
        EXPECT_EQ(r[5], 'U');
        EXPECT_EQ(r[65], '\n');
    }
    EXPECT_EQ(a.page.mid(first + 66 * 2 + 45, 4), " 9.8");

    // nout limits the rows.
    q.nout = 2;
    EXPECT_EQ(readRows(MakeLocalStarAnswer(q, folder).page).size(), 2u);
}

// The typed rows an answer hands over are the rows a reading of its page
// gives, field by field and in order: otherwise a fresh local answer and the
// same answer read from "data" or the cache would disagree.
TEST(LocalStars, RowsHandedOverEqualThePageReadBack) {
    QTemporaryDir dir;
    buildIndex(sampleTychoStars(), dir.filePath("sample.fits"), 31);
    StarIndexFolder sample = OpenStarIndexFolder(dir.path());
    ASSERT_EQ(sample.files.size(), 1u) << sample.skipped.join("; ").toStdString();

    StarIndexFolder edges;
    edges.folder = "/catalogues";
    edges.files.push_back(std::make_unique<FakeIndex>(
        "edges.fits",
        std::vector<IndexStar>{star(359.999996, 0.1, 8.0, 8.54), // rounds to 0h: written as 0.00000
                               star(359.95, -0.000004, 9.05),    // declination written as +00.00000
                               star(0.05, -0.123456, 10.95, 11.04), star(0.1, 0.2, NAN),
                               star(0.02, 0.3, 99.97), // beyond the magnitude columns: blank
                               star(0.03, -0.3, -0.04)}));

    struct Case {
        const char* what;
        StarIndexFolder* folder;
        LocalStarQuery query;
        size_t rows;
    };
    const Case cases[] = {
        // The sample field from an index file built here.
        {"sample", &sample, sampleQuery(), 48},
        // A field across 0h: rounding, signs and blank magnitudes.
        {"edges", &edges, queryOf("0+0+0", "0+0+0", "30", "100"), 6},
    };
    for (const Case& c : cases) {
        const LocalStarAnswer a = MakeLocalStarAnswer(c.query, *c.folder);
        ASSERT_EQ(a.outcome, LocalStarAnswer::Outcome::Stars) << c.what;
        const std::vector<CatalogueRow> read = ReadUsnoA2Rows(a.page, StarAnswerCentreRa(a.page));
        const std::vector<CatalogueRow> handed = LocalStarRows(a, c.query.ra);
        ASSERT_EQ(read.size(), c.rows) << c.what;
        ASSERT_EQ(handed.size(), read.size()) << c.what;
        for (size_t i = 0; i < read.size(); ++i) {
            SCOPED_TRACE(std::string(c.what) + " row " + std::to_string(i + 1));
            EXPECT_EQ(handed[i].kind, SkyObjectKind::Star);
            EXPECT_EQ(handed[i].id, read[i].id);
            EXPECT_EQ(handed[i].ra, read[i].ra);
            EXPECT_EQ(handed[i].dec, read[i].dec);
            EXPECT_EQ(handed[i].mag, read[i].mag);
            EXPECT_EQ(handed[i].magBlue, read[i].magBlue);
        }
    }
}

// The query made from the typed centre without an address is the one read
// back from the address the download button sends.
TEST(LocalStars, QueryFromTypedFieldsEqualsTheAddressRead) {
    struct Typed {
        const char *ra, *dec, *sign, *epoch, *radius, *mag;
    };
    const Typed cases[] = {
        {"22 47 12", "58 3 14", "+", "2000", "28", "11.5"},  // the sample field
        {"0 0 1", "0 30 0", "-", "2000", "10", "15"},        // just south of the equator
        {"12 30 30.6", "45 0 59.5", "+", "1950", "60", "9"}, // precessed, seconds rounded
        {"5 0 0", "10 0 0", "+", "2000", "10", "15."},       // limit typed with its point
        {"5 0 0", "10 0 0", "+", "2000", "0", "15"},         // no radius: refused
        {"5 x 0", "10 0 0", "+", "2000", "10", "15"},        // not a number: refused
    };
    for (const Typed& t : cases) {
        SCOPED_TRACE(std::string(t.ra) + " " + t.dec + " " + t.radius + " " + t.mag);
        TypedCentreFields f;
        const QStringList ra = QString(t.ra).split(' '), dec = QString(t.dec).split(' ');
        f.ra = {ra[0], ra[1], ra[2]};
        f.dec = {dec[0], dec[1], dec[2]};
        f.decSign = t.sign;
        f.epoch = t.epoch;
        // The address as the download button makes it.
        const StarQueryPlan plan = PlanStarQuery(f);
        const LocalStarQueryReading viaAddress =
            plan.reading ? ReadLocalStarQuery(UsnoA2Address(kHost, f.epoch, plan.coordinates.ra,
                                                            plan.coordinates.dec, t.radius, t.mag))
                         : LocalStarQueryReading{outcome::Error{StarQueryError::Centre, QString()}};
        const LocalStarQueryReading direct = LocalStarQueryFromTyped(f, t.radius, t.mag);
        ASSERT_EQ(direct.ok(), viaAddress.ok());
        if (!direct) {
            EXPECT_EQ(direct.error().kind, viaAddress.error().kind);
            continue;
        }
        const LocalStarQuery &d = *direct, &v = *viaAddress;
        EXPECT_EQ(d.ra, v.ra);
        EXPECT_EQ(d.dec, v.dec);
        EXPECT_EQ(d.radiusArcmin, v.radiusArcmin);
        EXPECT_EQ(d.magFaint, v.magFaint);
        EXPECT_EQ(d.nout, v.nout);
        EXPECT_EQ(d.raText, v.raText);
        EXPECT_EQ(d.decText, v.decText);
    }
}

TEST(LocalStars, NoFileOrNoCoverageGivesAnEmptyAnswer) {
    const LocalStarQuery q = sampleQuery();
    QTemporaryDir dir;
    // Not index files: a text named .fits, and a real index cut in half.
    writeFile(dir.filePath("junk.fits"), "not a FITS file at all\n");
    buildIndex(sampleTychoStars(), dir.filePath("whole.fits"), 1);
    const QByteArray bytes = readFile(dir.filePath("whole.fits"));
    QFile::remove(dir.filePath("whole.fits"));
    writeFile(dir.filePath("cut.fits"), bytes.left(bytes.size() / 2));

    StarIndexFolder folder = OpenStarIndexFolder(dir.path());
    EXPECT_TRUE(folder.files.empty());
    EXPECT_EQ(folder.skipped.size(), 2);
    LocalStarAnswer a = MakeLocalStarAnswer(q, folder);
    EXPECT_EQ(a.outcome, LocalStarAnswer::Outcome::NoIndexFile);
    EXPECT_TRUE(a.status.contains(dir.path())) << a.status.toStdString();
    EXPECT_TRUE(readRows(a.page).empty());

    // One sky tile (nside 2, tile 14 holds the sample field): the sample is
    // answered, a field on the other side of the sky is not covered.
    QTemporaryDir tiles;
    buildIndex(sampleTychoStars(), tiles.filePath("tile.fits"), 2, {"-s", "2", "-H", "14"});
    folder = OpenStarIndexFolder(tiles.path());
    ASSERT_EQ(folder.files.size(), 1u) << folder.skipped.join("; ").toStdString();
    EXPECT_EQ(MakeLocalStarAnswer(q, folder).outcome, LocalStarAnswer::Outcome::Stars);
    a = MakeLocalStarAnswer(queryOf("10+0+0", "-30+0+0", "28", "11.5"), folder);
    EXPECT_EQ(a.outcome, LocalStarAnswer::Outcome::NotCovered);
    EXPECT_TRUE(readRows(a.page).empty());
}

namespace {

// Changes a built index file in place: `edit` runs on the HDU whose first
// column is `table`.
void editTable(const QString& path, const char* table, const std::function<void(fitsfile*)>& edit) {
    int status = 0, hdus = 0, type = 0;
    fitsfile* f = nullptr;
    fits_open_diskfile(&f, QFile::encodeName(path).constData(), READWRITE, &status);
    fits_get_num_hdus(f, &hdus, &status);
    bool found = false;
    for (int i = 2; i <= hdus && status == 0 && !found; ++i) {
        fits_movabs_hdu(f, i, &type, &status);
        char name[FLEN_VALUE] = {};
        int s = 0;
        if (fits_read_key(f, TSTRING, "TTYPE1", name, nullptr, &s) == 0 &&
            qstrcmp(name, table) == 0) {
            edit(f);
            found = true;
        }
    }
    fits_close_file(f, &status);
    ASSERT_TRUE(found) << table;
    ASSERT_EQ(status, 0) << table;
}

void setKey(fitsfile* f, const char* key, long long value) {
    int status = 0;
    fits_update_key(f, TLONGLONG, key, &value, nullptr, &status);
}

// Overwrites the 4-byte entry `i` of a table of 4-byte entries.
void setEntry(fitsfile* f, LONGLONG i, quint32 value) {
    int status = 0;
    fits_write_tblbytes(f, i + 1, 1, 4, reinterpret_cast<unsigned char*>(&value), &status);
}

} // namespace

// Index files whose star tree disagrees with its own header are skipped, each
// named with the reason, before the library's star search could read outside
// its tables; a sound file beside them still answers.
TEST(LocalStars, DamagedIndexFilesAreSkippedByName) {
    struct Damage {
        const char* file;
        const char* table;
        std::function<void(fitsfile*)> edit;
    };
    const std::vector<Damage> damages = {
        // more stars than the tables hold: the search read past them
        {"more-stars.fits", "kdtree_header_stars",
         [](fitsfile* f) { setKey(f, "KDT_NDAT", 100000); }},
        // fewer stars than the tables hold
        {"fewer-stars.fits", "kdtree_header_stars", [](fitsfile* f) { setKey(f, "KDT_NDAT", 50); }},
        // a tree of more nodes than its tables
        {"more-nodes.fits", "kdtree_header_stars", [](fitsfile* f) { setKey(f, "KDT_NNOD", 31); }},
        // stars in other than three dimensions
        {"dimensions.fits", "kdtree_header_stars", [](fitsfile* f) { setKey(f, "KDT_NDIM", 40); }},
        // a leaf that ends beyond the last star
        {"leaf.fits", "kdtree_lr_stars", [](fitsfile* f) { setEntry(f, 0, 5000000); }},
        // a split on a fourth dimension (the two low bits of the value)
        {"split.fits", "kdtree_split_stars", [](fitsfile* f) { setEntry(f, 0, 3); }},
        // magnitudes for fewer stars than the tree holds
        {"magnitudes.fits", "MAG_VT", [](fitsfile* f) { setKey(f, "NAXIS2", 100); }},
    };
    QTemporaryDir dir;
    buildIndex(sampleTychoStars(), dir.filePath("sound.fits"), 51);
    for (const Damage& d : damages) {
        QFile::copy(dir.filePath("sound.fits"), dir.filePath(d.file));
        editTable(dir.filePath(d.file), d.table, d.edit);
    }

    StarIndexFolder folder = OpenStarIndexFolder(dir.path());
    ASSERT_EQ(folder.files.size(), 1u) << folder.skipped.join("; ").toStdString();
    EXPECT_EQ(folder.files[0]->name(), "sound.fits");
    QStringList skippedNames;
    for (const QString& line : folder.skipped)
        skippedNames << line.section(QStringLiteral(": "), 0, 0);
    QStringList expected;
    for (const Damage& d : damages)
        expected << d.file;
    skippedNames.sort();
    expected.sort();
    EXPECT_EQ(skippedNames, expected) << folder.skipped.join("; ").toStdString();

    // The sound file answers the sample field in full.
    const LocalStarAnswer a = MakeLocalStarAnswer(sampleQuery(), folder);
    EXPECT_EQ(a.outcome, LocalStarAnswer::Outcome::Stars);
    EXPECT_EQ(a.rows, 48);
    for (const Damage& d : damages)
        EXPECT_TRUE(a.status.contains(d.file)) << d.file; // the status line names the rest
}

// The shipped answer of the sample field was made from the Tycho-2 index
// files 07 to 10; two index files built from the same stars (one holding
// only the bright ones, as the coarser series do) give the same 48 stars.
TEST(LocalStars, SampleFieldMatchesTheSharedAnswer) {
    QTemporaryDir dir;
    const std::vector<IndexStar> all = sampleTychoStars();
    std::vector<IndexStar> bright;
    for (const IndexStar& s : all)
        if (s.mag < 9.5) bright.push_back(s);
    buildIndex(all, dir.filePath("index-a.fits"), 11);
    buildIndex(bright, dir.filePath("index-b.fits"), 12);
    StarIndexFolder folder = OpenStarIndexFolder(dir.path());
    ASSERT_EQ(folder.files.size(), 2u) << folder.skipped.join("; ").toStdString();

    const LocalStarAnswer a = MakeLocalStarAnswer(sampleQuery(), folder);
    const std::vector<Row> local = readRows(a.page);
    const std::vector<Row> shared = readRows(readSample("data"));
    ASSERT_EQ(shared.size(), 48u);
    ASSERT_EQ(local.size(), shared.size());
    for (const Row& s : shared) {
        const auto same = std::find_if(local.begin(), local.end(), [&s](const Row& l) {
            return separationArcsec(l.ra, l.dec, s.ra, s.dec) < 1.0;
        });
        ASSERT_NE(same, local.end()) << s.id.toStdString();
        EXPECT_EQ(same->id, s.id);
        EXPECT_EQ(same->magRed, s.magRed) << s.id.toStdString();
    }
    for (size_t i = 1; i < local.size(); ++i)
        EXPECT_LE(local[i - 1].magRed.trimmed().toDouble(), local[i].magRed.trimmed().toDouble());
}

// Debian's Tycho-2 files (scripts/setup.sh installs the wide-field series):
// every star they give for the sample field is a star of the shared answer.
TEST(LocalStars, DebianTychoFilesAnswerTheSampleField) {
    StarIndexFolder folder = OpenStarIndexFolder(QString::fromLatin1(kDefaultIndexFolder));
    if (folder.files.empty())
        GTEST_SKIP() << "no index file in " << kDefaultIndexFolder
                     << " (astrometry-data-tycho2-10-19 is installed by scripts/setup.sh)";
    const LocalStarAnswer a = MakeLocalStarAnswer(sampleQuery(), folder);
    const std::vector<Row> local = readRows(a.page);
    const std::vector<Row> shared = readRows(readSample("data"));
    EXPECT_GE(local.size(), 8u) << a.status.toStdString();
    for (const Row& l : local) {
        const bool found = std::any_of(shared.begin(), shared.end(), [&l](const Row& s) {
            return separationArcsec(l.ra, l.dec, s.ra, s.dec) < 1.0 && s.id == l.id;
        });
        EXPECT_TRUE(found) << l.id.toStdString();
    }
}

// The whole solve from the command line with no answer file: the sample's
// FITS image, its centre as typed, the stars from local index files.
TEST(LocalStars, PlatesolveSolvesTheSampleFitsOffline) {
    QTemporaryDir dir, empty;
    buildIndex(sampleTychoStars(), dir.filePath("index-a.fits"), 21);
    const QString answer = dir.filePath("answer.html");
    const auto args = [&](const QString& folder) {
        QStringList a{"--image", sampleFile("image.fits"), "--catalogue-from-index", folder};
        a += {"--ra", "22 47 12.2", "--dec", "+58 03 14", "--epoch", "2000.0"};
        a += {"--radius", "28", "--mag", "11.5", "--answer-out", answer, "--decider"};
        return a + samplePickArgs();
    };
    const ToolRun r = runPlatesolve(args(dir.path()));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.json["rows_read"].toInt(), 48);
    const QJsonArray candidates = r.json["candidates"].toArray();
    ASSERT_EQ(candidates.size(), 1) << r.err.toStdString();
    EXPECT_EQ(candidates[0].toObject()["rows"].toArray(), (QJsonArray{9, 13, 19, 20, 45}));
    EXPECT_EQ(readRows(readFile(answer)).size(), 48u);

    // A folder without index files: a clear message and a distinct status.
    const ToolRun none = runPlatesolve(args(empty.path()));
    EXPECT_EQ(none.status, 4);
    EXPECT_TRUE(none.err.contains("no star index file"));
}

// The star query with the local source writes "data" where the download
// would, never leaves the answer of another field, and keeps off the cache.
TEST(LocalStars, StarQueryWritesTheLocalAnswer) {
    ProgramFolderFixture program;
    QTemporaryDir index;
    buildIndex(sampleTychoStars(), index.filePath("index-a.fits"), 31);
    QDir(program.path()).mkpath("cat");
    WebSwitches web;
    web.AutonomousMode = true;
    web.StarSiteEnabled = false; // the site switch blocks the server, not local files
    QStringList log;
    DownloadOptions options;
    options.log = [&log](const QString& line) { log << line; };
    StarSourceSetting local;
    local.local = true;
    local.indexFolder = index.path();

    program.write("data", "an answer of another field");
    const QStringList cached = QDir(program.file("cat")).entryList(QDir::Files);
    DownloadResult r = QueryUsnoA2("2000.0", "22+47+12", "58+3+14", "28", "11.5", web,
                                   "http://127.0.0.1:9", "224712.2583142811.5", options, local);
    EXPECT_EQ(r.status, DownloadResult::Status::Downloaded) << r.message.toStdString();
    EXPECT_EQ(readRows(program.read("data")).size(), 48u);
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].contains("48")) << log[0].toStdString();
    EXPECT_EQ(QDir(program.file("cat")).entryList(QDir::Files), cached);

    // An empty folder, or a bad radius: "data" no longer holds the last field.
    QTemporaryDir empty;
    local.indexFolder = empty.path();
    r = QueryUsnoA2("2000.0", "22+47+12", "58+3+14", "28", "11.5", web, "http://127.0.0.1:9", "k",
                    options, local);
    EXPECT_EQ(r.status, DownloadResult::Status::Failed);
    EXPECT_TRUE(r.message.contains("no star index file")) << r.message.toStdString();
    EXPECT_TRUE(readRows(program.read("data")).empty());
    program.write("data", readSample("data"));
    local.indexFolder = index.path();
    r = QueryUsnoA2("2000.0", "22+47+12", "58+3+14", "wide", "11.5", web, "http://127.0.0.1:9", "k",
                    options, local);
    EXPECT_EQ(r.status, DownloadResult::Status::Failed);
    EXPECT_TRUE(readRows(program.read("data")).empty());

    // The setting comes from sites.cfg.
    program.write("sites.cfg", "[local_stars]\nsource=local\nindex_folder=/somewhere\n");
    const StarSourceSetting read = ReadStarSourceSetting(program.file("sites.cfg"));
    EXPECT_TRUE(read.local);
    EXPECT_EQ(read.indexFolder, "/somewhere");
    EXPECT_FALSE(ReadStarSourceSetting(program.file("missing.cfg")).local);
}

TEST(LocalStars, InternetWindowChoosesTheSourceForTheSession) {
    Restore keepSource(StarSource());
    StarSource().local = false;
    frmInternet window;
    EXPECT_FALSE(window.ChkLocalStars->isChecked());
    EXPECT_TRUE(window.ChkLocalStars->text().contains(StarSource().indexFolder));
    window.ChkLocalStars->setChecked(true);
    window.cmdOK->click();
    EXPECT_TRUE(StarSource().local);
}

// Through the window: a FITS image of the sample opens, its header fills the
// fields (asking before it replaces a typed value), and "1-Download" takes
// the stars of local index files (the solve itself is the solver's test).
TEST(LocalStarsWindow, FitsSampleFillsTheFieldsAndDownloadsLocally) {
    ProgramFolderFixture folder;
    EnglishTexts english(folder);
    QFile::copy(sampleFile("image.fits"), folder.file("sample.fits"));
    QTemporaryDir index;
    buildIndex(sampleTychoStars(), index.filePath("index-a.fits"), 41);
    Restore keepSource(StarSource());
    StarSource().local = true;
    StarSource().indexFolder = index.path();

    MessageRecorder boxes;
    int hintQuestions = 0;
    bool replace = false;
    boxes.answer = [&](const messagebox::Shown& shown) {
        if (!shown.text.contains("FITS header")) return messagebox::Answer::Yes;
        ++hintQuestions;
        return replace ? messagebox::Answer::Yes : messagebox::Answer::No;
    };
    Form1 form;
    form.ApplyLanguageToForm();
    form.show();
    auto field = [&form](const char* name) { return edit(form, name); };

    // The user types a scale, then loads the FITS image.
    field("txt_corrasd")->clear();
    QTest::keyClicks(field("txt_corrasd"), "800");
    field("txt_url")->setText("sample.fits");
    form.Loadimg_Click();
    ASSERT_TRUE(form.session().ImageLoaded);
    EXPECT_EQ(hintQuestions, 1);
    EXPECT_EQ(field("txt_corrasd")->text(), "800"); // kept: the answer was No
    EXPECT_EQ(field("txt_ra(0)")->text(), "22");
    EXPECT_EQ(field("txt_ra(2)")->text(), "12.2");
    EXPECT_EQ(field("txt_dec(1)")->text(), "3");
    EXPECT_EQ(field("txt_epoch")->text(), "2000.0");
    EXPECT_EQ(field("txt_Adate(2)")->text(), "2022");
    EXPECT_EQ(field("txt_Adate(4)")->text(), "36");
    EXPECT_EQ(control<ImageCanvas>(form, "Picture1")->width(), 1024);

    // The same file again changes nothing; a newer file asks again.
    form.Loadimg_Click();
    EXPECT_EQ(hintQuestions, 1);
    touch(folder.file("sample.fits"), 5);
    replace = true;
    form.Loadimg_Click();
    EXPECT_EQ(hintQuestions, 2);
    EXPECT_NEAR(field("txt_corrasd")->text().toDouble(), 833.27, 2);
    EXPECT_NEAR(field("txt_corrdec")->text().toDouble(), 1575.63, 3);

    field("txt_distance")->setText("28");
    field("txt_mag")->setText("11.5");
    form.DownloadData_Click();
    const QByteArray page = folder.read("data");
    EXPECT_EQ(readRows(page).size(), 48u);
    // The page is the one the index files answer the typed query with.
    StarIndexFolder files = OpenStarIndexFolder(index.path());
    EXPECT_EQ(page, MakeLocalStarAnswer(sampleQuery(), files).page);

    // The session takes the rows the local source handed over: those a
    // reading of the page gives, in its order, and their scaled view.
    const SessionState& s = form.session();
    const auto expectReadOf = [&s](const QByteArray& answer) {
        const std::vector<CatalogueRow> read = ReadUsnoA2Rows(answer, 341.8); // about the field
        ASSERT_EQ(s.Catalogue.stars.size(), read.size());
        for (size_t i = 0; i < read.size(); ++i) {
            SCOPED_TRACE("row " + std::to_string(i + 1));
            EXPECT_EQ(s.Catalogue.stars[i].id, read[i].id);
            EXPECT_EQ(s.Catalogue.stars[i].ra, read[i].ra);
            EXPECT_EQ(s.Catalogue.stars[i].dec, read[i].dec);
            EXPECT_EQ(s.Catalogue.stars[i].mag, read[i].mag);
            EXPECT_EQ(s.Catalogue.stars[i].magBlue, read[i].magBlue);
        }
        CatalogueStarTable table;
        ReadUsnoA2Answer(answer, s.Plate.corrAsd, s.Plate.corrDec, table, 341.8);
        EXPECT_EQ(s.Stars.rowsRead, table.rowsRead);
        EXPECT_EQ(s.Stars.ra, table.ra);
        EXPECT_EQ(s.Stars.dec, table.dec);
        EXPECT_EQ(s.Stars.id, table.id);
    };
    form.READFILE();
    expectReadOf(page);
    // They are not read back from "data": a file changed behind the
    // session's back does not change them.
    folder.write("data", readSample("data"));
    form.READFILE();
    expectReadOf(page);
}
