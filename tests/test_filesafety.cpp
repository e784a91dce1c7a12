// Saves and reads of files the user names: a save never replaces something
// that is not an ordinary file, a symbolic link to one is written through,
// and readers open only regular files within their size limit. FIFOs and
// links are made in a temporary folder.
#include "catalogues/minorplanets.h"
#include "catalogues/mpcreport.h"
#include "catalogues/usnoa2.h"
#include "platform/textfile.h"
#include "reduction/wcsfile.h"
#include "testing.h"

#include <QDir>
#include <QFileInfo>
#include <functional>
#include <sys/stat.h>

using namespace reduction;
using namespace field;
using namespace catalogues;
using outcome::FileError;

using namespace testing_support;

namespace {

bool isFifo(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

void makeFifo(const QString& path) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0) << path.toStdString();
}

// A TAN plate near the sample field, 1 arcsecond per pixel.
TanPlate somePlate() {
    TanPlate p;
    p.crval = {341.8, 58.05};
    p.crpix = {511.5, 511.5};
    p.cd = {-1.0 / 3600, 0, 0, 1.0 / 3600};
    return p;
}

// The program's saves of user-named files, each as a call that writes `path`.
struct Save {
    const char* what;
    std::function<outcome::Status<FileError>(const QString& path)> save;
};

std::vector<Save> saves() {
    return {
        // defaut.cfg, config.cfg and Save project write their lines this way
        {"lines",
         [](const QString& p) {
             return textfile::WriteLines(p, {"a", "b"});
         }},
        // File > Export WCS and platesolve --wcs-out
        {"wcs",
         [](const QString& p) {
             return WriteWcsFile(p, somePlate(), 1024, 1024, FileRows::TopDown);
         }},
        // the MPC report
        {"report", [](const QString& p) { return AppendReportLine(p, QString(80, 'x')); }},
        // answers (data, data2, the cache, platesolve --answer-out)
        {"bytes", [](const QString& p) { return textfile::WriteBytes(p, "answer"); }},
    };
}

} // namespace

TEST(FileSafety, SavesLeaveWhatIsNotAFileAlone) {
    QTemporaryDir dir;
    makeFifo(dir.filePath("fifo"));
    QFile::link(dir.filePath("fifo"), dir.filePath("link-to-fifo"));
    QDir(dir.path()).mkdir("folder");
    QFile::link(dir.filePath("folder"), dir.filePath("link-to-folder"));
    for (const Save& s : saves()) {
        for (const char* target : {"fifo", "link-to-fifo", "folder", "link-to-folder"}) {
            const auto saved = s.save(dir.filePath(target));
            ASSERT_FALSE(saved) << s.what << " onto " << target;
            EXPECT_EQ(saved.error().kind, FileError::NotRegular) << s.what << " onto " << target;
        }
        EXPECT_TRUE(isFifo(dir.filePath("fifo"))) << s.what;
        EXPECT_TRUE(QFileInfo(dir.filePath("link-to-fifo")).isSymLink()) << s.what;
        EXPECT_TRUE(QFileInfo(dir.filePath("folder")).isDir()) << s.what;
        // Nothing was left behind either.
        EXPECT_EQ(
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList({"fifo", "folder", "link-to-fifo", "link-to-folder"}))
            << s.what;
        EXPECT_TRUE(QDir(dir.filePath("folder")).isEmpty()) << s.what;
    }
}

// A symbolic link to an ordinary file stays a link; the file it points to
// gets the new contents, as a save straight onto that file would.
TEST(FileSafety, SavesWriteThroughALinkToAFile) {
    QTemporaryDir dir, elsewhere;
    for (const Save& s : saves()) {
        const QString target = elsewhere.filePath(QStringLiteral("target-%1").arg(s.what));
        const QString link = dir.filePath(QStringLiteral("link-%1").arg(s.what));
        const QString direct = dir.filePath(QStringLiteral("direct-%1").arg(s.what));
        writeFile(target, "old");
        writeFile(direct, "old");
        ASSERT_TRUE(QFile::link(target, link));
        ASSERT_TRUE(s.save(link).ok()) << s.what;
        ASSERT_TRUE(s.save(direct).ok()) << s.what;
        EXPECT_TRUE(QFileInfo(link).isSymLink()) << s.what;
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), target) << s.what;
        EXPECT_EQ(readFile(target), readFile(direct)) << s.what;
        EXPECT_NE(readFile(target), QByteArray("old")) << s.what;
    }
}

TEST(FileSafety, PlatesolveRefusesToSaveOntoAFifo) {
    QTemporaryDir dir;
    makeFifo(dir.filePath("fifo"));
    const QStringList solve = {"--image",          sampleFile("image.png"), "--catalogue",
                               sampleFile("data"), "--threshold",           "10"};
    ToolRun r =
        runPlatesolve(solve + samplePickArgs() + QStringList{"--wcs-out", dir.filePath("fifo")});
    EXPECT_EQ(r.status, 4) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(dir.filePath("fifo"))) << r.err.toStdString();
    EXPECT_TRUE(isFifo(dir.filePath("fifo")));

    r = runPlatesolve({"--local-minor-planets",
                       QDir(TEST_PROGRAM_DIR).filePath("asteroids.dat"),
                       "--day",
                       "10",
                       "--month",
                       "10",
                       "--year",
                       "2022",
                       "--hour",
                       "21",
                       "--minute",
                       "36",
                       "--ra",
                       "22 47 12.2",
                       "--dec",
                       "+58 03 14",
                       "--radius",
                       "960",
                       "--limit",
                       "19.0",
                       "--answer-out",
                       dir.filePath("fifo")});
    EXPECT_EQ(r.status, 2) << r.err.toStdString();
    EXPECT_TRUE(isFifo(dir.filePath("fifo")));
}

