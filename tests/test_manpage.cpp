// The manual pages are written from their source and the program's --help;
// a page whose options differ from the help is refused, so the two cannot
// drift apart.
#include "testing.h"

#include <QProcess>

using namespace reduction;
using namespace field;
using namespace catalogues;

using namespace testing_support;

namespace {
const QString kSourceRoot = QStringLiteral(TEST_PROGRAM_DATA_DIR "/../..");

struct Written {
    int status = -1;
    QByteArray page; // empty when nothing was written
};

// scripts/manpage.py on `program` with the page source `source`.
Written writePage(const QString& program, const QByteArray& source) {
    QTemporaryDir dir;
    writeFile(dir.filePath("page.1.in"), source);
    QProcess p;
    p.start(QStringLiteral("python3"),
            {kSourceRoot + "/scripts/manpage.py", program, dir.filePath("page.1.in"),
             dir.filePath("page.1"), "9.9.9"});
    p.waitForFinished(60000);
    Written w;
    w.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    if (QFile::exists(dir.filePath("page.1"))) w.page = readFile(dir.filePath("page.1"));
    return w;
}
} // namespace

TEST(ManPage, APageIsWrittenOnlyWhenItsOptionsAreThoseOfTheHelp) {
    const QString platesolve = QStringLiteral(TEST_PROGRAM_DIR "/platesolve");
    const QByteArray source = readFile(kSourceRoot + "/data/man/platesolve.1.in");
    ASSERT_TRUE(source.contains(".BI \\-\\-xy \" X,Y\"\n"));
    QByteArray withoutXy = source;
    withoutXy.replace(".BI \\-\\-xy \" X,Y\"\n", ".BI \" X,Y\"\n");
    // --elements is named only by the help of the minor-planets command.
    QByteArray withoutElements = source;
    withoutElements.replace(".BI \\-\\-elements \" ELEMENTS\" \"\\fR, \\fP", ".BI \"");
    ASSERT_NE(withoutElements, source);
    QByteArray withExtra = source;
    withExtra.replace(".SH EXIT STATUS", ".TP\n.B \\-\\-fast\nFaster.\n.SH EXIT STATUS");

    struct Row {
        const char* what;
        QString program;
        QByteArray source;
        int status;
    };
    const Row rows[] = {
        {"the shipped source", platesolve, source, 0},
        // --xy is in the help but has no entry.
        {"an option left out", platesolve, withoutXy, 1},
        // An option of one command's own help left out.
        {"a command's option left out", platesolve, withoutElements, 1},
        // An entry for an option the help does not name.
        {"an option the program lacks", platesolve, withExtra, 1},
        // No help to read.
        {"a program without help", QStringLiteral("/bin/false"), source, 1},
    };
    for (const Row& r : rows) {
        const Written w = writePage(r.program, r.source);
        EXPECT_EQ(w.status, r.status) << r.what;
        EXPECT_EQ(w.page.isEmpty(), r.status != 0) << r.what;
    }

    // The synopsis is the list of commands and then each command's help, one
    // after the other, escaped for the page; the version is filled in.
    const Written w = writePage(platesolve, source);
    QByteArray helps;
    for (const QStringList& words :
         {QStringList{}, QStringList{"solve"}, {"minor-planets"}, {"blind"}}) {
        QProcess help;
        help.start(platesolve, words + QStringList{"--help"});
        help.waitForFinished(60000);
        helps += (helps.isEmpty() ? "" : "\n") + help.readAllStandardOutput();
    }
    helps = helps.trimmed();
    helps.replace("\\", "\\e").replace("-", "\\-");
    EXPECT_TRUE(w.page.contains(".nf\n" + helps + "\n.fi\n"));
    EXPECT_TRUE(w.page.startsWith(".TH PLATESOLVE 1 \"\" \"Astroplate 9.9.9\""));
}
