// Optical configurations (config.cfg and the edited list) and the CCD field
// calculator, without windows.
#include "reduction/ccdfield.h"
#include "settings/configfile.h"
#include "testing.h"

#include <QFile>
#include <gtest/gtest.h>

using testing_support::ProgramFolderFixture;

namespace {

std::vector<OpticalConfiguration> entries(int n) {
    std::vector<OpticalConfiguration> v;
    for (int i = 1; i <= n; ++i)
        v.push_back({QStringLiteral("scope %1").arg(i), QString::number(100 * i),
                     QString::number(100 * i + 1)});
    return v;
}

} // namespace

TEST(ConfigFile, ShippedFileReadsAndWritesBackByteForByte) {
    ProgramFolderFixture folder;
    const ConfigFileReading r = ReadConfigFile(ConfigFilePath());
    ASSERT_TRUE(r.opened);
    EXPECT_TRUE(r.problem.isEmpty()) << r.problem.toStdString();
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0].corrAsd, "833.27"); // the sample field's scales
    EXPECT_EQ(r.entries[0].corrDec, "1575.63");

    const QByteArray shipped = folder.read("config.cfg");
    ASSERT_TRUE(shipped.startsWith(" 2\r\n"));
    ASSERT_TRUE(WriteConfigFile(folder.file("copy.cfg"), r.entries));
    EXPECT_EQ(folder.read("copy.cfg"), shipped);
}

TEST(ConfigFile, DamagedFilesKeepWhatCouldBeRead) {
    ProgramFolderFixture folder;
    // Count 3, but the third entry has only its name; lines past 3N + 1 are ignored.
    folder.write("c.cfg", "3\r\na\r\n1\r\n2\r\nb\r\n,5\r\n\r\nc\r\n");
    ConfigFileReading r = ReadConfigFile(folder.file("c.cfg"));
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[1], (OpticalConfiguration{"b", ",5", ""})); // texts kept as typed
    EXPECT_TRUE(r.problem.contains("3")) << r.problem.toStdString();

    folder.write("c.cfg", " 1 \r\na\r\n1\r\n2\r\nextra\r\n");
    r = ReadConfigFile(folder.file("c.cfg"));
    EXPECT_EQ(r.entries.size(), 1u);
    EXPECT_TRUE(r.problem.isEmpty());

    for (const char* bad : {"two\r\na\r\n1\r\n2\r\n", "-1\r\n", ""}) {
        folder.write("c.cfg", bad);
        r = ReadConfigFile(folder.file("c.cfg"));
        EXPECT_TRUE(r.opened);
        EXPECT_TRUE(r.entries.empty()) << bad;
        EXPECT_FALSE(r.problem.isEmpty()) << bad;
    }

    r = ReadConfigFile(folder.file("missing.cfg"));
    EXPECT_FALSE(r.opened);
    EXPECT_FALSE(r.problem.isEmpty());
}

TEST(ConfigFile, AtMostFifteenEntriesAreReadOrWritten) {
    ProgramFolderFixture folder;
    ASSERT_TRUE(WriteConfigFile(folder.file("c.cfg"), entries(17)));
    const QByteArray written = folder.read("c.cfg");
    EXPECT_TRUE(written.startsWith(" 15\r\n"));
    EXPECT_EQ(written.count("\r\n"), 1 + 3 * 15);

    QByteArray seventeen = " 17\r\n";
    for (const auto& e : entries(17))
        seventeen += (e.name + "\r\n" + e.corrAsd + "\r\n" + e.corrDec + "\r\n").toUtf8();
    folder.write("c.cfg", seventeen);
    const ConfigFileReading r = ReadConfigFile(folder.file("c.cfg"));
    ASSERT_EQ(r.entries.size(), 15u);
    EXPECT_EQ(r.entries[14].name, "scope 15");
    EXPECT_TRUE(r.problem.contains("15"));
}

