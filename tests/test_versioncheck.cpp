// The version check and usage counter against a local server.
#include "catalogues/web/versioncheck.h"
#include "localserver.h"
#include "testing.h"

#include <QFile>
#include <gtest/gtest.h>

using testing_support::ProgramFolderFixture;

namespace {
// A maker's site whose version file holds `version` (404 for "missing").
LocalHttpServer::Handler site(const QByteArray& version) {
    return [version](const QByteArray& path) {
        if (path == "/compteur.php") return LocalHttpServer::Reply{200, "counted"};
        if (path == "/version.txt" && version != "missing")
            return LocalHttpServer::Reply{200, version};
        return LocalHttpServer::Reply{404, "no such page"};
    };
}
} // namespace

TEST(VersionCheck, OnlyADifferentVersionTextShowsTheHint) {
    ProgramFolderFixture folder;
    EXPECT_EQ(RunningVersionText(), "1.4.14");
    folder.write("version.tmp", "9.9.9\r\n"); // left by an earlier check: never used
    const std::pair<QByteArray, bool> answers[] = {
        {"missing", false},   {"1.4.14", false},
        {"1.4.14\n", false},  {"1.4.14\r\nnotes", false},
        {"1.04.0014", true},  {"", false},
        {"\r\n1.5.0", false}, {"<html><body>Sign in to the network</body></html>", false}};
    for (const auto& [answer, hint] : answers) {
        LocalHttpServer server(site(answer));
        const UpdateCheckResult r = CheckForUpdate({true, server.base(), RunningVersionText()});
        EXPECT_EQ(server.requests, QStringList({"/compteur.php", "/version.txt"}));
        EXPECT_EQ(r.newVersion, hint) << answer.toStdString();
    }
    EXPECT_EQ(folder.read("temp.tmp"), "counted");
}

TEST(VersionCheck, NothingIsContactedWhenSwitchedOffOrWithoutASite) {
    ProgramFolderFixture folder;
    LocalHttpServer server(site("2.0.0"));
    EXPECT_FALSE(CheckForUpdate({false, server.base(), "1.4.14"}).contacted);
    EXPECT_FALSE(CheckForUpdate({true, QString(), "1.4.14"}).contacted);
    EXPECT_TRUE(server.requests.isEmpty());
    EXPECT_FALSE(QFile::exists(folder.file("temp.tmp")));
}
