// The internet layer, the download routine with its cache, and the version
// check, against a local server.
#include "catalogues/web/download.h"
#include "catalogues/web/starquery.h"
#include "catalogues/web/versioncheck.h"
#include "localserver.h"
#include "platform/net/http.h"
#include "testing.h"
#include "text/language.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <zlib.h>

using namespace reduction;
using namespace field;
using namespace catalogues;
using namespace catalogues::web;
using namespace text;

using namespace testing_support;

namespace {

QByteArray bytesOf(qsizetype n, char first = 'a') {
    QByteArray b(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i)
        b[i] = static_cast<char>(first + i % 26);
    return b;
}

// Short idle times; the program-wide limits and texts restored afterwards.
class DownloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        http::CurrentLimits().idleTimeoutMs = 400;
        Lang().FormMessages[24] = QStringLiteral("served from the cache");
    }
    DownloadOptions logging() {
        DownloadOptions o;
        o.log = [this](const QString& line) { log << line; };
        return o;
    }
    QStringList log;

private:
    Restore<http::Limits> m_limits{http::CurrentLimits()};
    Restore<LanguageTable> m_lang{Lang()};
};

} // namespace

TEST_F(DownloadTest, ProgressFollowsTheBytesAndTheServerIsAlwaysAsked) {
    const QByteArray body = bytesOf(5000);
    LocalHttpServer server([&](const QByteArray&) { return LocalHttpServer::Reply{200, body}; });
    QList<qint64> progress;
    http::RequestOptions options;
    options.progress = [&](qint64 received, qint64 total) {
        progress << received;
        EXPECT_EQ(total, 5000);
    };
    const http::FetchResult r = http::Fetch(server.base() + "/x", options);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.body, body);
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last(), 5000);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));

    // Never from a cache on the way, under the program's own agent name.
    const QByteArray head = server.heads.last().toLower();
    EXPECT_TRUE(head.contains("cache-control: no-cache"));
    EXPECT_TRUE(head.contains("user-agent: " + http::AgentName().toLower().toLatin1()));
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

    http::CurrentLimits().maxBodyBytes = 10000;
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

TEST_F(DownloadTest, AnAnswerCutShortIsAFailure) {
    // 8000 bytes announced, 3000 sent, then the connection is reset or
    // closed. Repeated, since the outcome used to depend on timing.
    ProgramFolderFixture folder;
    folder.write("data", "previous answer");
    LocalHttpServer server([](const QByteArray& path) {
        LocalHttpServer::Reply r{200, bytesOf(8000)};
        (path == "/reset" ? r.resetAfter : r.closeAfter) = 3000;
        return r;
    });
    for (int i = 0; i < 10; ++i) {
        for (const char* path : {"/reset", "/close"}) {
            const http::FetchResult r = http::Fetch(server.base() + path);
            EXPECT_EQ(r.outcome, http::Outcome::Failed) << path;
            EXPECT_TRUE(r.body.isEmpty());
            const DownloadResult d =
                DownloadUrl(server.base() + path, "data", {true, "field"}, logging());
            EXPECT_EQ(d.status, DownloadResult::Status::Failed) << path;
        }
    }
    EXPECT_EQ(folder.read("data"), QByteArray("previous answer"));
    EXPECT_FALSE(QFileInfo::exists(CacheFilePath("data", "field")));
    EXPECT_FALSE(log.filter("failed").isEmpty());
}

