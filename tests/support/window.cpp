#include "window.h"

#include "mainwindow/form1.h"
#include "mainwindow/imagecanvas.h"
#include "platform/widgets/controlvalue.h"
#include "text/language.h"
#include "text/widgets/translations.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>
#include <QTextEdit>
#include <cmath>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;
using namespace text;

namespace testing_support {

EnglishTexts::EnglishTexts(const ProgramFolderFixture& folder) {
    if (!ReadLanguageFile(folder.file(QStringLiteral("lang-en.cfg")), Lang()).read)
        throw std::runtime_error("lang-en.cfg is missing from the program folder");
    UseTranslations(QStringLiteral("en")); // the plural forms of the English texts
}

EnglishTexts::~EnglishTexts() {
    Lang() = LanguageTable{};
}

const int kSamplePicks[5][2] = {{630, 133}, {902, 837}, {301, 262}, {494, 934}, {237, 638}};

void clickImage(Form1& form, QPoint at) {
    form.Picture1_MouseMove(static_cast<float>(at.x()), static_cast<float>(at.y()));
    QTest::mouseClick(control<ImageCanvas>(form, QStringLiteral("Picture1")), Qt::LeftButton, {},
                      at);
}

void pickSampleStars(Form1& form, QPoint offset, bool start) {
    if (start) {
        SetCheckValue(check(form, QStringLiteral("CheckSelectStars")), 1);
        form.SelectStar_Click();
    }
    for (const auto& p : kSamplePicks)
        clickImage(form, QPoint(p[0], p[1]) + offset);
}

std::function<messagebox::Answer(const messagebox::Shown&)>
yesToTheTrueIdentification(Form1& form, int* questions, int* accepted) {
    return [&form, questions, accepted](const messagebox::Shown&) {
        if (questions) ++*questions;
        const SessionState& s = form.session();
        const int truth[5] = {9, 13, 19, 20, 45};
        for (int k = 0; k < 5; ++k) {
            const auto px = s.Plate.scaledToPixel(s.Stars.ra[truth[k]], s.Stars.dec[truth[k]]);
            if (!px || std::hypot(px->x - s.ImageStarX[k + 1], px->y - s.ImageStarY[k + 1]) > 12)
                return messagebox::Answer::No;
        }
        if (accepted) ++*accepted;
        return messagebox::Answer::Yes;
    };
}

void solveSample(Form1& form, MessageRecorder& boxes, const ProgramFolderFixture& folder) {
    if (!form.OpenReduction(folder.file(QStringLiteral("sample.pam"))))
        throw std::runtime_error("sample.pam did not open");
    form.DownloadData_Click();
    pickSampleStars(form);
    boxes.answer = yesToTheTrueIdentification(form);
    form.startCalcul_Click();
    boxes.answer = {};
    if (!form.session().MatchFound) throw std::runtime_error("the sample was not solved");
}

void trigger(const Form1& form, const char* action) {
    control<QAction>(form, QString::fromLatin1(action))->trigger();
}

std::pair<double, double> readoutDegrees(const Form1& form) {
    static const QRegularExpression number(QStringLiteral("(-?\\d+(?:\\.\\d+)?)  \\("));
    auto it =
        number.globalMatch(control<QTextEdit>(form, QStringLiteral("InfoMore"))->toPlainText());
    double v[2] = {NAN, NAN};
    for (double& d : v)
        if (it.hasNext()) d = it.next().captured(1).toDouble();
    return {v[0], v[1]};
}

bool logged(const Form1& form, const QString& part) {
    const QListWidget* list = control<QListWidget>(form, QStringLiteral("status"));
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().contains(part)) return true;
    return false;
}

} // namespace testing_support
