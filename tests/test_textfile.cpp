// Text files: how their bytes are read, their lines, and the clean-up of
// temporary files that killed saves leave behind.
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using textfile::Decode;
using textfile::TextEncoding;

TEST(TextFile, EncodingIsDecidedPerFile) {
    // UTF-8, with or without a byte-order mark.
    EXPECT_EQ(Decode("Fran\xc3\xa7"
                     "ais"),
              QString::fromUtf8("Français"));
    EXPECT_EQ(Decode("\xef\xbb\xbfLangue"), QString("Langue"));

    // A UTF-8 file with one stray byte stays UTF-8; the byte alone is replaced.
    const QString mostly = Decode("Fran\xc3\xa7"
                                  "ais\r\nDonn\xc3\xa9"
                                  "es\r\nbad \xe9 byte");
    EXPECT_TRUE(mostly.startsWith(QString::fromUtf8("Français\r\nDonnées")));
    EXPECT_TRUE(mostly.endsWith(QString("bad ") + QChar::ReplacementCharacter + " byte"));

    // A legacy file in the Windows code page: accents and the 0x80-0x9F range.
    EXPECT_EQ(textfile::DetectEncoding("Fran\xe7"
                                       "ais \xe9t\xe9"),
              TextEncoding::Windows1252);
    EXPECT_EQ(Decode("Fran\xe7"
                     "ais \x80 \x9c \x92"),
              QString::fromUtf8("Français € œ ’"));
    // Overlong forms and encoded surrogates are not UTF-8.
    EXPECT_EQ(textfile::DetectEncoding("\xc0\xaf\xed\xa0\x80"), TextEncoding::Windows1252);
    EXPECT_EQ(textfile::DetectEncoding("plain ASCII"), TextEncoding::Utf8);
}

TEST(TextFile, LinesEndAtCrLfCrOrLf) {
    QTemporaryDir dir;
    const QString path = dir.filePath("f.cfg");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("a\r\nb\rc\nd\r\n\r\ne");
    f.close();
    const auto lines = textfile::ReadLines(path);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (QStringList{"a", "b", "c", "d", "", "e"}));
    const auto missing = textfile::ReadLines(dir.filePath("missing"));
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind, outcome::FileError::Missing);
}

TEST(TextFile, StaleTemporarySaveFilesAreRemoved) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("cat");
    const QDateTime past = QDateTime::currentDateTime().addSecs(-3600);
    const auto make = [&](const QString& name, const QDateTime& time) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.flush();
        EXPECT_TRUE(f.setFileTime(time, QFileDevice::FileModificationTime));
    };
    const QStringList stale = {
        "defaut.cfg.a1B2c3",         "data.Xy12Zq",           "data2.q0w9e8",
        "n7380.pam.AbCdEf",          "astroplate.ini.zzzzz9", "cat/data224712.2583142811.5.kJ3mN8",
        "mpc-report.txt.Ab12Cd", // the report's append
        "n7380.wcs.x1y2z3",      // a WCS export into the folder
        "temp.tmp.a1a1a1",       // the version check's two answers
        "version.tmp.b2b2b2",
        "MPCORB.DAT.q1w2e3",    // the unpacked elements
        "MPCORB.DAT.gz.r4t5y6", // the archive, saved whole by older builds
        "MPCORB.DAT.gz.part.u7i8o9", "MPCORB.DAT.gz.part"}; // the archive while it downloads
    const QStringList kept = {"defaut.cfg",
                              "data",
                              "defaut.cfg.123456",      // six digits: could be a name of the user's
                              "notes.txt.a1B2c3",       // not a file the program saves
                              "defaut.cfg.a1B2c",       // not six characters
                              "cat/data5351752.123456", // a cache key ending in six decimals
                              "cat/data53517523281015",
                              "MPCORB.DAT",
                              "MPCORB.DAT.gz",
                              "cat/MPCORB.DAT.gz.part"}; // only in the program folder
    for (const QString& name : stale + kept)
        make(name, past);
    make("config.cfg.Recent", QDateTime::currentDateTime()); // a save running now

    QStringList removed =
        RemoveStaleSaveFiles(dir.path(), QDateTime::currentDateTime().addSecs(-60));
    removed.sort();
    QStringList expected = stale;
    expected.sort();
    EXPECT_EQ(removed, expected);
    for (const QString& name : kept)
        EXPECT_TRUE(QFile::exists(dir.filePath(name))) << name.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath("config.cfg.Recent")));
}
