// The five-star search, its candidates and model, the automatic check, and
// the review of the candidates in the main window.
#include "mainwindow/imagecanvas.h"
#include "reduction/matching.h"
#include "text/language.h"
#include "window.h"

#include <algorithm>
#include <random>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;
using namespace text;

using matching::Candidate;
using namespace testing_support;

namespace {

// Five picks with ten distinct pairwise distances, no two within 1.5 pixels.
constexpr double kPickX[6] = {0, 100, 400, 250, 520, 150};
constexpr double kPickY[6] = {0, 100, 150, 380, 420, 300};

// A catalogue holding the five picks as rows 1..5 (scaled coordinates
// 1000 + x and 2000 - y, so declination grows upwards), optionally mirrored
// left to right, followed by `extra` rows far from them and from each other.
struct Field {
    std::array<double, 11> x{}, y{};
    std::vector<double> ra, dec;
    int n = 0;
};

Field syntheticField(int extra, bool mirrored = false) {
    Field f;
    f.n = 5 + extra;
    f.ra.assign(f.n + 1, 0);
    f.dec.assign(f.n + 1, 0);
    for (int k = 1; k <= 5; ++k) {
        f.x[k] = kPickX[k];
        f.y[k] = kPickY[k];
        f.ra[k] = 1000 + (mirrored ? -kPickX[k] : kPickX[k]);
        f.dec[k] = 2000 - kPickY[k];
    }
    for (int k = 6; k <= f.n; ++k) {
        f.ra[k] = 20000.0 + 3001.0 * k;
        f.dec[k] = -50000.0 + 1777.0 * k * k;
    }
    return f;
}

std::vector<Candidate> search(const Field& f, double tolerance, bool* full = nullptr) {
    matching::DistanceTables t;
    t.build(f.x, f.y, f.ra, f.dec, f.n);
    const auto r = matching::FindCandidates(t, tolerance);
    if (full) *full = r.tableFull;
    return r.candidates;
}

constexpr Candidate kIdentity{0, 1, 2, 3, 4, 5};

// The pattern twice: rows 1..5 and, 3000 pixels to the side, rows 6..10.
Field twoCopies() {
    Field f = syntheticField(5);
    for (int k = 6; k <= 10; ++k) {
        f.ra[k] = f.ra[k - 5] + 3000;
        f.dec[k] = f.dec[k - 5];
    }
    return f;
}

} // namespace

TEST(Matching, SyntheticFieldMirrorAndStrictTolerance) {
    EXPECT_EQ(search(syntheticField(40), 1.0), std::vector<Candidate>{kIdentity});
    EXPECT_EQ(search(syntheticField(40, true), 1.0), std::vector<Candidate>{kIdentity});
    EXPECT_TRUE(search(syntheticField(40), 0.0).empty());

    // Picks 1 and 2 are 500 pixels apart, rows 1 and 2 505: a difference of
    // exactly the tolerance does not agree.
    Field f = syntheticField(0);
    f.x[2] = 400;
    f.y[2] = 500;
    f.ra[2] = 1000 + 403.0;
    f.dec[2] = 2000 - 504.0;
    EXPECT_TRUE(search(f, 5.0).empty()) << "a difference of exactly T must not agree";
    EXPECT_EQ(search(f, 5.0001), std::vector<Candidate>{kIdentity});
}