// A FIFO would block the reader for good: each reader refuses it (and a link
// to it) at once by kind, and a regular file beyond its limit by size
// (sparse files, so nothing big is written).
TEST(FileSafety, ReadersTakeOnlyRegularFilesWithinTheirLimit) {
    QTemporaryDir dir;
    makeFifo(dir.filePath("fifo"));
    QFile::link(dir.filePath("fifo"), dir.filePath("link-to-fifo"));
    const auto sparse = [&](const char* name, qint64 size) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(size));
        return dir.filePath(name);
    };
    const QString bigAnswer = sparse("big-answer", kMaxAnswerFileBytes + 1);
    const QString bigLines = sparse("big.pam", textfile::kMaxLinesFileBytes + 1);

    // Why each reader refused the file; none when it read it.
    using Kind = std::optional<FileError>;
    const auto stars = [](const QString& p) -> Kind {
        static CatalogueStarTable table;
        const auto read = ReadUsnoA2File(p, 1e5, 1e5, table).read;
        return read ? Kind() : read.error().kind;
    };
    const auto planets = [](const QString& p) -> Kind {
        static MinorPlanetTable table;
        const auto read = ReadMinorPlanetFile(p, 1e5, 1e5, 0, table).read;
        return read ? Kind() : read.error().kind;
    };
    const auto lines = [](const QString& p) -> Kind {
        const auto read = textfile::ReadLines(p);
        return read ? Kind() : read.error().kind;
    };
    const auto whole = [](const QString& p) -> Kind {
        const auto read = regularfile::Read(p, textfile::kMaxLinesFileBytes);
        return read ? Kind() : read.error().kind;
    };
    const auto opened = [](const QString& p) -> Kind {
        QFile file(p);
        const auto open = regularfile::Open(file, textfile::kMaxLinesFileBytes);
        return open ? Kind() : open.error().kind;
    };
    const struct {
        const char* what;
        std::function<Kind(const QString&)> read;
        QString path;
        Kind expected;
    } cases[] = {
        {"star answer, FIFO", stars, dir.filePath("fifo"), FileError::NotRegular},
        {"star answer, link to a FIFO", stars, dir.filePath("link-to-fifo"), FileError::NotRegular},
        {"star answer, beyond 64 MB", stars, bigAnswer, FileError::TooLarge},
        {"star answer, missing", stars, dir.filePath("data"), FileError::Missing},
        {"star answer, the sample", stars, sampleFile("data"), std::nullopt},
        {"minor planets, FIFO", planets, dir.filePath("fifo"), FileError::NotRegular},
        // one answer reader, one limit: a minor-planet answer is no exception
        {"minor planets, beyond 64 MB", planets, bigAnswer, FileError::TooLarge},
        {"minor planets, the sample", planets, sampleFile("data2"), std::nullopt},
        {".pam or settings, FIFO", lines, dir.filePath("fifo"), FileError::NotRegular},
        {".pam or settings, a folder", lines, dir.path(), FileError::NotRegular},
        {".pam or settings, beyond 1 MB", lines, bigLines, FileError::TooLarge},
        {".pam or settings, missing", lines, dir.filePath("none.pam"), FileError::Missing},
        {"whole file, link to a FIFO", whole, dir.filePath("link-to-fifo"), FileError::NotRegular},
        {"whole file, beyond its limit", whole, bigLines, FileError::TooLarge},
        {"whole file, the sample", whole, sampleFile("data"), std::nullopt},
        {"streamed file, FIFO", opened, dir.filePath("fifo"), FileError::NotRegular},
        {"streamed file, beyond its limit", opened, bigLines, FileError::TooLarge},
        {"streamed file, missing", opened, dir.filePath("none"), FileError::Missing},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.read(c.path), c.expected) << c.what;
    // The message of a refused reading names the file.
    const auto refused = regularfile::Read(dir.filePath("fifo"), 1000);
    ASSERT_FALSE(refused);
    EXPECT_TRUE(refused.error().message.contains(dir.filePath("fifo")));

    // The command-line solver ends with its bad-input status instead of
    // waiting on the FIFO.
    for (const char* option : {"--catalogue", "--minor-planets"}) {
        QStringList args = {"--image",          sampleFile("image.png"), "--catalogue",
                            sampleFile("data"), "--threshold",           "10"};
        args += samplePickArgs();
        if (QLatin1String(option) == QLatin1String("--catalogue"))
            args[3] = dir.filePath("fifo");
        else
            args += {"--minor-planets", dir.filePath("fifo")};
        const ToolRun r = runPlatesolve(args);
        EXPECT_EQ(r.status, 2) << option << " " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(dir.filePath("fifo"))) << r.err.toStdString();
    }
}
