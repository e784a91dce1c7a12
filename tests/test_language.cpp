// Language files: the reader, the shipped files, window captions and hints.
#include "mainwindow/startup.h"
#include "text/language.h"
#include "text/widgets/applylanguage.h"
#include "window.h"

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;
using namespace text;

using testing_support::control;
using testing_support::MessageRecorder;
using testing_support::ProgramFolderFixture;

namespace {

QByteArray crlf(const QStringList& lines) {
    return (lines.join(QStringLiteral("\r\n")) + "\r\n").toUtf8();
}

// A complete file with one text per section, `first` replacing the first section.
QStringList minimalFile(const QStringList& first = {QStringLiteral("c1")}) {
    QStringList l{QStringLiteral("header")};
    l << first << "[CONFIG2]"
      << "k1"
      << "[FORM]"
      << "f1"
      << "[WIZARD]"
      << "w1"
      << "[SUGESTIONS]"
      << "s0"
      << "[INFO]"
      << "i1"
      << "[MODE]"
      << "m1"
      << "[END]";
    return l;
}

LanguageReadResult readText(const ProgramFolderFixture& folder, const QStringList& lines,
                            LanguageTable& t) {
    folder.write(QStringLiteral("test.cfg"), crlf(lines));
    return ReadLanguageFile(folder.file(QStringLiteral("test.cfg")), t);
}

} // namespace

TEST(LanguageReader, SectionsHeadersAndShortOrLongFiles) {
    ProgramFolderFixture folder;

    // Three texts in the first section: the header that ends it is entry 4.
    LanguageTable t;
    auto r = readText(folder, minimalFile({"a", "b", "c"}), t);
    EXPECT_TRUE(r.read.ok());
    EXPECT_TRUE(r.problems.isEmpty());
    EXPECT_EQ(t.ConfigTexts[1], "a");
    EXPECT_EQ(t.ConfigTexts[3], "c");
    EXPECT_EQ(t.ConfigTexts[4], "[CONFIG2]");
    EXPECT_TRUE(t.ConfigTexts[5].isEmpty());
    EXPECT_EQ(t.Config2Texts[1], "k1");
    EXPECT_EQ(t.SuggestionTexts[0], "s0"); // hints start at index 0
    EXPECT_EQ(t.SuggestionTexts[1], "[INFO]");
    EXPECT_EQ(t.ModeTexts[2], "[END]");

    // A header in lower case is a text of the running section.
    QStringList lower = minimalFile();
    lower.insert(lower.indexOf("[SUGESTIONS]"), QStringLiteral("[sugestions]"));
    lower.insert(lower.indexOf("[SUGESTIONS]"), QStringLiteral("w3"));
    LanguageTable t2;
    r = readText(folder, lower, t2);
    EXPECT_TRUE(r.problems.isEmpty());
    EXPECT_EQ(t2.WizardTexts[2], "[sugestions]");
    EXPECT_EQ(t2.WizardTexts[3], "w3");
    EXPECT_EQ(t2.WizardTexts[4], "[SUGESTIONS]");

    // Cut inside [FORM]: what was read is kept, later arrays keep their texts.
    LanguageTable t3;
    t3.WizardTexts[1] = QStringLiteral("old");
    QStringList cut = minimalFile();
    cut = cut.mid(0, cut.indexOf("f1") + 1);
    r = readText(folder, cut, t3);
    EXPECT_TRUE(r.read.ok());
    ASSERT_EQ(r.problems.size(), 1);
    EXPECT_TRUE(r.problems[0].contains("[WIZARD]"));
    EXPECT_EQ(t3.FormTexts[1], "f1");
    EXPECT_EQ(t3.WizardTexts[1], "old");

    // 25 texts in the first section: 20 fit, the rest is ignored and told once.
    QStringList many;
    for (int i = 1; i <= 25; ++i)
        many << QStringLiteral("t%1").arg(i);
    LanguageTable t4;
    r = readText(folder, minimalFile(many), t4);
    ASSERT_EQ(r.problems.size(), 1);
    EXPECT_TRUE(r.problems[0].contains("surplus"));
    EXPECT_EQ(t4.ConfigTexts[20], "t20");
    EXPECT_EQ(t4.Config2Texts[1], "k1");
    EXPECT_EQ(t4.ModeTexts[1], "m1");

    // A missing file and an empty one.
    LanguageTable t5;
    r = ReadLanguageFile(folder.file("none.cfg"), t5);
    ASSERT_FALSE(r.read);
    EXPECT_EQ(r.read.error().kind, outcome::FileError::Missing);
    EXPECT_EQ(r.problems.size(), 1);
    folder.write("empty.cfg", QByteArray());
    r = ReadLanguageFile(folder.file("empty.cfg"), t5);
    EXPECT_TRUE(r.read.ok()); // read, but it ends before its first section
    EXPECT_EQ(r.problems.size(), 1);
}

