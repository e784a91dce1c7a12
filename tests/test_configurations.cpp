// Optical configurations (config.cfg and the edited list) and the CCD field
// calculator, without windows.
#include "reduction/ccdfield.h"
#include "settings/configfile.h"
#include "testing.h"

using namespace reduction;
using namespace settings;
using namespace field;
using namespace catalogues;

using testing_support::ProgramFolderFixture;

namespace {
std::vector<OpticalConfiguration> entries(int n) {
    std::vector<OpticalConfiguration> v;
    for (int i = 1; i <= n; ++i)
        v.push_back({QStringLiteral("scope %1").arg(i), QString::number(i), QString::number(-i)});
    return v;
}
} // namespace

TEST(ConfigFile, ShippedFileReadsAndWritesBackByteForByte) {
    ProgramFolderFixture folder;
    const ConfigFileReading r = ReadConfigFile(ConfigFilePath());
    EXPECT_TRUE(r.problem.isEmpty()) << r.problem.toStdString();
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0], (OpticalConfiguration{"NGC 7380 sample field", "833.27", "1575.63"}));
    ASSERT_TRUE(WriteConfigFile(folder.file("copy.cfg"), r.entries).ok());
    EXPECT_EQ(folder.read("copy.cfg"), folder.read("config.cfg"));
    EXPECT_TRUE(folder.read("copy.cfg").startsWith(" 2\r\n"));
}

TEST(ConfigFile, DamagedFilesKeepWhatCouldBeRead) {
    ProgramFolderFixture folder;
    auto read = [&](const QByteArray& bytes) {
        folder.write("c.cfg", bytes);
        return ReadConfigFile(folder.file("c.cfg"));
    };
    // Count 3, but the third entry has only its name.
    ConfigFileReading r = read("3\r\na\r\n1\r\n2\r\nb\r\n,5\r\n\r\nc\r\n");
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[1], (OpticalConfiguration{"b", ",5", ""}));
    EXPECT_FALSE(r.problem.isEmpty());
    r = read(" 1 \r\na\r\n1\r\n2\r\nextra\r\n"); // lines past 3N + 1 are ignored
    EXPECT_EQ(r.entries.size(), 1u);
    EXPECT_TRUE(r.problem.isEmpty());
    for (const char* bad : {"two\r\na\r\n1\r\n2\r\n", "-1\r\n", ""}) {
        r = read(bad);
        EXPECT_TRUE(r.entries.empty() && !r.problem.isEmpty()) << bad;
    }
    QByteArray seventeen = " 17\r\n";
    for (const auto& e : entries(17))
        seventeen += (e.name + "\r\n" + e.corrAsd + "\r\n" + e.corrDec + "\r\n").toUtf8();
    r = read(seventeen);
    ASSERT_EQ(r.entries.size(), 15u);
    EXPECT_EQ(r.entries[14].name, "scope 15");
    EXPECT_TRUE(r.problem.contains("15"));
}

TEST(ConfigFile, NoLineBreakInsideATextShiftsTheEntries) {
    ProgramFolderFixture folder;
    ASSERT_TRUE(WriteConfigFile(folder.file("c.cfg"), {{"two\r\nlines", "1\n2", "3\r4"}}).ok());
    EXPECT_EQ(folder.read("c.cfg"), " 1\r\ntwo lines\r\n1 2\r\n3 4\r\n");
    const auto written = WriteConfigFile(folder.file("no-such-folder/c.cfg"), entries(1));
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().kind, outcome::FileError::Unwritable);
}

TEST(CcdField, SensorAndFocalLengthGiveTheScales) {
    const auto r = CcdFieldScales({6.9, 4.6, 768, 512, 1000});
    ASSERT_TRUE(r) << r.error().message.toStdString();
    EXPECT_NEAR(r->cx, 1942.484, 5e-4);
    EXPECT_NEAR(r->cy, 1942.484, 5e-4);
    EXPECT_NEAR(r->widthArcmin, 23.7222, 1e-9);
    EXPECT_NEAR(r->heightArcmin, 15.8148, 1e-9);
    // A sensor with different scales on its two axes.
    const auto wide = CcdFieldScales({10, 5, 1000, 1000, 500});
    ASSERT_TRUE(wide);
    EXPECT_NEAR(wide->cx, 60.0 * 500 * 1000 / (3438 * 10), 1e-6);
    EXPECT_NEAR(wide->cy, 60.0 * 500 * 1000 / (3438 * 5), 1e-6);
}

TEST(CcdField, BadInputsAreRefusedByName) {
    const std::tuple<CcdError, CcdInput, double CcdGeometry::*> cases[] = {
        {CcdError::Width, CcdInput::Width, &CcdGeometry::width},
        {CcdError::Height, CcdInput::Height, &CcdGeometry::height},
        {CcdError::WidthPx, CcdInput::WidthPx, &CcdGeometry::widthPx},
        {CcdError::HeightPx, CcdInput::HeightPx, &CcdGeometry::heightPx},
        {CcdError::Focal, CcdInput::Focal, &CcdGeometry::focal}};
    for (const auto& [kind, input, member] : cases)
        for (double bad : {0.0, -3.0, double(NAN)}) {
            CcdGeometry g{6.9, 4.6, 768, 512, 1000};
            g.*member = bad;
            const auto r = CcdFieldScales(g);
            ASSERT_FALSE(r) << bad;
            EXPECT_EQ(r.error().kind, kind) << bad;
            EXPECT_EQ(InputAtFault(r.error().kind), input) << bad;
        }
    // Squares that underflow leave no solution rather than a wrong one.
    const auto tiny = CcdFieldScales({1e-200, 1e-200, 768, 512, 1000});
    ASSERT_FALSE(tiny);
    EXPECT_EQ(tiny.error().kind, CcdError::NoSolution);
    EXPECT_EQ(InputAtFault(tiny.error().kind), std::nullopt);

    EXPECT_EQ(ReadCcdNumber(u"6,9"), 6.9);
    EXPECT_EQ(ReadCcdNumber(u" 1000,5 "), 1000.5);
    EXPECT_EQ(ReadCcdNumber(u"1000.5"), 1000.5);
    for (const char16_t* bad : {u"", u"  ", u"abc", u"6.9mm", u"1,000.5", u"6,9,1"})
        EXPECT_FALSE(ReadCcdNumber(bad)) << QString::fromUtf16(bad).toStdString();
}
