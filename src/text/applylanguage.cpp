// Window captions from the language table, and the hints of the main window.
#include "mainwindow/form1.h"
#include "platform/numbers.h"
#include "text/language.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

namespace {

// Sets the visible text of the control named `name` inside `window`, whatever
// kind of control it is; a missing control is skipped.
void setCaption(QWidget* window, const QString& name, const QString& text) {
    QObject* o = window->findChild<QObject*>(name);
    if (!o) return;
    if (auto* b = qobject_cast<QAbstractButton*>(o))
        b->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(o))
        l->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(o))
        g->setTitle(text);
    else if (auto* a = qobject_cast<QAction*>(o))
        a->setText(text);
}

QString entry(const std::vector<QString>& texts, int i) {
    return i >= 0 && i < static_cast<int>(texts.size()) ? texts[i] : QString();
}

QString lbl(int i) {
    return QStringLiteral("lbl(%1)").arg(i);
}

} // namespace

bool ApplyLanguage(const QString& key, QWidget* window) {
    if (!window) return false;
    const LanguageTable& t = Lang();
    if (key == QLatin1String("Config")) {
        const auto& c = t.ConfigTexts;
        window->setWindowTitle(entry(c, 1));
        for (int i = 0; i < 3; ++i)
            setCaption(window, lbl(i), entry(c, i + 2));
        for (int i = 1; i <= 4; ++i)
            setCaption(window, QStringLiteral("cmd%1").arg(i), entry(c, i + 4));
        return true;
    }
    if (key == QLatin1String("Config2")) {
        const auto& c = t.Config2Texts;
        window->setWindowTitle(entry(c, 1));
        for (int i = 0; i <= 5; ++i)
            setCaption(window, lbl(i), entry(c, i + 2));
        setCaption(window, QStringLiteral("cmd1"), entry(c, 8));
        return true;
    }
    if (key == QLatin1String("Wizard")) {
        const auto& w = t.WizardTexts;
        window->setWindowTitle(entry(w, 1));
        for (int i = 0; i <= 15; ++i)
            setCaption(window, lbl(i), entry(w, i + 2));
        setCaption(window, QStringLiteral("step1"), entry(w, 18));
        setCaption(window, QStringLiteral("step2"), entry(w, 18));
        setCaption(window, QStringLiteral("step3"), entry(w, 19));
        return true;
    }
    if (key == QLatin1String("Form")) {
        auto* form = qobject_cast<Form1*>(window);
        if (form) form->ApplyLanguageToForm();
        return form != nullptr;
    }
    if (key == QLatin1String("mode")) {
        const auto& m = t.ModeTexts;
        setCaption(window, lbl(0), entry(m, 1));
        setCaption(window, lbl(1), entry(m, 2));
        setCaption(window, QStringLiteral("Check"), entry(m, 3));
        return true;
    }
    return false;
}

QString SuggestionCaption(const QString& current, const QString& key, int step,
                          const QString& value1, const QString& value2) {
    const auto& s = Lang().SuggestionTexts;
    const QChar lineBreak = QLatin1Char('\n');
    if (key == QLatin1String("calcul")) {
        if (step == -1) return entry(s, 5);
        if (step != 0) return current;
        // Candidates found (x) and catalogue stars in use (y).
        QString caption = current;
        const auto x = numbers::strict(value1);
        const auto y = numbers::strict(value2);
        if (x && *x < 100)
            caption = entry(s, 1) + lineBreak;
        else if (x && *x > 100)
            caption = entry(s, 2) + lineBreak;
        if (y && *y > 300) caption += entry(s, 3) + lineBreak;
        if (y && *y < 100) caption += entry(s, 4) + lineBreak;
        return caption;
    }
    if (key == QLatin1String("superetalonage"))
        return step >= 0 ? entry(s, 6) : step == -1 ? entry(s, 7) : current;
    if (key == QLatin1String("etalonage")) {
        // The calibration command passes its image-loaded flag (-1 true, 0
        // false): with an image the hint explains the picking (entry 9),
        // without one it asks for an image (entry 8).
        if (step == -1 || step == 1) return entry(s, 9);
        return step <= 0 ? entry(s, 8) : current;
    }
    if (key == QLatin1String("selectstar"))
        return step == 1 ? entry(s, 10) : step == 2 ? entry(s, 11) : current;
    if (key == QLatin1String("open")) return entry(s, 12);
    if (key == QLatin1String("fullmapannuler")) return entry(s, 13);
    if (key == QLatin1String("calculannuler")) return entry(s, 14);
    if (key == QLatin1String("softupdate")) return entry(s, 15);
    return current;
}
