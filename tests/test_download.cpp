// The internet layer and the download routine with its cache, against a
// local server.
#include "catalogues/web/download.h"
#include "catalogues/webswitches.h"
#include "localserver.h"
#include "platform/net/http.h"
#include "testing.h"
#include "text/language.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <gtest/gtest.h>

using testing_support::ProgramFolderFixture;

namespace {

QByteArray bytesOf(qsizetype n, char first = 'a') {
    QByteArray b(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i)
        b[i] = static_cast<char>(first + i % 26);
    return b;
}

// Restores the program-wide switches and limits after each test.
class DownloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_web = Web();
        m_limits = http::limits();
        http::limits().idleTimeoutMs = 400;
        Lang().FormMessages[24] = QStringLiteral("served from the cache");
    }
    void TearDown() override {
        Web() = m_web;
        http::limits() = m_limits;
    }
    DownloadOptions logging() {
        DownloadOptions o;
        o.log = [this](const QString& line) { log << line; };
        return o;
    }
    QStringList log;

private:
    WebSwitches m_web;
    http::Limits m_limits;
};

} // namespace

TEST_F(DownloadTest, ReadsTheBodyInBlocksOf2048Bytes) {
    const QByteArray body = bytesOf(5000);
    LocalHttpServer server([&](const QByteArray&) { return LocalHttpServer::Reply{200, body}; });

    http::SessionHandle session = http::InternetOpen(http::agentName());
    http::RequestHandle request = http::InternetOpenUrl(*session, server.base() + "/x");
    char buffer[http::kBlockSize];
    QList<qint64> sizes;
    QByteArray got;
    for (;;) {
        const qint64 n = http::InternetReadFile(*request, buffer, http::kBlockSize);
        sizes << n;
        if (n == 0) break;
        got.append(buffer, n);
    }
    EXPECT_EQ(sizes, (QList<qint64>{2048, 2048, 904, 0}));
    EXPECT_EQ(got, body);
    EXPECT_EQ(request->outcome(), http::Outcome::Finished);
    EXPECT_EQ(request->httpStatus(), 200);
    http::InternetCloseHandle(request);
    http::InternetCloseHandle(session);

    QList<qint64> progress;
    const http::FetchResult r =
        http::Fetch(server.base() + "/x", [&](qint64 received) { progress << received; });
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.body, body);
    EXPECT_EQ(progress, (QList<qint64>{2048, 4096, 5000}));

    // Always from the server, under the program's own agent name.
    const QByteArray head = server.heads.last().toLower();
    EXPECT_TRUE(head.contains("cache-control: no-cache"));
    EXPECT_TRUE(head.contains("user-agent: " + http::agentName().toLower().toLatin1()));
}

TEST_F(DownloadTest, FailuresAreReportedNotTakenForAnswers) {
    LocalHttpServer server([](const QByteArray& path) {
        LocalHttpServer::Reply r;
        if (path == "/hang")
            r.hang = true;
        else if (path == "/stall") {
            r.body = bytesOf(8000);
            r.stallAfter = 3000;
        } else if (path == "/error") {
            r.status = 500;
            r.body = "<html>Internal error</html>";
        } else
            r.body = bytesOf(20000);
        return r;
    });

    // A server that never answers: ends after the idle time, and the event
    // loop keeps running meanwhile.
    bool ticked = false;
    QTimer::singleShot(50, [&] { ticked = true; });
    QElapsedTimer clock;
    clock.start();
    http::FetchResult r = http::Fetch(server.base() + "/hang");
    EXPECT_EQ(r.outcome, http::Outcome::TimedOut);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(ticked);
    EXPECT_FALSE(r.error.isEmpty());

    // Stalled in the middle of the body: no partial body comes back.
    r = http::Fetch(server.base() + "/stall");
    EXPECT_EQ(r.outcome, http::Outcome::TimedOut);
    EXPECT_TRUE(r.body.isEmpty());

    r = http::Fetch(server.base() + "/error");
    EXPECT_EQ(r.outcome, http::Outcome::Failed);
    EXPECT_EQ(r.httpStatus, 500);
    EXPECT_TRUE(r.error.contains("500"));
    EXPECT_TRUE(r.body.isEmpty());

    http::limits().maxBodyBytes = 10000;
    r = http::Fetch(server.base() + "/big");
    EXPECT_EQ(r.outcome, http::Outcome::TooLarge);
    EXPECT_TRUE(r.body.isEmpty());

    r = http::Fetch("ftp://example.org/x");
    EXPECT_EQ(r.outcome, http::Outcome::Failed);

    // Nobody listening on the port any more.
    const QString closed = server.base();
    server.close();
    r = http::Fetch(closed + "/x");
    EXPECT_EQ(r.outcome, http::Outcome::Failed);
    EXPECT_FALSE(r.error.isEmpty());
}