// The search written as the plain five nested loops over 1..n.
std::vector<Candidate> plainSearch(const matching::DistanceTables& t, double tol) {
    std::vector<Candidate> out;
    const int n = t.count();
    auto ok = [&](int r, int c, int a, int b) {
        return t.catalogue(r, c) + tol > t.image(a, b) && t.catalogue(r, c) - tol < t.image(a, b);
    };
    for (int i = 1; i <= n && out.size() <= 300; ++i)
        for (int j = 1; j <= n; ++j)
            if (ok(i, j, 1, 2))
                for (int m = 1; m <= n; ++m)
                    if (ok(j, m, 2, 3) && ok(i, m, 1, 3))
                        for (int p = 1; p <= n; ++p)
                            if (ok(i, p, 1, 4))
                                for (int q = 1; q <= n; ++q)
                                    if (ok(i, q, 1, 5) && ok(p, q, 4, 5) && ok(p, m, 4, 3) &&
                                        ok(p, j, 4, 2) && ok(q, j, 5, 2) && ok(q, m, 5, 3)) {
                                        if (out.size() == 2000) return out;
                                        out.push_back(Candidate{0, int16_t(i), int16_t(j),
                                                                int16_t(m), int16_t(p),
                                                                int16_t(q)});
                                    }
    return out;
}

TEST(Matching, SameCandidatesInTheSameOrderAsPlainLoops) {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> pos(0.0, 600.0);
    for (int round = 0; round < 6; ++round) {
        Field f = syntheticField(0);
        f.n = 60;
        f.ra.assign(f.n + 1, 0);
        f.dec.assign(f.n + 1, 0);
        for (int r = 1; r <= f.n; ++r) {
            f.ra[r] = std::nearbyint(pos(rng));
            f.dec[r] = std::nearbyint(pos(rng));
        }
        for (int k = 1; k <= 5; ++k) { // the picks are some of the rows, shifted
            f.x[k] = f.ra[7 * k] + 3.0;
            f.y[k] = f.dec[7 * k] - 2.0;
        }
        matching::DistanceTables t;
        t.build(f.x, f.y, f.ra, f.dec, f.n);
        for (double tol : {4.0, 15.0, 40.0}) {
            const auto fast = matching::FindCandidates(t, tol).candidates;
            EXPECT_EQ(fast, plainSearch(t, tol)) << "round " << round << " tolerance " << tol;
            EXPECT_FALSE(fast.empty());
        }
    }
}

TEST(Matching, CandidateLimitsAndModel) {
    // Any tolerance larger than every distance makes every assignment agree.
    // With 4 rows each first row gives 4^4 = 256 candidates: a second i is
    // begun at 256 (<= 300), a third is not.
    Field small = syntheticField(0);
    small.n = 4;
    EXPECT_EQ(search(small, 1e6).size(), 512u);
    // With 60 rows the first i alone would give 60^4: the table fills and
    // the search stops at 2000 rows instead of writing past them.
    bool full = false;
    const auto many = search(syntheticField(55), 1e9, &full);
    EXPECT_EQ(many.size(), 2000u);
    EXPECT_TRUE(full);

    const Field f = syntheticField(3);
    const auto model = matching::CandidateModel(f.x, f.y, f.ra, f.dec, kIdentity);
    ASSERT_TRUE(model);
    PlateSolution plate;
    plate.a = *model;
    for (int k = 1; k <= 5; ++k) {
        const auto p = plate.scaledToPixel(f.ra[k], f.dec[k]);
        ASSERT_TRUE(p);
        EXPECT_NEAR(p->x, kPickX[k], 1e-9);
        EXPECT_NEAR(p->y, kPickY[k], 1e-9);
    }
    Field line = f;
    line.x[3] = 700;
    line.y[3] = 200; // on the line through picks 1 and 2
    EXPECT_TRUE(matching::PicksCollinear(line.x, line.y));
    EXPECT_FALSE(matching::CandidateModel(line.x, line.y, line.ra, line.dec, kIdentity));
}