namespace {

// `bytes` packed by zlib: gzip, or the zlib stream of HTTP's "deflate".
QByteArray packed(const QByteArray& bytes, bool gzip = true) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, gzip ? 16 + MAX_WBITS : MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(static_cast<qsizetype>(deflateBound(&z, uLong(bytes.size()))), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    z.avail_in = uInt(bytes.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.truncate(static_cast<qsizetype>(z.total_out));
    deflateEnd(&z);
    return out;
}

} // namespace

// Packed answers are unpacked whole; one whose packed stream stops early
// (every announced byte sent) or unpacks beyond the size limit is a failed
// download: the answer file and the cache stay as they were.
TEST_F(DownloadTest, PackedAnswersMustEndProperly) {
    ProgramFolderFixture folder;
    folder.write("data", "previous answer");
    folder.write("data2", "previous minor planets");
    const QByteArray stars = readSample("data"), planets = readSample("data2");
    const QByteArray gzipStars = packed(stars);
    const QByteArray bomb = packed(QByteArray(8 * 1024 * 1024, '\0')); // about 8 KB
    LocalHttpServer server([&](const QByteArray& path) {
        LocalHttpServer::Reply r{200, {}};
        r.contentEncoding = "gzip";
        if (path == "/stars") r.body = gzipStars;
        if (path == "/stars-cut") r.body = gzipStars.left(gzipStars.size() * 2 / 5);
        if (path == "/planets-cut") r.body = packed(planets).chopped(12); // the trailer lost
        if (path == "/two-members") r.body = packed(stars.left(1000)) + packed(stars.mid(1000));
        if (path == "/deflate") {
            r.body = packed(stars, false);
            r.contentEncoding = "deflate";
        }
        if (path == "/bomb") r.body = bomb;
        if (path == "/junk") r.body = gzipStars.left(20) + QByteArray(500, 'x');
        if (path == "/brotli") {
            r.body = stars;
            r.contentEncoding = "br";
        }
        return r;
    });
    http::CurrentLimits().maxBodyBytes = 4 * 1024 * 1024;

    struct Case {
        const char* path;
        http::Outcome outcome;
    };
    const Case cases[] = {
        {"/stars", http::Outcome::Finished},       // a whole gzip answer
        {"/two-members", http::Outcome::Finished}, // gzip members one after the other
        {"/deflate", http::Outcome::Finished},     // zlib-wrapped deflate
        {"/stars-cut", http::Outcome::Failed},     // the stream stops in the middle
        {"/planets-cut", http::Outcome::Failed},   // only the end of the stream is missing
        {"/junk", http::Outcome::Failed},          // not a packed stream past its start
        {"/brotli", http::Outcome::Failed},        // a packing the program never asked for
        {"/bomb", http::Outcome::TooLarge},        // 8 KB that unpack to 8 MB
    };
    for (const Case& c : cases) {
        const http::FetchResult r = http::Fetch(server.base() + c.path);
        EXPECT_EQ(r.outcome, c.outcome) << c.path << " " << r.error.toStdString();
        EXPECT_TRUE(r.body == (c.outcome == http::Outcome::Finished ? stars : QByteArray()))
            << c.path;
    }
    // The request asks for packed answers itself.
    EXPECT_TRUE(server.heads.last().toLower().contains("accept-encoding: gzip, deflate"));

    // Through the download, in autonomous mode: nothing replaced, nothing cached.
    EXPECT_EQ(DownloadUrl(server.base() + "/stars-cut", "data", {true, "field"}).status,
              DownloadResult::Status::Failed);
    EXPECT_EQ(DownloadUrl(server.base() + "/planets-cut", "data2", {true, "field"}).status,
              DownloadResult::Status::Failed);
    EXPECT_EQ(folder.read("data"), QByteArray("previous answer"));
    EXPECT_EQ(folder.read("data2"), QByteArray("previous minor planets"));
    EXPECT_FALSE(QFileInfo::exists(CacheFilePath("data", "field")));
    EXPECT_FALSE(QFileInfo::exists(CacheFilePath("data2", "field")));
    EXPECT_EQ(DownloadUrl(server.base() + "/stars", "data", {true, "field"}).status,
              DownloadResult::Status::Downloaded);
    EXPECT_EQ(folder.read("data"), stars);
    EXPECT_EQ(readFile(CacheFilePath("data", "field")), stars);
}

TEST_F(DownloadTest, LargeAnswersArriveWholeWithOrWithoutALength) {
    const QByteArray big = bytesOf(1'500'000);
    LocalHttpServer server([&](const QByteArray& path) {
        LocalHttpServer::Reply r{200, big};
        r.withLength = path != "/nolength";
        return r;
    });
    for (const char* path : {"/nolength", "/length"}) {
        const http::FetchResult r = http::Fetch(server.base() + path);
        EXPECT_EQ(r.outcome, http::Outcome::Finished) << path << " " << r.error.toStdString();
        EXPECT_EQ(r.body.size(), big.size()) << path;
        EXPECT_TRUE(r.body == big) << path;
    }
    // The size cap holds without a length too, as the bytes arrive.
    http::CurrentLimits().maxBodyBytes = 1'000'000;
    EXPECT_EQ(http::Fetch(server.base() + "/nolength").outcome, http::Outcome::TooLarge);
}

TEST_F(DownloadTest, ASlowDripEndsAtTheDeadlineWithProgressForEveryByte) {
    // One byte every 2 s never lets the idle timer run out.
    LocalHttpServer server([](const QByteArray&) {
        LocalHttpServer::Reply r{200, bytesOf(100)};
        r.dripMs = 2000;
        return r;
    });
    http::RequestOptions options;
    options.limits = http::Limits{3000, 5000, 1 << 20};
    QList<qint64> progress;
    options.progress = [&](qint64 received, qint64) { progress << received; };
    QElapsedTimer clock;
    clock.start();
    const http::FetchResult r = http::Fetch(server.base() + "/drip", options);
    EXPECT_EQ(r.outcome, http::Outcome::TimedOut);
    EXPECT_TRUE(r.body.isEmpty());
    EXPECT_TRUE(r.error.contains("5 s")) << r.error.toStdString();
    EXPECT_GE(clock.elapsed(), 4500);
    EXPECT_LT(clock.elapsed(), 8000);
    EXPECT_EQ(progress, (QList<qint64>{1, 2}));
}

TEST_F(DownloadTest, CancelEndsTheDownloadAndWritesNothing) {
    ProgramFolderFixture folder;
    folder.write("data", "previous answer");
    LocalHttpServer server([](const QByteArray& path) {
        LocalHttpServer::Reply r{200, bytesOf(1000)};
        r.dripMs = 50;
        r.hang = path == "/hang";
        return r;
    });

    // Cancelled from the progress of the download itself...
    DownloadOptions o = logging();
    qint64 seen = 0;
    o.progress = [&](qint64 received, qint64) { seen = received; };
    o.cancelled = [&] { return seen >= 3; };
    QElapsedTimer clock;
    clock.start();
    DownloadResult d = DownloadUrl(server.base() + "/drip", "data", {true, "field"}, o);
    EXPECT_EQ(d.status, DownloadResult::Status::Cancelled);
    EXPECT_FALSE(d.ok());
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(folder.read("data"), QByteArray("previous answer"));
    EXPECT_FALSE(QFileInfo::exists(CacheFilePath("data", "field")));
    ASSERT_FALSE(log.isEmpty());
    EXPECT_TRUE(log.last().contains("cancelled")) << log.last().toStdString();

    // ...and from elsewhere in the window (a button) while nothing arrives.
    bool cancel = false;
    QTimer::singleShot(200, [&] { cancel = true; });
    o.cancelled = [&] { return cancel; };
    o.limits = http::Limits{60000, 60000, 1 << 20};
    clock.start();
    d = DownloadUrl(server.base() + "/hang", "data", {}, o);
    EXPECT_EQ(d.status, DownloadResult::Status::Cancelled);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(folder.read("data"), QByteArray("previous answer"));
}

TEST_F(DownloadTest, AStarAnswerWithoutTheTableIsNotKept) {
    ProgramFolderFixture folder;
    folder.write("data", "previous answer");
    const QByteArray sample = readSample("data");
    LocalHttpServer::Reply next{200, QByteArray(20 * 1024 * 1024, 'x')};
    LocalHttpServer server([&](const QByteArray&) { return next; });
    WebSwitches web;
    web.AutonomousMode = true;
    const auto query = [&](const DownloadOptions& o = {}) {
        return QueryUsnoA2("2000.0", "22+47+12", "58+3+14", "28", "11.5", web, server.base(),
                           "field", o);
    };

    // 20 MB of junk with status 200: the previous answer and the cache stay.
    DownloadResult d = query(logging());
    EXPECT_EQ(d.status, DownloadResult::Status::Failed);
    EXPECT_TRUE(d.message.contains("no star table")) << d.message.toStdString();
    EXPECT_EQ(folder.read("data"), QByteArray("previous answer"));
    EXPECT_FALSE(QFileInfo::exists(CacheFilePath("data", "field")));
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].contains("no star table"));
    next.body.clear();
    EXPECT_EQ(query().status, DownloadResult::Status::Failed);
    EXPECT_EQ(folder.read("data"), QByteArray("previous answer"));

    // A real answer is kept and cached; a junk cache file is passed over.
    folder.write("cat/" + CacheFileName("data", "field"), "junk in the cache");
    next.body = sample;
    EXPECT_EQ(query().status, DownloadResult::Status::Downloaded);
    EXPECT_EQ(folder.read("data"), sample);
    EXPECT_EQ(folder.read("cat/" + CacheFileName("data", "field")), sample);
    EXPECT_EQ(query().status, DownloadResult::Status::FromCache);
    EXPECT_TRUE(HoldsStarTable(sample));

    // A blocked star site is not asked.
    const qsizetype asked = server.requests.size();
    web.StarSiteEnabled = false;
    web.AutonomousMode = false;
    EXPECT_EQ(query().status, DownloadResult::Status::Blocked);
    EXPECT_EQ(server.requests.size(), asked);
}