TEST(LanguageReader, ShippedFilesAreCompleteAndDiffer) {
    ProgramFolderFixture folder;
    LanguageTable fr, en;
    for (auto [name, table] : {std::pair{"lang-fr.cfg", &fr}, std::pair{"lang-en.cfg", &en}}) {
        SCOPED_TRACE(name);
        const QByteArray bytes = folder.read(name);
        ASSERT_FALSE(bytes.isEmpty());
        EXPECT_EQ(bytes.count("\r\n"), bytes.count("\n")); // CR LF throughout
        const auto r = ReadLanguageFile(folder.file(name), *table);
        EXPECT_TRUE(r.read.ok());
        EXPECT_TRUE(r.problems.isEmpty()) << r.problems.join("; ").toStdString();
        EXPECT_EQ(table->ModeTexts[4], "[END]");
        auto used = [](const std::vector<QString>& a, int from, int to) {
            for (int i = from; i <= to; ++i)
                EXPECT_FALSE(a[i].isEmpty() || a[i].startsWith('[')) << "entry " << i;
        };
        used(table->ConfigTexts, 1, 8);
        used(table->Config2Texts, 1, 8);
        used(table->FormTexts, 1, 45);
        used(table->FormTexts, 47, 86);
        used(table->WizardTexts, 1, 19);
        used(table->SuggestionTexts, 0, 15);
        used(table->InfoTexts, 1, 20);
        used(table->ModeTexts, 1, 3);
        DeriveFormMessages(*table);
        EXPECT_TRUE(table->FormMessages[13].contains("(*.pam)"));
        EXPECT_TRUE(table->FormMessages[19].startsWith(' '));
        EXPECT_EQ(table->FormMessages[27], table->FormTexts[76]);
        EXPECT_EQ(table->FormTexts[15], "1-Download");
    }
    EXPECT_EQ(fr.FormTexts[16], QString::fromUtf8("2-Etoiles"));
    EXPECT_EQ(fr.FormTexts[20], QString::fromUtf8("Catalogue d'étoile"));
    EXPECT_EQ(en.FormTexts[2], "File");
    EXPECT_NE(fr.SuggestionTexts[0], en.SuggestionTexts[0]);
}

TEST(LanguageApply, OtherWindowsTakeTheirTexts) {
    ProgramFolderFixture folder;
    Lang() = LanguageTable{};
    readText(folder, minimalFile({"caption", "l0", "l1"}), Lang());

    QWidget config;
    QLabel* labels[3];
    for (int i = 0; i < 3; ++i) {
        labels[i] = new QLabel(QStringLiteral("design"), &config);
        labels[i]->setObjectName(QStringLiteral("lbl(%1)").arg(i));
    }
    auto* cmd1 = new QPushButton(QStringLiteral("design"), &config);
    cmd1->setObjectName("cmd1");
    EXPECT_TRUE(ApplyLanguage("Config", &config));
    EXPECT_EQ(config.windowTitle(), "caption");
    EXPECT_EQ(labels[1]->text(), "l1");
    // The header that ends the section and an entry never filled are no texts:
    // the design captions stay.
    EXPECT_EQ(labels[2]->text(), "design");
    EXPECT_EQ(cmd1->text(), "design");

    Lang().ModeTexts[1] = "first";
    Lang().ModeTexts[3] = "check";
    QWidget mode;
    auto* check = new QPushButton(&mode);
    check->setObjectName("Check");
    auto* l0 = new QLabel(&mode);
    l0->setObjectName("lbl(0)");
    EXPECT_TRUE(ApplyLanguage("mode", &mode));
    EXPECT_EQ(l0->text(), "first");
    EXPECT_EQ(check->text(), "check");
    EXPECT_FALSE(ApplyLanguage("Other", &mode));
    EXPECT_FALSE(ApplyLanguage("Form", &mode)); // the main window applies its own texts
    Lang() = LanguageTable{};
}

