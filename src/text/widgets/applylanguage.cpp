// Window captions from the language table.
#include "text/widgets/applylanguage.h"

#include "text/language.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStringList>
#include <QWidget>

using namespace text;

namespace {

// Sets the visible text of the control named `name` inside `window`; a
// missing control is skipped.
void setCaption(QWidget* window, const QString& name, const QString& text) {
    SetCaption(window->findChild<QObject*>(name), text);
}

QString entry(const std::vector<QString>& texts, int i) {
    return i >= 0 && i < static_cast<int>(texts.size()) ? texts[i] : QString();
}

QString lbl(int i) {
    return QStringLiteral("lbl(%1)").arg(i);
}

} // namespace

void SetCaption(QObject* control, const QString& text) {
    // A text the table does not hold (an entry the file never reached, or
    // the header that ends a section) leaves the design caption.
    static const QStringList headers{"[CONFIG2]", "[FORM]", "[WIZARD]", "[SUGESTIONS]",
                                     "[INFO]",    "[MODE]", "[END]"};
    if (text.isEmpty() || headers.contains(text)) return;
    if (auto* b = qobject_cast<QAbstractButton*>(control))
        b->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(control))
        l->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(control))
        g->setTitle(text);
    else if (auto* a = qobject_cast<QAction*>(control))
        a->setText(text);
    else if (auto* m = qobject_cast<QMenu*>(control))
        m->setTitle(text);
}

void SetFormCaption(QObject* control, int i) {
    SetCaption(control, FormText(i));
}

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
    if (key == QLatin1String("mode")) {
        const auto& m = t.ModeTexts;
        setCaption(window, lbl(0), entry(m, 1));
        setCaption(window, lbl(1), entry(m, 2));
        setCaption(window, QStringLiteral("Check"), entry(m, 3));
        return true;
    }
    return false;
}
