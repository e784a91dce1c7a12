// The program folder: where the program keeps every file it reads and writes
// (settings, language files, catalogue answers, the cache folder "cat").
// Run from a folder that holds its files and can be written (the build tree,
// a copied folder), that is the executable's folder. An installed program
// keeps them in the user's data folder instead (~/.local/share/astroplate),
// seeded from the read-only files installed beside it (../share/astroplate),
// so that two users never share a cache or settings. Tests point it at a
// temporary folder.
#pragma once

#include <QString>
#include <QStringList>

namespace programfolder {

// The folder, without a trailing separator.
QString Path();

// Points the program folder somewhere else (tests); an empty text restores the default.
void SetPath(const QString& folder);

// The full path of `name` inside the program folder.
QString File(const QString& name);

// The names under which the user's data folder is found; the window and
// platesolve set the same ones, so they share the folder.
void SetApplicationNames();

// Where the program keeps its files, and where they are first copied from.
struct Layout {
    QString folder;   // the program folder
    QString seedFrom; // the shipped files to copy into it; empty: none
};

// A folder holds the program's files when defaut.cfg is in it.
bool HoldsProgramFiles(const QString& folder);

// The layout for an executable in `exeDir`: `exeDir` itself when it holds the
// program's files and can be written (`exeDirWritable`); otherwise `userDir`,
// seeded from `exeDir` when that holds the files (a read-only copied folder),
// else from `sharedDir` when that holds them.
Layout ChooseLayout(const QString& exeDir, const QString& userDir, const QString& sharedDir,
                    bool exeDirWritable);

struct SeedResult {
    int copied = 0;
    QStringList failed; // relative paths that could not be copied
};

// Copies every regular file of `from` (sub-folders included) that `to` does
// not have yet; what is there already is never replaced. Creates `to` and
// its sub-folders as needed.
SeedResult Seed(const QString& from, const QString& to);

// Chooses the program folder of this executable (user's data folder and
// installed files as above), points Path() at it and seeds it. Returns what
// went wrong, empty when nothing did.
QString SetUp();

} // namespace programfolder