TEST(Matching, AutomaticCheckWindow) {
    MarkerPool picks(5, 16), stars(10, 8);
    // Pick marks are 16 pixels, star markers 8: both centred on their point.
    auto placePick = [&](int t, float x, float y) { picks.place(t, x - 8, y - 8); };
    auto placeStar = [&](int u, float x, float y) { stars.place(u, x - 4, y - 4); };
    for (int t = 1; t <= 5; ++t)
        placePick(t, 100.0f * t, 1000);
    for (int u = 1; u <= 10; ++u)
        placeStar(u, -500, -500);
    placeStar(1, 100 + 9, 1000 - 9); // inside S = 10 on both axes
    placeStar(2, 200 + 10, 1000);    // exactly S away: outside
    placeStar(3, 300, 1000 + 9.5f);  // inside
    placeStar(4, 300 - 3, 1000);     // a second star near mark 3 counts too
    placeStar(9, 500, 1000);         // beyond n = 8: not looked at
    EXPECT_EQ(matching::CountCheckHits({picks.left, picks.top}, {stars.left, stars.top}, 8, 10.0),
              3);
    EXPECT_EQ(matching::CountCheckHits({picks.left, picks.top}, {stars.left, stars.top}, 9, 10.0),
              4);
    EXPECT_EQ(matching::CountCheckHits({picks.left, picks.top}, {stars.left, stars.top}, 9, 0.0),
              0);
    EXPECT_FALSE(
        matching::CountCheckHits({picks.left, picks.top}, {stars.left, stars.top}, 9, 40000.0));
}

// ---- the window --------------------------------------------------------------

class MatchingWindow : public ::testing::Test {
protected:
    void SetUp() override {
        const char* texts[] = {"", "", "Question", "Titre", "Accepte", "Debut", "Fin"};
        for (int k = 2; k <= 6; ++k)
            Lang().FormMessages[k] = QString::fromLatin1(texts[k]);
        Lang().FormMessages[20] = QStringLiteral("Hors image");
        form = std::make_unique<Form1>();
        Form1& f = *form;
        control<ImageCanvas>(f, "Picture1")->resize(600, 500);
        SetCheckValue(check(f, "CheckDecideur"), 0);
        SetCheckValue(check(f, "Checkcenter"), 0);
        edit(f, "txt_tolerance")->setText(QStringLiteral("1"));
        edit(f, "txt_calcul")->setText(QStringLiteral("10"));
        // Centre typed at pixel (300, 250) of the synthetic field, scales 100.
        setCentre("0", "52");
        edit(f, "txt_dec(0)")->setText(QStringLiteral("17"));
        edit(f, "txt_dec(1)")->setText(QStringLiteral("30"));
        edit(f, "txt_dec(2)")->setText(QStringLiteral("0"));
        f.txt_dec_sign_Click(1);
        edit(f, "txt_epoch")->setText(QStringLiteral("2000.0"));
    }
    void setCentre(const char* h, const char* m) {
        edit(*form, "txt_ra(0)")->setText(QString::fromLatin1(h));
        edit(*form, "txt_ra(1)")->setText(QString::fromLatin1(m));
        edit(*form, "txt_ra(2)")->setText(QStringLiteral("0"));
    }
    void load(const Field& field) {
        SessionState& s = form->session();
        s.Plate.corrAsd = 100;
        s.Plate.corrDec = 100;
        s.ImageStarX = field.x;
        s.ImageStarY = field.y;
        for (int r = 1; r <= field.n; ++r) {
            s.Stars.ra[r] = field.ra[r];
            s.Stars.dec[r] = field.dec[r];
        }
        s.Stars.rowsRead = s.Stars.inUse = static_cast<int16_t>(field.n);
        s.SelectionDone = true;
        for (int t = 1; t <= 5; ++t)
            form->markers().clicpic.place(t, static_cast<float>(field.x[t] - 8),
                                          static_cast<float>(field.y[t] - 8));
    }
    std::vector<QString> questions() const {
        std::vector<QString> q;
        for (const auto& m : messages.shown)
            if (m.kind == messagebox::Kind::Question) q.push_back(m.text);
        return q;
    }
    bool logged(const QString& line) const {
        return !control<QListWidget>(*form, "status")->findItems(line, Qt::MatchExactly).isEmpty();
    }

    ProgramFolderFixture folder;
    MessageRecorder messages;
    std::unique_ptr<Form1> form;
};

