// The version check and usage counter against a local server.
#include "catalogues/web/versioncheck.h"
#include "localserver.h"
#include "testing.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

using testing_support::ProgramFolderFixture;

namespace {

// A maker's site whose version file holds `version`.
LocalHttpServer::Handler site(const QByteArray& version) {
    return [version](const QByteArray& path) {
        if (path == "/compteur.php") return LocalHttpServer::Reply{200, "counted"};
        if (path == "/version.txt") return LocalHttpServer::Reply{200, version};
        return LocalHttpServer::Reply{404, "no such page"};
    };
}

UpdateCheckRequest request(const LocalHttpServer& server) {
    return {true, server.base(), QStringLiteral("1.4.14")};
}

} // namespace

TEST(VersionCheck, RunningVersionIsMajorMinorRevision) {
    EXPECT_EQ(RunningVersionText(), QStringLiteral("%1.%2.%3")
                                        .arg(APP_VERSION_MAJOR)
                                        .arg(APP_VERSION_MINOR)
                                        .arg(APP_VERSION_PATCH));
    EXPECT_EQ(RunningVersionText(), "1.4.14");
}

TEST(VersionCheck, SameVersionShowsNothingAndAnyOtherTextDoes) {
    ProgramFolderFixture folder;
    for (const QByteArray& same :
         {QByteArray("1.4.14"), QByteArray("1.4.14\n"), QByteArray("1.4.14\r\nnotes")}) {
        LocalHttpServer server(site(same));
        const UpdateCheckResult r = CheckForUpdate(request(server));
        EXPECT_EQ(server.requests, QStringList({"/compteur.php", "/version.txt"}));
        EXPECT_TRUE(r.contacted);
        EXPECT_EQ(r.latest, "1.4.14");
        EXPECT_FALSE(r.newVersion) << same.toStdString();
    }
    LocalHttpServer server(site("1.04.0014\r\n"));
    const UpdateCheckResult r = CheckForUpdate(request(server));
    EXPECT_EQ(r.latest, "1.04.0014");
    EXPECT_TRUE(r.newVersion);
    EXPECT_EQ(folder.read("temp.tmp"), "counted");
}

TEST(VersionCheck, NothingIsContactedWhenSwitchedOffOrWithoutASite) {
    ProgramFolderFixture folder;
    LocalHttpServer server(site("2.0.0"));
    UpdateCheckRequest off = request(server);
    off.enabled = false;
    EXPECT_FALSE(CheckForUpdate(off).contacted);
    UpdateCheckRequest noSite = request(server);
    noSite.makerSite.clear();
    EXPECT_FALSE(CheckForUpdate(noSite).contacted);
    EXPECT_TRUE(server.requests.isEmpty());
    EXPECT_FALSE(QFile::exists(folder.file("temp.tmp")));
}

TEST(VersionCheck, NoAnswerOrAnOddAnswerShowsNothing) {
    ProgramFolderFixture folder;
    // A version file left from an earlier check is never taken for an answer.
    folder.write("version.tmp", "9.9.9\r\n");
    LocalHttpServer missing([](const QByteArray&) { return LocalHttpServer::Reply{404, "gone"}; });
    UpdateCheckResult r = CheckForUpdate(request(missing));
    EXPECT_FALSE(r.newVersion);
    EXPECT_TRUE(r.latest.isEmpty());

    for (const QByteArray& odd : {QByteArray(), QByteArray("\r\n1.5.0"),
                                  QByteArray("<html><body>Sign in to the network</body></html>")}) {
        LocalHttpServer server(site(odd));
        r = CheckForUpdate(request(server));
        EXPECT_FALSE(r.newVersion) << odd.toStdString();
    }

    // A site that accepts the connection and never answers: the whole check
    // ends within its budget, silently.
    LocalHttpServer silent([](const QByteArray&) {
        LocalHttpServer::Reply reply;
        reply.hang = true;
        return reply;
    });
    UpdateCheckRequest slow = request(silent);
    slow.budgetMs = 500;
    QElapsedTimer clock;
    clock.start();
    r = CheckForUpdate(slow);
    const qint64 took = clock.elapsed();
    EXPECT_FALSE(r.newVersion);
    EXPECT_GE(took, 400);
    EXPECT_LT(took, 500 + 1500) << took << " ms";
}