TEST_F(DownloadTest, TheAnswerFileHoldsExactlyTheNewAnswerOrStaysAsItWas) {
    ProgramFolderFixture folder;
    QByteArray answer = bytesOf(6000);
    LocalHttpServer::Reply next{200, answer};
    LocalHttpServer server([&](const QByteArray&) { return next; });
    const QString url = server.base() + "/q";
    Web().AutonomousMode = false;

    DownloadResult r = DownloadUrl(url, "data", logging());
    EXPECT_EQ(r.status, DownloadResult::Status::Downloaded);
    EXPECT_EQ(folder.read("data"), answer);

    // A shorter answer leaves nothing of the longer one behind.
    next.body = "short answer";
    EXPECT_TRUE(DownloadUrl(url, "data").ok());
    EXPECT_EQ(folder.read("data"), QByteArray("short answer"));

    // Failures keep the previous answer and say so in a status line.
    next = LocalHttpServer::Reply{500, "<html>error page</html>"};
    r = DownloadUrl(url, "data", logging());
    EXPECT_EQ(r.status, DownloadResult::Status::Failed);
    EXPECT_EQ(folder.read("data"), QByteArray("short answer"));
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].contains("failed")) << log[0].toStdString();

    next = LocalHttpServer::Reply{};
    next.body = bytesOf(9000);
    next.stallAfter = 4000;
    EXPECT_FALSE(DownloadUrl(url, "data").ok());
    EXPECT_EQ(folder.read("data"), QByteArray("short answer"));

    // An empty answer writes nothing; a missing file is created empty.
    next = LocalHttpServer::Reply{200, QByteArray()};
    EXPECT_TRUE(DownloadUrl(url, "data").ok());
    EXPECT_EQ(folder.read("data"), QByteArray("short answer"));
    EXPECT_TRUE(DownloadUrl(url, "other").ok());
    EXPECT_TRUE(QFileInfo::exists(folder.file("other")));

    // A name with a folder part is refused before any request.
    const qsizetype before = server.requests.size();
    EXPECT_FALSE(DownloadUrl(url, "../data").ok());
    EXPECT_FALSE(DownloadUrl(url, "cat/data").ok());
    EXPECT_EQ(server.requests.size(), before);

    // A download started while one runs is refused, the first one completes.
    next = LocalHttpServer::Reply{200, bytesOf(5000)};
    DownloadResult nested;
    DownloadOptions o;
    o.progress = [&](qint64) {
        if (nested.message.isEmpty()) nested = DownloadUrl(url, "data");
    };
    EXPECT_TRUE(DownloadUrl(url, "data", o).ok());
    EXPECT_EQ(nested.status, DownloadResult::Status::Failed);
    EXPECT_EQ(folder.read("data"), bytesOf(5000));
}