TEST_F(DownloadTest, TheAnswerFileHoldsExactlyTheNewAnswerOrStaysAsItWas) {
    ProgramFolderFixture folder;
    QByteArray answer = bytesOf(6000);
    LocalHttpServer::Reply next{200, answer};
    LocalHttpServer server([&](const QByteArray&) { return next; });
    const QString url = server.base() + "/q";

    DownloadResult r = DownloadUrl(url, "data", {}, logging());
    EXPECT_EQ(r.status, DownloadResult::Status::Downloaded);
    EXPECT_EQ(folder.read("data"), answer);

    // A shorter answer leaves nothing of the longer one behind.
    next.body = "short answer";
    EXPECT_TRUE(DownloadUrl(url, "data", {}).ok());
    EXPECT_EQ(folder.read("data"), QByteArray("short answer"));

    // A failure keeps the previous answer and says so in a status line.
    next = LocalHttpServer::Reply{500, "<html>error page</html>"};
    r = DownloadUrl(url, "data", {}, logging());
    EXPECT_EQ(r.status, DownloadResult::Status::Failed);
    EXPECT_EQ(folder.read("data"), QByteArray("short answer"));
    EXPECT_TRUE(log.last().contains("failed")) << log.last().toStdString();

    // An empty answer writes nothing; a missing file is created empty.
    next = LocalHttpServer::Reply{200, QByteArray()};
    EXPECT_TRUE(DownloadUrl(url, "data", {}).ok());
    EXPECT_EQ(folder.read("data"), QByteArray("short answer"));
    EXPECT_TRUE(DownloadUrl(url, "other", {}).ok());
    EXPECT_TRUE(QFileInfo::exists(folder.file("other")));

    // A name with a folder part is refused before any request.
    const qsizetype before = server.requests.size();
    EXPECT_FALSE(DownloadUrl(url, "../data", {}).ok());
    EXPECT_FALSE(DownloadUrl(url, "cat/data", {}).ok());
    EXPECT_EQ(server.requests.size(), before);

    // A download started while one runs is refused, the first one completes.
    next = LocalHttpServer::Reply{200, bytesOf(5000)};
    DownloadResult nested;
    DownloadOptions o;
    o.progress = [&](qint64, qint64) {
        if (nested.message.isEmpty()) nested = DownloadUrl(url, "data", {});
    };
    EXPECT_TRUE(DownloadUrl(url, "data", {}, o).ok());
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
    const QStringList before = cat.entryList(QDir::Files);
    folder.write("cat/data53517523281015", "stale cached answer");
    EXPECT_EQ(DownloadUrl(url, "data", {false, "53517523281015"}).status,
              DownloadResult::Status::Downloaded);
    EXPECT_EQ(folder.read("data"), QByteArray("first answer"));
    EXPECT_EQ(folder.read("cat/data53517523281015"), QByteArray("stale cached answer"));
    QFile::remove(folder.file("cat/data53517523281015"));
    EXPECT_EQ(cat.entryList(QDir::Files), before);

    // On: the first query is fetched and stored, the second is not fetched.
    const CacheUse field{true, "53517523281015"};
    EXPECT_EQ(DownloadUrl(url, "data", field, logging()).status,
              DownloadResult::Status::Downloaded);
    EXPECT_EQ(folder.read("cat/data53517523281015"), QByteArray("first answer"));
    const qsizetype requests = server.requests.size();
    body = "second answer";
    EXPECT_EQ(DownloadUrl(url, "data", field, logging()).status, DownloadResult::Status::FromCache);
    EXPECT_EQ(server.requests.size(), requests);
    EXPECT_EQ(folder.read("data"), QByteArray("first answer"));
    EXPECT_EQ(log, QStringList{"served from the cache"});

    // "5" and "05" are different keys.
    EXPECT_EQ(DownloadUrl(url, "data", {true, "053517523281015"}).status,
              DownloadResult::Status::Downloaded);
    EXPECT_EQ(folder.read("cat/data053517523281015"), QByteArray("second answer"));
    EXPECT_EQ(folder.read("cat/data53517523281015"), QByteArray("first answer"));

    // The minor-planet answer is cached too; other names never are.
    EXPECT_TRUE(DownloadUrl(url, "data2", {true, "mp-key"}).ok());
    EXPECT_EQ(folder.read("cat/data2mp-key"), QByteArray("second answer"));
    const QStringList cached = cat.entryList(QDir::Files);
    EXPECT_TRUE(DownloadUrl(url, "version.txt", {true, "mp-key"}).ok());
    EXPECT_EQ(cat.entryList(QDir::Files), cached);

    // A failed download caches nothing (not the previous answer either).
    status = 503;
    EXPECT_FALSE(DownloadUrl(url, "data", {true, "new-field"}).ok());
    EXPECT_FALSE(QFileInfo::exists(folder.file("cat/datanew-field")));
}

