#include "mainwindow/fitshintfields.h"

#include "field/fitshints.h"
#include "field/typedcentre.h"
#include "mainwindow/commandhost.h"
#include "mainwindow/fieldpanel.h"
#include "mainwindow/optionpages.h"
#include "platform/widgets/messagebox.h"

#include <QLineEdit>

using namespace field;

namespace {

// One group of fields a hint fills together.
struct HintGroup {
    QString what; // for the status list and the question
    std::vector<std::pair<QLineEdit*, QString>> fields;
    QString sign; // the centre's declination sign; empty for other groups
    bool changes = false;
    bool typed = false; // one of its fields was typed by the user
};

} // namespace

FitsHintFields::FitsHintFields(CommandHost& host, FieldPanel& field, MinorPlanetPage& minorPlanets)
    : QObject(host.hostWidget()), m_host(host), m_field(field), m_minorPlanets(minorPlanets) {
    const FieldPanel::HeaderBoxes b = field.headerBoxes();
    std::vector<QLineEdit*> boxes{b.epoch, b.corrAsd, b.corrDec};
    boxes.insert(boxes.end(), b.ra.begin(), b.ra.end());
    boxes.insert(boxes.end(), b.dec.begin(), b.dec.end());
    for (QLineEdit* box : minorPlanets.dateBoxes())
        boxes.push_back(box);
    for (QLineEdit* box : boxes)
        connect(box, &QLineEdit::textEdited, this, [this, box] { m_typed.insert(box); });
    connect(&field, &FieldPanel::signClicked, this, [this] { m_typed.insert(&m_field); });
}

void FitsHintFields::apply(const FitsHints& hints, const QString& key) {
    if (key == m_appliedFrom) return; // the same file again: its hints are in already
    m_appliedFrom = key;
    if (hints.empty()) return m_host.LogMessage(tr("FITS header: no centre, date or scales found"));
    const FieldPanel::HeaderBoxes boxes = m_field.headerBoxes();
    const std::array<QLineEdit*, 5> dateBoxes = m_minorPlanets.dateBoxes();

    std::vector<HintGroup> groups;
    if (const auto& c = hints.centre) {
        HintGroup g;
        g.what =
            tr("centre %1 %2 %3 %4%5 %6 %7")
                .arg(c->ra[0], c->ra[1], c->ra[2], c->decSign, c->dec[0], c->dec[1], c->dec[2]);
        for (int i = 0; i < 3; ++i) {
            g.fields.emplace_back(boxes.ra[static_cast<size_t>(i)], c->ra[i]);
            g.fields.emplace_back(boxes.dec[static_cast<size_t>(i)], c->dec[i]);
        }
        if (!c->epoch.isEmpty()) {
            g.fields.emplace_back(boxes.epoch, c->epoch);
            g.what += tr(", equinox %1").arg(c->epoch);
        } else {
            g.what += tr(" (no equinox in the header: the typed one is kept)");
        }
        g.what += QStringLiteral(" [%1]").arg(c->from);
        g.sign = c->decSign;
        g.changes = m_field.decSign() != g.sign;
        g.typed = m_typed.contains(&m_field);
        groups.push_back(g);
    }
    if (const auto& t = hints.time) {
        HintGroup g;
        g.what = tr("minor-planet date %1/%2/%3 %4:%5 UTC [%6]")
                     .arg(t->fields[0], t->fields[1], t->fields[2], t->fields[3])
                     .arg(t->fields[4].rightJustified(2, QLatin1Char('0')), t->from);
        for (int i = 0; i < 5; ++i)
            g.fields.emplace_back(dateBoxes[static_cast<size_t>(i)], t->fields[i]);
        groups.push_back(g);
    }
    const auto scaleGroup = [&boxes](const FitsScaleHint& s) {
        HintGroup g;
        g.what =
            tr("scales Corr Asd %1, Corr Dec %2 [%3]").arg(s.corrAsdText, s.corrDecText, s.from);
        g.fields.emplace_back(boxes.corrAsd, s.corrAsdText);
        g.fields.emplace_back(boxes.corrDec, s.corrDecText);
        return g;
    };
    if (hints.scales) groups.push_back(scaleGroup(*hints.scales));

    const auto weigh = [this](HintGroup& g) {
        for (const auto& [field, text] : g.fields) {
            if (!field || field->text() == text) continue;
            g.changes = true;
            g.typed = g.typed || m_typed.contains(field);
        }
    };
    QStringList ask;
    for (HintGroup& g : groups) {
        weigh(g);
        if (g.changes && g.typed) ask << g.what;
    }
    bool replaceTyped = false;
    if (!ask.isEmpty())
        replaceTyped = messagebox::YesNo(
            m_host.hostWidget(),
            tr("The FITS header gives:\n%1\n\nReplace the values you typed?").arg(ask.join('\n')),
            tr("FITS header"));

    // The right-ascension scale belongs to the declination it is used with:
    // when the header's centre does not go into the fields, it is worked out
    // again for the typed one.
    const bool centreTaken =
        hints.centre && (!groups.front().changes || !groups.front().typed || replaceTyped);
    if (hints.scales && !centreTaken) {
        FitsScaleHint s = *hints.scales;
        const auto typed = TypedCentreJ2000(m_field.centre(), 1, 1);
        if (typed && SetScaleDeclination(s, typed->dec)) {
            s.from = s.source + tr(", × cos(Dec) of the typed centre");
            HintGroup& g = groups.back();
            g = scaleGroup(s);
            weigh(g);
        }
    }

    for (const HintGroup& g : groups) {
        if (!g.changes) {
            m_host.LogMessage(tr("FITS header: %1 (already in the fields)").arg(g.what));
            continue;
        }
        if (g.typed && !replaceTyped) {
            m_host.LogMessage(tr("FITS header: %1 not taken, your values kept").arg(g.what));
            continue;
        }
        for (const auto& [field, text] : g.fields) {
            if (!field) continue;
            field->setText(text);
            m_typed.remove(field);
        }
        if (!g.sign.isEmpty()) {
            m_field.setDecSign(g.sign);
            m_field.syncSignButtons();
            m_typed.remove(&m_field);
        }
        m_host.LogMessage(tr("FITS header: %1 taken").arg(g.what));
    }
}