TEST_F(DownloadTest, AutonomousModeServesRepeatedQueriesFromTheCache) {
    ProgramFolderFixture folder;
    QByteArray body = "first answer";
    int status = 200;
    LocalHttpServer server([&](const QByteArray&) { return LocalHttpServer::Reply{status, body}; });
    const QString url = server.base() + "/q";
    const QDir cat(folder.file("cat"));

    // Off: nothing is read from or written to the cache.
    Web().AutonomousMode = false;
    Web().StarCacheKey = "53517523281015";
    const QStringList before = cat.entryList(QDir::Files);
    folder.write("cat/data53517523281015", "stale cached answer");
    EXPECT_EQ(DownloadUrl(url, "data").status, DownloadResult::Status::Downloaded);
    EXPECT_EQ(folder.read("data"), QByteArray("first answer"));
    EXPECT_EQ(folder.read("cat/data53517523281015"), QByteArray("stale cached answer"));
    QFile::remove(folder.file("cat/data53517523281015"));
    EXPECT_EQ(cat.entryList(QDir::Files), before);

    // On: the first query is fetched and stored, the second is not fetched.
    Web().AutonomousMode = true;
    EXPECT_EQ(DownloadUrl(url, "data", logging()).status, DownloadResult::Status::Downloaded);
    EXPECT_EQ(folder.read("cat/data53517523281015"), QByteArray("first answer"));
    const qsizetype requests = server.requests.size();
    body = "second answer";
    EXPECT_EQ(DownloadUrl(url, "data", logging()).status, DownloadResult::Status::FromCache);
    EXPECT_EQ(server.requests.size(), requests);
    EXPECT_EQ(folder.read("data"), QByteArray("first answer"));
    EXPECT_EQ(log, QStringList{"served from the cache"});

    // "5" and "05" are different keys.
    Web().StarCacheKey = "053517523281015";
    EXPECT_EQ(DownloadUrl(url, "data").status, DownloadResult::Status::Downloaded);
    EXPECT_EQ(folder.read("cat/data053517523281015"), QByteArray("second answer"));
    EXPECT_EQ(folder.read("cat/data53517523281015"), QByteArray("first answer"));

    // The minor-planet answer has its own key; other names are never cached.
    Web().MinorPlanetCacheKey = "mp-key";
    EXPECT_TRUE(DownloadUrl(url, "data2").ok());
    EXPECT_EQ(folder.read("cat/data2mp-key"), QByteArray("second answer"));
    const QStringList cached = cat.entryList(QDir::Files);
    EXPECT_TRUE(DownloadUrl(url, "version.txt").ok());
    EXPECT_EQ(cat.entryList(QDir::Files), cached);

    // A failed download caches nothing (not the previous answer either).
    status = 503;
    Web().StarCacheKey = "new-field";
    EXPECT_FALSE(DownloadUrl(url, "data").ok());
    EXPECT_FALSE(QFileInfo::exists(folder.file("cat/datanew-field")));
}

TEST_F(DownloadTest, CacheKeysNeverLeaveTheCacheFolder) {
    // Ordinary keys keep the plain name, so existing caches still match.
    EXPECT_EQ(CacheFileName("data", "53517523281015"), QString("data53517523281015"));
    EXPECT_EQ(CacheFileName("data", "224712.2583142811.5"), QString("data224712.2583142811.5"));
    EXPECT_EQ(CacheFileName("data2", "-5+23"), QString("data2-5+23"));

    const QStringList unsafe = {"../../evil",
                                "a/b",
                                "a\\b",
                                "c:x",
                                "*?\"<>|",
                                "a%2Fb",
                                QString(5000, 'x'),
                                QString(5000, 'x') + "y",
                                "é"};
    QSet<QString> names;
    for (const QString& key : unsafe) {
        const QString name = CacheFileName("data", key);
        EXPECT_EQ(name, CacheFileName("data", key)) << "deterministic";
        EXPECT_LE(name.size(), 200);
        for (const QChar c : QStringView(u"/\\:*?\"<>|"))
            EXPECT_FALSE(name.contains(c)) << name.toStdString();
        EXPECT_TRUE(name.startsWith("data"));
        names.insert(name);
    }
    EXPECT_EQ(names.size(), unsafe.size()) << "different keys, different files";

    // End to end: an unsafe key writes inside cat and is found again.
    ProgramFolderFixture folder;
    LocalHttpServer server([](const QByteArray&) { return LocalHttpServer::Reply{200, "answer"}; });
    Web().AutonomousMode = true;
    Web().StarCacheKey = "../../escape";
    EXPECT_TRUE(DownloadUrl(server.base() + "/q", "data").ok());
    EXPECT_FALSE(QFileInfo::exists(folder.file("escape")));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(folder.path()).path() + "/escape"));
    const QFileInfo stored(CacheFilePath("data", Web().StarCacheKey));
    EXPECT_TRUE(stored.isFile());
    EXPECT_EQ(stored.absolutePath(), QDir(folder.file("cat")).absolutePath());
    EXPECT_EQ(DownloadUrl(server.base() + "/q", "data").status, DownloadResult::Status::FromCache);
}
