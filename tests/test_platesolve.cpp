// The command-line solver on the real sample field.
#include "catalogues/usnoa2.h"
#include "testing.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <cmath>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

using testing_support::sampleFile;

namespace {

struct SolverRun {
    int status = -1;
    QJsonObject json;
    QString err;
};

SolverRun platesolve(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(TEST_PROGRAM_DIR "/platesolve"), args);
    p.waitForFinished(60000);
    SolverRun r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QStringList sampleArgs() {
    // Clicks a few pixels off the stars of picks.json; the brightest-spot search brings them back.
    return {"--image",     sampleFile("image.png"),
            "--catalogue", sampleFile("data"),
            "--corrasd",   "833.27",
            "--corrdec",   "1575.63",
            "--tolerance", "20.5",
            "--threshold", "10",
            "--pick",      "631,135",
            "--pick",      "902,835",
            "--pick",      "303,262",
            "--pick",      "494,932",
            "--pick",      "235,638"};
}

} // namespace

TEST(Platesolve, FindsTheTrueIdentificationOfTheSample) {
    QStringList args = sampleArgs();
    args << "--decider"
         << "--xy"
         << "511.5,511.5"
         << "--xy"
         << "100,900"
         << "--xy"
         << "980,60";
    const SolverRun r = platesolve(args);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.json["rows_read"].toInt(), 48);
    EXPECT_EQ(r.json["stars_in_use"].toInt(), 48);
    const QJsonArray picks = r.json["picks"].toArray();
    ASSERT_EQ(picks.size(), 5);
    EXPECT_NEAR(picks[0].toArray()[0].toDouble(), 630, 1.5);
    EXPECT_NEAR(picks[0].toArray()[1].toDouble(), 133, 1.5);

    const QJsonArray candidates = r.json["candidates"].toArray();
    const QJsonArray truth{9, 13, 19, 20, 45};
    QJsonObject best;
    for (const QJsonValue& c : candidates) {
        EXPECT_TRUE(c.toObject()["passes_decider"].toBool());
        if (c.toObject()["rows"].toArray() == truth) best = c.toObject();
    }
    ASSERT_FALSE(best.isEmpty()) << "true identification missing";
    EXPECT_EQ(best["ids"].toArray()[0].toString(), "U1425_34166766");
    // Positions from the three-star model agree with the true solution to a
    // few arcseconds (pixels are 2.3"; the affine model through picks 1-3 is
    // not exact at this declination).
    const QJsonArray radec = best["radec"].toArray();
    const double xy[3][2] = {{511.5, 511.5}, {100, 900}, {980, 60}};
    for (int i = 0; i < 3; ++i) {
        const auto t = testing_support::sampleTrueSky(xy[i][0], xy[i][1]);
        const double sep = testing_support::separationArcsec(
            radec[i].toArray()[0].toDouble(), radec[i].toArray()[1].toDouble(), t.ra, t.dec);
        EXPECT_LT(sep, 25.0) << "point " << i;
    }
}

// The minor planets of the sample's answer, placed with the first candidate's
// model: each pixel goes back through that model to the row's position
// (right ascension taken beside the field, 0h wrapped) within the rounding of
// the scaled coordinates.
TEST(Platesolve, PlacesTheMinorPlanetsOfAnAnswer) {
    QStringList args = sampleArgs();
    args << "--decider"
         << "--minor-planets" << sampleFile("data2");
    const SolverRun r = platesolve(args);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.json["minor_planets_read"].toInt(), 3);
    EXPECT_TRUE(r.json["minor_planet_notes"].toArray().isEmpty());
    const QJsonArray a = r.json["candidates"].toArray()[0].toObject()["a"].toArray();
    const QJsonArray planets = r.json["minor_planets"].toArray();
    ASSERT_EQ(planets.size(), 3);
    const QJsonObject kaplan = planets[1].toObject();
    EXPECT_EQ(kaplan["designation"].toString(), "1987");
    EXPECT_EQ(kaplan["name"].toString(), "Kaplan");
    EXPECT_NEAR(kaplan["ra"].toDouble(), (6.2 / 3600) * 15, 1e-9);
    EXPECT_NEAR(kaplan["dec"].toDouble(), 47 + 49 / 60.0 + 57 / 3600.0, 1e-9);
    EXPECT_EQ(kaplan["mag"].toString(), "14.1");
    EXPECT_EQ(kaplan["motion1"].toString(), "36-");
    EXPECT_EQ(kaplan["motion2"].toString(), "1-");
    for (const QJsonValue& v : planets) {
        const QJsonObject p = v.toObject();
        const double x = p["x"].toDouble(), y = p["y"].toDouble();
        double ra = p["ra"].toDouble();
        if (ra < 180) ra += 360; // the field is at 22h47m
        EXPECT_NEAR(a[0].toDouble() * x + a[1].toDouble() * y + a[2].toDouble(), ra * 833.27, 0.51)
            << p["name"].toString().toStdString();
        EXPECT_NEAR(a[3].toDouble() * x + a[4].toDouble() * y + a[5].toDouble(),
                    p["dec"].toDouble() * 1575.63, 0.51);
        // Far outside the 1024-pixel image, but not a whole turn of the sky away.
        EXPECT_LT(std::hypot(x - 512, y - 512), 40000);
    }

    args.last() = sampleFile("no-such-data2");
    EXPECT_EQ(platesolve(args).status, 2);
}