TEST_F(MatchingWindow, OneCandidateIsOfferedAndAccepted) {
    load(syntheticField(30));
    form->Algo();
    ASSERT_EQ(questions(), std::vector<QString>{QStringLiteral("Question (1/1)")});
    EXPECT_EQ(messages.shown[0].title, "Titre");
    const SessionState& s = form->session();
    EXPECT_TRUE(s.MatchFound);
    EXPECT_EQ(s.WorkflowMode, WorkflowMode::Coordinates);
    EXPECT_EQ(s.CandidateCount, 1);
    EXPECT_TRUE(logged("Debut") && logged("Accepte") && logged("Fin"));
    EXPECT_NEAR(s.Plate.a[0], 1.0, 1e-12);
    EXPECT_NEAR(s.Plate.a[4], -1.0, 1e-12);
}

TEST_F(MatchingWindow, DeclinedCandidatesLeaveTheLastModel) {
    load(twoCopies());
    messages.answer = [](const messagebox::Shown&) { return messagebox::Answer::No; };
    form->Algo();
    // The second copy puts the typed centre 3000 pixels off the picture.
    EXPECT_EQ(questions(), (std::vector<QString>{"Question (1/2)", "Hors image\nQuestion (2/2)"}));
    const SessionState& s = form->session();
    EXPECT_FALSE(s.MatchFound);
    EXPECT_NE(s.WorkflowMode, WorkflowMode::Coordinates);
    EXPECT_NEAR(s.Plate.a[2], 4000.0, 1e-9); // the model of the second candidate
    EXPECT_TRUE(logged("Fin"));
}

TEST_F(MatchingWindow, DeciderAndCentreCheck) {
    load(syntheticField(30));
    SetCheckValue(check(*form, "CheckDecideur"), 1);
    form->Algo();
    EXPECT_EQ(questions().size(), 1u); // all five picks carry a star

    for (int t = 1; t <= 5; ++t)
        form->markers().clicpic.place(t, 5000, 5000);
    messages.shown.clear();
    form->Algo();
    EXPECT_TRUE(questions().empty());
    EXPECT_FALSE(form->session().MatchFound);
    EXPECT_TRUE(logged("Fin"));

    // Centre off the picture: a warning in the question, or no question at
    // all when the centre must be on the picture.
    SetCheckValue(check(*form, "CheckDecideur"), 0);
    setCentre("2", "0");
    messages.shown.clear();
    messages.answer = [](const messagebox::Shown&) { return messagebox::Answer::No; };
    form->Algo();
    EXPECT_EQ(questions(), std::vector<QString>{"Hors image\nQuestion (1/1)"});
    SetCheckValue(check(*form, "Checkcenter"), 1);
    messages.shown.clear();
    form->Algo();
    EXPECT_TRUE(questions().empty());
    EXPECT_FALSE(form->session().CentreOutside);
}

TEST_F(MatchingWindow, CentreWarningBelongsToItsOwnCandidate) {
    // Candidate 1 (rows 1..5) puts the centre off the picture and fails the
    // decider (rows 4 and 5 land 1.5 pixels off their picks); candidate 2
    // (rows 6..10, the exact pattern) has the centre on the picture and must
    // be asked without the warning of candidate 1.
    Field f = syntheticField(5);
    for (int k = 1; k <= 5; ++k) {
        f.ra[k + 5] = f.ra[k];
        f.dec[k + 5] = f.dec[k];
        f.ra[k] += 3000 + (k >= 4 ? 1.5 : 0.0);
    }
    load(f);
    SetCheckValue(check(*form, "CheckDecideur"), 1);
    SetCheckValue(check(*form, "Checkcenter"), 1);
    edit(*form, "txt_tolerance")->setText(QStringLiteral("2"));
    edit(*form, "txt_calcul")->setText(QStringLiteral("1"));
    form->Algo();
    EXPECT_EQ(questions(), std::vector<QString>{"Question (2/2)"});
    EXPECT_TRUE(form->session().MatchFound);
}