TEST(LanguageHints, SuggestionTable) {
    Lang() = LanguageTable{};
    for (int i = 0; i <= 15; ++i)
        Lang().SuggestionTexts[i] = QStringLiteral("S%1").arg(i);
    const QString cur = QStringLiteral("current");
    struct Case {
        const char* key;
        int step;
        const char* v1;
        const char* v2;
        const char* expected;
    };
    const Case cases[] = {
        {"calcul", 0, "5", "200", "S1\n"},      {"calcul", 0, "150", "50", "S2\nS4\n"},
        {"calcul", 0, "100", "200", "current"}, {"calcul", 0, "100", "301", "currentS3\n"},
        {"calcul", 0, "0", "497", "S1\nS3\n"},  {"calcul", -1, "5", "5", "S5"},
        {"calcul", 1, "5", "5", "current"},     {"superetalonage", 0, "0", "0", "S6"},
        {"superetalonage", -1, "0", "0", "S7"}, {"etalonage", 0, "0", "0", "S8"},
        {"etalonage", -1, "0", "0", "S9"},      {"etalonage", 1, "0", "0", "S9"},
        {"etalonage", 2, "0", "0", "current"},  {"selectstar", 1, "0", "0", "S10"},
        {"selectstar", 2, "0", "0", "S11"},     {"selectstar", 3, "0", "0", "current"},
        {"open", 7, "0", "0", "S12"},           {"fullmapannuler", 0, "0", "0", "S13"},
        {"calculannuler", 0, "0", "0", "S14"},  {"softupdate", 1, "0", "0", "S15"},
        {"CALCUL", 0, "0", "0", "current"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SuggestionCaption(cur, c.key, c.step, c.v1, c.v2),
                  QString::fromLatin1(c.expected))
            << c.key << " " << c.step << " " << c.v1 << " " << c.v2;

    // In the window: the hint label, and Timer2 started even when nothing changes.
    ProgramFolderFixture folder;
    Form1 form;
    control<QLabel>(form, "sugestion")->setText("before");
    form.ShowSuggestion("calcul", 0, "100", "200");
    EXPECT_EQ(control<QLabel>(form, "sugestion")->text(), "before");
    EXPECT_TRUE(control<QTimer>(form, "Timer2")->isActive());
    control<QTimer>(form, "Timer2")->stop();
    form.ShowSuggestion("open", 0, "0", "0");
    EXPECT_EQ(control<QLabel>(form, "sugestion")->text(), "S12");
    EXPECT_TRUE(control<QTimer>(form, "Timer2")->isActive());
    Lang() = LanguageTable{};
}

TEST(LanguageLoad, BrokenFileIsToldOnceAndMissingFilesDoNotLoop) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Lang() = LanguageTable{};

    // Surplus lines in one section and a cut file: one box for both.
    QStringList lines = minimalFile();
    for (int i = 0; i < 30; ++i)
        lines.insert(1, QStringLiteral("x"));
    lines = lines.mid(0, lines.indexOf("w1") + 1);
    folder.write("lang.cfg", crlf(lines));
    LoadLanguageFile(nullptr);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains("surplus"));
    EXPECT_TRUE(boxes.shown[0].text.contains("[SUGESTIONS]"));
    EXPECT_EQ(Lang().FormTexts[1], "f1");

    // No lang.cfg and nothing to choose from: told once, no endless asking.
    boxes.shown.clear();
    QFile::remove(folder.file("lang.cfg"));
    QFile::remove(folder.file("lang-fr.cfg"));
    QFile::remove(folder.file("lang-en.cfg"));
    LoadLanguageFile(nullptr);
    EXPECT_EQ(boxes.shown.size(), 1u);
    Lang() = LanguageTable{};
}