TEST(Platesolve, ReportsBadInputWithNonZeroStatus) {
    QStringList args = sampleArgs();
    args.removeLast();
    args.removeLast(); // four picks
    SolverRun r = platesolve(args);
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(r.err.contains("five")) << r.err.toStdString();

    args = sampleArgs();
    args[args.indexOf("--tolerance") + 1] = "wide";
    r = platesolve(args);
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(r.err.contains("wide"));

    args = sampleArgs();
    args[1] = sampleFile("no-such-image.png");
    EXPECT_NE(platesolve(args).status, 0);

    args = sampleArgs();
    args[3] = sampleFile("no-such-data");
    EXPECT_NE(platesolve(args).status, 0);

    // Picks 1-3 on one line: no model can be made, and it says so.
    args = sampleArgs();
    args << "--no-snap";
    args[args.indexOf("631,135")] = "100,100";
    args[args.indexOf("902,835")] = "200,200";
    args[args.indexOf("303,262")] = "300,300";
    r = platesolve(args);
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.err.contains("straight line"));
}

namespace {

QStringList autoArgs() {
    return {"--image",     sampleFile("image.png"),
            "--catalogue", sampleFile("data"),
            "--corrasd",   "833.27",
            "--corrdec",   "1575.63",
            "--tolerance", "20.5",
            "--threshold", "10"};
}

// The sample's answer padded to 497 rows with faint random stars in the same
// 28' circle (seeded as the matching benchmark does): a crowded field in
// which most catalogue stars are not on the image.
QString WriteDenseCatalogue(const QTemporaryDir& dir) {
    QByteArray bytes = testing_support::readSample("data");
    const qsizetype tail = bytes.indexOf("</pre>");
    QByteArray rows;
    std::mt19937 rng(7380);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    const double ra0 = 341.800866, dec0 = 58.053984, radius = 28.0 / 60.0;
    for (int r = 49; r <= 497;) {
        const double a = u(rng), b = u(rng);
        if (a * a + b * b > 1.0) continue;
        const double ra = ra0 + a * radius / std::cos(dec0 * M_PI / 180.0), dec = dec0 + b * radius;
        rows += QStringLiteral("%1 U1425_%2 %3 %4 15.0 15.6  10.000   0.0  \n")
                    .arg(r, 4)
                    .arg(90000000 + r, 8, 10, QLatin1Char('0'))
                    .arg(ra, 9, 'f', 5)
                    .arg(dec >= 0 ? QStringLiteral("+%1").arg(dec, 8, 'f', 5)
                                  : QStringLiteral("%1").arg(dec, 9, 'f', 5))
                    .toLatin1();
        ++r;
    }
    bytes.insert(tail, rows);
    const QString path = dir.filePath(QStringLiteral("dense"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

} // namespace

TEST(Platesolve, AutomaticPicksRankingAndRefinedPlateSolveTheSample) {
    QTemporaryDir dir;
    const QString wcs = dir.filePath(QStringLiteral("sample.wcs"));
    QStringList args = autoArgs();
    args << "--auto"
         << "--rank"
         << "--refine"
         << "--wcs-out" << wcs << "--xy"
         << "511.5,511.5"
         << "--xy"
         << "0,0"
         << "--xy"
         << "1023,1023";
    const SolverRun r = platesolve(args);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.json["auto_picks"].toBool());
    ASSERT_EQ(r.json["picks"].toArray().size(), 5);
    const QJsonArray candidates = r.json["candidates"].toArray();
    ASSERT_FALSE(candidates.isEmpty());
    // The first candidate offered is the true identification: its picks are
    // the catalogue stars they were matched to (within a few pixels of
    // their true positions), and it has the most evidence.
    const QJsonObject first = candidates[0].toObject();
    for (int i = 0; i < 5; ++i) {
        const QJsonArray pick = r.json["picks"].toArray()[i].toArray();
        const auto truth = testing_support::sampleTrueSky(pick[0].toDouble(), pick[1].toDouble());
        CatalogueStarTable stars;
        ReadUsnoA2File(sampleFile("data"), 833.27, 1575.63, stars);
        const int row = first["rows"].toArray()[i].toInt();
        EXPECT_LT(testing_support::separationArcsec(stars.ra[row] / 833.27,
                                                    stars.dec[row] / 1575.63, truth.ra, truth.dec),
                  5.0)
            << "pick " << i + 1;
    }
    for (const QJsonValue& c : candidates)
        EXPECT_LE(c.toObject()["evidence"].toInt(), first["evidence"].toInt());
    EXPECT_GE(first["evidence"].toInt(), 15);

    // The refined plate: sub-pixel residuals, and positions within an
    // arcsecond of the true plate even in the corners.
    const QJsonObject refined = r.json["refined"].toObject();
    ASSERT_FALSE(refined.isEmpty()) << r.json["refine_error"].toString().toStdString();
    EXPECT_GE(refined["stars_used"].toInt(), 15);
    EXPECT_LT(refined["rms_px"].toDouble(), 0.6);
    EXPECT_LT(refined["max_px"].toDouble(), 1.5);
    EXPECT_EQ(refined["crpix"].toArray(), (QJsonArray{511.5, 511.5}));
    const double xy[3][2] = {{511.5, 511.5}, {0, 0}, {1023, 1023}};
    for (int i = 0; i < 3; ++i) {
        const QJsonArray p = refined["radec"].toArray()[i].toArray();
        const auto t = testing_support::sampleTrueSky(xy[i][0], xy[i][1]);
        EXPECT_LT(testing_support::separationArcsec(p[0].toDouble(), p[1].toDouble(), t.ra, t.dec),
                  1.0)
            << "point " << i;
    }
    QFile header(wcs);
    ASSERT_TRUE(header.open(QIODevice::ReadOnly));
    EXPECT_EQ(header.size() % 2880, 0);
    EXPECT_TRUE(header.readAll().contains("RA---TAN"));
}

TEST(Platesolve, RankingPutsTheTrueIdentificationFirstInACrowdedField) {
    QTemporaryDir dir;
    QStringList args = sampleArgs();
    args[args.indexOf("--catalogue") + 1] = WriteDenseCatalogue(dir);
    const SolverRun plain = platesolve(args);
    ASSERT_EQ(plain.status, 0) << plain.err.toStdString();
    EXPECT_EQ(plain.json["stars_in_use"].toInt(), 497);
    const QJsonArray truth{9, 13, 19, 20, 45};
    const QJsonArray unranked = plain.json["candidates"].toArray();
    ASSERT_GT(unranked.size(), 20); // many candidates, the true one not first
    EXPECT_NE(unranked[0].toObject()["rows"].toArray(), truth);

    args << "--rank";
    const SolverRun ranked = platesolve(args);
    ASSERT_EQ(ranked.status, 0);
    const QJsonArray candidates = ranked.json["candidates"].toArray();
    ASSERT_EQ(candidates.size(), unranked.size());
    EXPECT_EQ(candidates[0].toObject()["rows"].toArray(), truth);
    // Candidates that share picks 1-3 with it share its plate model and so
    // its evidence (a random row may sit near pick 4 or 5); every other model
    // has clearly less (about half on this field).
    const int best = candidates[0].toObject()["evidence"].toInt();
    for (const QJsonValue& c : candidates) {
        const QJsonArray rows = c.toObject()["rows"].toArray();
        if (rows[0] == truth[0] && rows[1] == truth[1] && rows[2] == truth[2]) continue;
        EXPECT_LT(c.toObject()["evidence"].toInt(), best * 3 / 4);
    }
}

TEST(Platesolve, AutomaticOptionsReportWhatCannotBeDone) {
    // --auto and --pick together are refused.
    QStringList args = sampleArgs();
    args << "--auto";
    SolverRun r = platesolve(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("--auto")) << r.err.toStdString();

    // A black image has no stars to pick.
    QTemporaryDir dir;
    QImage black(200, 200, QImage::Format_RGB32);
    black.fill(Qt::black);
    const QString path = dir.filePath(QStringLiteral("black.png"));
    ASSERT_TRUE(black.save(path));
    args = autoArgs();
    args[1] = path;
    args << "--auto";
    r = platesolve(args);
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.err.contains("fewer than five")) << r.err.toStdString();

    // Without stars to refine with, the three-star model stays and the
    // header is written from it.
    args = sampleArgs();
    args[1] = path;
    args << "--no-snap"
         << "--refine"
         << "--wcs-out" << dir.filePath(QStringLiteral("x.wcs"));
    r = platesolve(args);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    ASSERT_FALSE(r.json["candidates"].toArray().isEmpty());
    EXPECT_TRUE(r.json["refined"].isNull());
    EXPECT_TRUE(r.json["refine_error"].toString().contains("6 needed"));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("x.wcs"))));
}

TEST(Platesolve, ThresholdBeyondSixteenBitsIsABadArgument) {
    QStringList args = sampleArgs();
    args[args.indexOf("--threshold") + 1] = "40000";
    const SolverRun r = platesolve(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("--threshold")) << r.err.toStdString();
    EXPECT_TRUE(r.json.isEmpty());
}