// An empty tolerance, a number of stars that is no number, picks 1-3 on one
// line: each stops with a message and nothing accepted.
TEST_F(MatchingWindow, UnusableInputsAreReported) {
    Field line = syntheticField(10);
    line.x[3] = 700;
    line.y[3] = 200;
    for (int c = 0; c < 3; ++c) {
        load(c == 2 ? line : syntheticField(10));
        edit(*form, "txt_tolerance")->setText(c == 0 ? "" : "1");
        edit(*form, "txt_calcul")->setText(c == 1 ? "ten" : "10");
        messages.shown.clear();
        form->Algo();
        ASSERT_EQ(messages.shown.size(), 1u) << c;
        EXPECT_EQ(messages.shown[0].kind, messagebox::Kind::Exclamation) << c;
        EXPECT_TRUE(c != 0 || form->session().CandidateCount == 0);
        EXPECT_FALSE(form->session().MatchFound) << c;
    }
}

TEST_F(MatchingWindow, CalculWithoutFiveStarsOnlyReloads) {
    load(syntheticField(10));
    form->session().SelectionDone = false;
    form->markers().star.show(3);
    edit(*form, "txt_corrasd")->setText(QStringLiteral("833.27"));
    edit(*form, "txt_corrdec")->setText(QStringLiteral("1575.63"));
    const int lines = control<QListWidget>(*form, "status")->count();
    form->startCalcul_Click();
    EXPECT_DOUBLE_EQ(form->session().Plate.corrAsd, 833.27);
    EXPECT_DOUBLE_EQ(form->session().Plate.corrDec, 1575.63);
    EXPECT_EQ(form->markers().star.visible[3], 0);
    EXPECT_TRUE(questions().empty());
    EXPECT_EQ(form->session().CandidateCount, 0);
    // Refused, the badge says idle again, not Busy.
    EXPECT_TRUE(control<QLabel>(*form, "icoR")->isHidden());
    EXPECT_FALSE(control<QLabel>(*form, "icoG")->isHidden());
    EXPECT_EQ(control<QListWidget>(*form, "status")->count(), lines);
}

TEST(Matching, CheckWindowRoundsHalvesToEven) {
    MarkerPool picks(5, 16), stars(2, 8);
    for (int t = 1; t <= 5; ++t)
        picks.place(t, -9000, -9000);
    picks.place(1, 400 - 8, 1000 - 8);
    auto placeStar = [&](float x) { stars.place(1, x - 4, 1000 - 4); };
    // S = 2.5: the window's low end -6.5 rounds to -6 (half away from zero: -7),
    // so a star 2 pixels right of the pick is outside.
    placeStar(400 + 2);
    EXPECT_EQ(matching::CountCheckHits({picks.left, picks.top}, {stars.left, stars.top}, 1, 2.5),
              0);
    // S = 3.5: the high end -0.5 rounds to 0 (half away from zero: -1), so a
    // star 3 pixels left of the pick is inside.
    placeStar(400 - 3);
    EXPECT_EQ(matching::CountCheckHits({picks.left, picks.top}, {stars.left, stars.top}, 1, 3.5),
              1);
}

TEST_F(MatchingWindow, CancelEndsTheReviewWithTheStateAsBefore) {
    load(twoCopies());
    SessionState& s = form->session();
    const auto plate = s.Plate.a;
    const MapState mapState = s.MapState;
    messages.answer = [](const messagebox::Shown&) { return messagebox::Answer::Cancel; };
    form->Algo();
    EXPECT_EQ(questions().size(), 1u); // the review stopped at the first question
    EXPECT_FALSE(s.MatchFound);
    EXPECT_NE(s.WorkflowMode, WorkflowMode::Coordinates);
    EXPECT_EQ(s.Plate.a, plate);
    EXPECT_EQ(s.MapState, mapState);
    EXPECT_TRUE(form->markers().drawings.empty());
    for (int i = 1; i <= 10; ++i)
        EXPECT_FALSE(form->markers().star.visible[i]) << i;
    EXPECT_TRUE(logged("Fin"));
}
