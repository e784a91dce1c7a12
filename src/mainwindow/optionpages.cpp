#include "mainwindow/optionpages.h"

#include "mainwindow/panelparts.h"
#include "platform/numbers.h"
#include "platform/widgets/controlvalue.h"
#include "settings/options.h"
#include "text/widgets/applylanguage.h"

#include <QCheckBox>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace settings;

using namespace panelparts;

namespace {
const QString kRankOption = QStringLiteral("solve/rankByEvidence");
const QString kRefineOption = QStringLiteral("solve/refinePlate");
} // namespace

DeciderPage::DeciderPage(QWidget* parent)
    : QGroupBox(QString::fromUtf8("Décideur"), parent),
      m_centring(checkBox("CheckSelectStars", "Recherche du centre de l'étoile pour la selection")),
      m_centreOnImage(checkBox("Checkcenter", "Les coordonnées indiqués se trouvent sur l'image")),
      m_decider(checkBox("CheckDecideur", "Décideur")), m_rank(checkBox("CheckRankEvidence", "")),
      m_refine(checkBox("CheckRefinePlate", "")),
      m_threshold(lineEdit(QStringLiteral("txt_calcul"), QStringLiteral("10"), 70)),
      m_labels{label(9, "Seuil décision:"), label(10, "pixels")} {
    setObjectName(QStringLiteral("frm(6)"));
    auto* g = new QGridLayout(this);
    g->addWidget(m_centring, 0, 0, 1, 3);
    g->addWidget(m_centreOnImage, 1, 0, 1, 3);
    g->addWidget(m_decider, 2, 0, 1, 3);
    g->addWidget(m_labels[0], 3, 0);
    g->addWidget(m_threshold, 3, 1);
    g->addWidget(m_labels[1], 3, 2);
    g->addWidget(m_rank, 4, 0, 1, 3);
    g->addWidget(m_refine, 5, 0, 1, 3);
    g->setRowStretch(6, 1);
    const std::pair<QCheckBox*, QString> kept[] = {{m_rank, kRankOption},
                                                   {m_refine, kRefineOption}};
    for (const auto& [box, name] : kept) {
        box->setChecked(options::Value(name, false).toBool());
        connect(box, &QCheckBox::toggled, this,
                [key = name](bool on) { options::SetValue(key, on); });
    }
}

void DeciderPage::retranslate() {
    SetFormCaption(this, 25);
    retranslateLabel(m_labels[0], 9);
    retranslateLabel(m_labels[1], 10);
    SetFormCaption(m_centreOnImage, 80);
    m_decider->setText(title());
    retranslateOptional(m_centring, 84);
    m_rank->setText(tr("Offer the candidates by image evidence"));
    m_rank->setToolTip(tr("Candidates whose model puts more catalogue stars on stars found on "
                          "the image are offered first."));
    m_refine->setText(tr("Refine the accepted plate on the stars found"));
    m_refine->setToolTip(tr("Fits a gnomonic plate to every catalogue star that has a star found "
                            "near it, and uses it from then on."));
}

bool DeciderPage::starCentring() const {
    return CheckValue(m_centring) == 1;
}
bool DeciderPage::centreOnImage() const {
    return CheckValue(m_centreOnImage) == 1;
}
bool DeciderPage::decider() const {
    return CheckValue(m_decider) != 0;
}
bool DeciderPage::rankByEvidence() const {
    return m_rank->isChecked();
}
bool DeciderPage::refinePlate() const {
    return m_refine->isChecked();
}
std::optional<double> DeciderPage::readThreshold() {
    const QString text = m_threshold->text();
    const auto s = numbers::Strict(text);
    if (s && numbers::ToInt16(-4.0 - *s) && numbers::ToInt16(*s - 4.0)) return s;
    notANumber(this, tr("decision threshold"), text);
    return std::nullopt;
}

MinorPlanetPage::MinorPlanetPage(QWidget* parent)
    : QGroupBox(QStringLiteral("Asteroide"), parent),
      m_wanted(checkBox("CheckAster", "Télécharger et afficher les astéroides dans Fullmap")),
      m_magnitude(lineEdit(QStringLiteral("Txt_Amag"), QStringLiteral("16.0"), 70)),
      m_field(lineEdit(QStringLiteral("txt_Afield"), QStringLiteral("100"), 70)),
      m_labels{label(18, "Mag max:"), label(19, "Champ:")},
      m_dateLabel(new QLabel(QStringLiteral("Date:"))) {
    setObjectName(QStringLiteral("frm(7)"));
    m_dateLabel->setObjectName(QStringLiteral("lbl_Adate"));
    auto* dateRow = new QHBoxLayout;
    for (int i = 0; i < 5; ++i) {
        m_date[i] = lineEdit(QStringLiteral("txt_Adate(%1)").arg(i), QStringLiteral("2007"),
                             i == 2 ? 56 : 40);
        dateRow->addWidget(m_date[i]);
    }
    dateRow->addStretch();
    auto* g = new QGridLayout(this);
    g->addWidget(m_wanted, 0, 0, 1, 3);
    g->addWidget(m_labels[0], 1, 0);
    g->addWidget(m_magnitude, 1, 1);
    g->addWidget(m_labels[1], 2, 0);
    g->addWidget(m_field, 2, 1);
    g->addWidget(m_dateLabel, 3, 0);
    g->addLayout(dateRow, 3, 1, 1, 2);
    g->setRowStretch(4, 1);
}

void MinorPlanetPage::retranslate() {
    SetFormCaption(m_wanted, 49);
    retranslateLabel(m_labels[0], 18);
    retranslateLabel(m_labels[1], 19);
    retranslateOptional(m_dateLabel, 83);
    retranslateOptional(this, 85);
}

bool MinorPlanetPage::wanted() const {
    return CheckValue(m_wanted) == 1;
}

std::array<QString, 5> MinorPlanetPage::date() const {
    std::array<QString, 5> texts;
    for (int i = 0; i < 5; ++i)
        texts[i] = m_date[i]->text();
    return texts;
}

void MinorPlanetPage::setDate(const QDateTime& when) {
    const int parts[5] = {when.date().day(), when.date().month(), when.date().year(),
                          when.time().hour(), when.time().minute()};
    for (int i = 0; i < 5; ++i)
        m_date[i]->setText(QString::number(parts[i]));
}

QString MinorPlanetPage::field() const {
    return m_field->text();
}
QString MinorPlanetPage::magnitude() const {
    return m_magnitude->text();
}

DeepSkyPage::DeepSkyPage(QWidget* parent)
    : QGroupBox(QString::fromUtf8("Décideur"), parent),
      m_inCalcul(checkBox("CheckDeepObj1", "Afficher les catalogues NGC/IC dans Calcul.")),
      m_inFullMap(checkBox("CheckDeepObj2", "Afficher les catalogues NGC/IC dans Fullmap")) {
    setObjectName(QStringLiteral("frm(8)"));
    auto* l = new QVBoxLayout(this);
    l->addWidget(m_inCalcul);
    l->addWidget(m_inFullMap);
    l->addStretch();
}

void DeepSkyPage::retranslate() {
    SetFormCaption(m_inCalcul, 78);
    SetFormCaption(m_inFullMap, 79);
    retranslateOptional(this, 86);
}

bool DeepSkyPage::inCalcul() const {
    return CheckValue(m_inCalcul) == 1;
}
bool DeepSkyPage::inFullMap() const {
    return CheckValue(m_inFullMap) == 1;
}
