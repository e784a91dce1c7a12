// Where the program keeps its files: the executable's folder when it holds
// them and can be written, otherwise the user's folder seeded from the
// installed files, never replacing what the user has.
#include "platform/programfolder.h"
#include "testing.h"

#include <QFileInfo>
#include <sys/stat.h>

using namespace reduction;
using namespace field;
using namespace catalogues;

using namespace testing_support;
using programfolder::ChooseLayout;
using programfolder::Layout;
using programfolder::Seed;

namespace {
// Three folders in a temporary one: the executable's, the installed files'
// and the user's (not created).
struct Folders {
    QTemporaryDir root;
    QString exe = root.filePath("bin");
    QString shared = root.filePath("share/astroplate");
    QString user = root.filePath("home/.local/share/astroplate");
    Folders() {
        QDir().mkpath(exe);
        QDir().mkpath(shared);
    }
};
} // namespace

TEST(ProgramFolder, ChoosesTheExecutablesFolderOnlyWhenItHoldsTheFilesAndCanBeWritten) {
    struct Row {
        const char* what;
        bool exeHolds, exeWritable, sharedHolds;
        const char* folder; // "exe" or "user"
        const char* seed;   // "", "exe" or "shared"
    };
    const Row rows[] = {
        // The build tree or a copied folder: nothing changes.
        {"build tree", true, true, true, "exe", ""},
        // An installed program (/usr/bin): the user's folder, from the installed files.
        {"installed", false, true, true, "user", "shared"},
        {"installed, read-only bin", false, false, true, "user", "shared"},
        // A copied folder on a read-only medium: the user's folder, from that copy.
        {"read-only copy", true, false, true, "user", "exe"},
        {"read-only copy alone", true, false, false, "user", "exe"},
        // Nothing anywhere: the user's folder, nothing to copy.
        {"nothing installed", false, true, false, "user", ""},
    };
    for (const Row& r : rows) {
        Folders f;
        if (r.exeHolds) writeFile(f.exe + "/defaut.cfg", "10\n");
        if (r.sharedHolds) writeFile(f.shared + "/defaut.cfg", "10\n");
        const Layout got =
            ChooseLayout(f.exe, f.user, f.root.filePath("bin/../share/astroplate"), r.exeWritable);
        const QString wantFolder = QString(r.folder) == "exe" ? f.exe : f.user;
        const QString wantSeed = QString(r.seed) == "exe"      ? f.exe
                                 : QString(r.seed) == "shared" ? f.shared
                                                               : QString();
        EXPECT_EQ(got.folder.toStdString(), wantFolder.toStdString()) << r.what;
        EXPECT_EQ(got.seedFrom.toStdString(), wantSeed.toStdString()) << r.what;
    }
}

TEST(ProgramFolder, SeedingCopiesWhatIsMissingAndKeepsWhatTheUserHas) {
    Folders f;
    writeFile(f.shared + "/defaut.cfg", "shipped defaults");
    writeFile(f.shared + "/lang-en.cfg", "shipped language");
    writeFile(f.shared + "/cat/data224712.2583142811.5", "shipped answer");
    writeFile(f.shared + "/translations/astroplate_fr.qm", "qm");
    // Installed files are read-only.
    for (const char* name : {"/defaut.cfg", "/lang-en.cfg", "/cat/data224712.2583142811.5"})
        QFile::setPermissions(f.shared + name, QFile::ReadOwner | QFile::ReadGroup);
    // Something that is not a regular file is never copied (nor read).
    ASSERT_EQ(mkfifo(QFile::encodeName(f.shared + "/pipe").constData(), 0644), 0);

    // The user changed the defaults and removed the language file's link target.
    writeFile(f.user + "/defaut.cfg", "the user's defaults");
    ASSERT_TRUE(QFile::link(f.root.filePath("gone"), f.user + "/lang-en.cfg"));

    const auto first = Seed(f.shared, f.user);
    EXPECT_EQ(first.copied, 2);
    EXPECT_TRUE(first.failed.isEmpty()) << first.failed.join(", ").toStdString();
    EXPECT_EQ(readFile(f.user + "/defaut.cfg"), "the user's defaults");
    EXPECT_TRUE(QFileInfo(f.user + "/lang-en.cfg").isSymLink());
    EXPECT_EQ(readFile(f.user + "/cat/data224712.2583142811.5"), "shipped answer");
    EXPECT_EQ(readFile(f.user + "/translations/astroplate_fr.qm"), "qm");
    EXPECT_FALSE(QFileInfo::exists(f.user + "/pipe"));
    // The copies belong to the user: the cache answer can be replaced.
    EXPECT_TRUE(QFileInfo(f.user + "/cat/data224712.2583142811.5").permissions() &
                QFile::WriteOwner);

    // The next start finds everything there.
    writeFile(f.user + "/cat/data224712.2583142811.5", "a newer answer");
    const auto second = Seed(f.shared, f.user);
    EXPECT_EQ(second.copied, 0);
    EXPECT_EQ(readFile(f.user + "/cat/data224712.2583142811.5"), "a newer answer");
}

TEST(ProgramFolder, SeedingNamesWhatCouldNotBeCopied) {
    Folders f;
    writeFile(f.shared + "/defaut.cfg", "shipped defaults");
    writeFile(f.shared + "/cat/answer", "shipped answer");
    // A file where the cache folder should be.
    writeFile(f.user + "/cat", "not a folder");
    const auto seeded = Seed(f.shared, f.user);
    EXPECT_EQ(seeded.copied, 1);
    EXPECT_EQ(seeded.failed.join(',').toStdString(), "cat/answer");
    EXPECT_EQ(readFile(f.user + "/cat"), "not a folder");
}