TEST_F(DownloadTest, CacheNamesEscapeOnlyWhatAFileNameCannotHold) {
    // Keys of ordinary characters keep the plain name, so existing caches
    // still match; blanks, commas and underscores stay as typed.
    EXPECT_EQ(CacheFileName("data", "53517523281015"), QString("data53517523281015"));
    EXPECT_EQ(CacheFileName("data", "224712.2583142811.5"), QString("data224712.2583142811.5"));
    EXPECT_EQ(CacheFileName("data2", "-5+23"), QString("data2-5+23"));
    EXPECT_EQ(CacheFileName("data", "5 35 17,2_x"), QString("data5 35 17,2_x"));
    EXPECT_EQ(CacheFileName("data", QString::fromUtf8("é..")), QString::fromUtf8("dataé.."));

    QStringList unsafe = {"../../evil", "a/b", "a\\b", "c:x", "*?\"<>|", "a%2Fb", "a~b"};
    unsafe += {"tab\there", "blank ", QString(5000, 'x'), QString(5000, 'x') + "y"};
    unsafe += QString(1, QChar(0xD800));
    QSet<QString> names;
    for (const QString& key : unsafe) {
        const QString name = CacheFileName("data", key);
        EXPECT_EQ(name, CacheFileName("data", key)) << "deterministic";
        EXPECT_LE(name.size(), 200);
        for (const QChar c : QStringView(u"/\\:*?\"<>|\t"))
            EXPECT_FALSE(name.contains(c)) << name.toStdString();
        EXPECT_FALSE(name.endsWith(' '));
        EXPECT_TRUE(name.startsWith("data"));
        names.insert(name);
    }
    // Escaping never maps two keys to one name ("a/b" and "a%2Fb").
    EXPECT_EQ(names.size(), unsafe.size()) << "different keys, different files";
}

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
