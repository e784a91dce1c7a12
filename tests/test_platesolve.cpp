// The command-line solver on the real sample field.
#include "testing.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

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

TEST(Platesolve, ThresholdBeyondSixteenBitsIsABadArgument) {
    QStringList args = sampleArgs();
    args[args.indexOf("--threshold") + 1] = "40000";
    const SolverRun r = platesolve(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("--threshold")) << r.err.toStdString();
    EXPECT_TRUE(r.json.isEmpty());
}