TEST(ConfigFile, LineBreaksInATextDoNotShiftTheEntries) {
    ProgramFolderFixture folder;
    ASSERT_TRUE(WriteConfigFile(folder.file("c.cfg"),
                                {{"two\r\nlines", "1\n2", "3\r4"}, {"next", "5", "6"}}));
    const ConfigFileReading r = ReadConfigFile(folder.file("c.cfg"));
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0], (OpticalConfiguration{"two lines", "1 2", "3 4"}));
    EXPECT_EQ(r.entries[1].name, "next");

    QString error;
    EXPECT_FALSE(WriteConfigFile(folder.file("no-such-folder/c.cfg"), entries(1), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(OpticalConfigurationList, NewDeleteAndEditFollowTheSelection) {
    OpticalConfigurationList list(entries(2));
    ASSERT_TRUE(list.addNew());
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(*list.at(2), (OpticalConfiguration{"Config#", "0", "0"}));

    // A middle entry: the same position now holds the next entry.
    EXPECT_EQ(list.remove(1), 1);
    EXPECT_EQ(list.at(1)->name, "Config#");
    // The last entry: the selection moves to the new last one.
    EXPECT_EQ(list.remove(1), 0);
    EXPECT_EQ(list.count(), 1);
    list.setField(0, 0, "renamed");
    list.setField(0, 2, "7,5");
    EXPECT_EQ(*list.at(0), (OpticalConfiguration{"renamed", "100", "7,5"}));
    // The only entry: nothing left to select.
    EXPECT_EQ(list.remove(0), -1);
    EXPECT_EQ(list.count(), 0);

    // Without a selection nothing changes.
    list = OpticalConfigurationList(entries(2));
    EXPECT_EQ(list.remove(-1), -1);
    EXPECT_EQ(list.remove(2), -1);
    list.setField(-1, 0, "x");
    EXPECT_EQ(list.entries(), entries(2));
}

TEST(OpticalConfigurationList, HoldsAtMostFifteen) {
    OpticalConfigurationList list(entries(14));
    EXPECT_TRUE(list.addNew());
    EXPECT_FALSE(list.addNew());
    EXPECT_EQ(list.count(), 15);
    EXPECT_EQ(OpticalConfigurationList(entries(20)).count(), 15);
}

TEST(CcdField, SensorAndFocalLengthGiveTheScales) {
    const CcdFieldResult r = CcdFieldScales({6.9, 4.6, 768, 512, 1000});
    ASSERT_TRUE(r.field) << r.error.toStdString();
    EXPECT_NEAR(r.field->cx, 1942.484, 5e-4);
    EXPECT_NEAR(r.field->cy, 1942.484, 5e-4);
    EXPECT_NEAR(r.field->widthArcmin, 23.7222, 1e-9);
    EXPECT_NEAR(r.field->heightArcmin, 15.8148, 1e-9);

    // A non-square sensor: each axis keeps its own scale (60 F N / (3438 size)).
    const CcdFieldResult wide = CcdFieldScales({10, 5, 1000, 1000, 500});
    ASSERT_TRUE(wide.field);
    EXPECT_NEAR(wide.field->cx, 60.0 * 500 * 1000 / (3438 * 10), 1e-6);
    EXPECT_NEAR(wide.field->cy, 60.0 * 500 * 1000 / (3438 * 5), 1e-6);
}

TEST(CcdField, ZeroOrNegativeInputsAreRefusedByName) {
    const CcdGeometry good{6.9, 4.6, 768, 512, 1000};
    const std::pair<CcdInput, double CcdGeometry::*> cases[] = {
        {CcdInput::Width, &CcdGeometry::width},
        {CcdInput::Height, &CcdGeometry::height},
        {CcdInput::WidthPx, &CcdGeometry::widthPx},
        {CcdInput::HeightPx, &CcdGeometry::heightPx},
        {CcdInput::Focal, &CcdGeometry::focal}};
    for (const auto& [input, member] : cases) {
        for (double bad : {0.0, -3.0}) {
            CcdGeometry g = good;
            g.*member = bad;
            const CcdFieldResult r = CcdFieldScales(g);
            EXPECT_FALSE(r.field);
            EXPECT_EQ(r.input, input);
            EXPECT_FALSE(r.error.isEmpty());
        }
    }
    // Values whose squares underflow leave no solution rather than a wrong one.
    const CcdFieldResult tiny = CcdFieldScales({1e-200, 1e-200, 768, 512, 1000});
    EXPECT_FALSE(tiny.field);
    EXPECT_FALSE(tiny.input);
}

TEST(CcdField, TypedNumbersReadAlikeWithPointOrComma) {
    EXPECT_EQ(ReadCcdNumber(u"6,9"), 6.9);
    EXPECT_EQ(ReadCcdNumber(u" 1000,5 "), 1000.5);
    EXPECT_EQ(ReadCcdNumber(u"1000.5"), 1000.5);
    EXPECT_EQ(ReadCcdNumber(u"768"), 768.0);
    for (const char16_t* bad : {u"", u"  ", u"abc", u"6.9mm", u"1,000.5", u"1.2.3", u"6,9,1"})
        EXPECT_FALSE(ReadCcdNumber(bad)) << QString::fromUtf16(bad).toStdString();
}
