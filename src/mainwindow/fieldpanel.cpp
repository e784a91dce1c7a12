#include "mainwindow/fieldpanel.h"

#include "field/typedvalues.h"
#include "mainwindow/commatopoint.h"
#include "mainwindow/panelparts.h"
#include "platform/numbers.h"
#include "platform/widgets/centreentry.h"
#include "platform/widgets/controlvalue.h"
#include "platform/widgets/decsignbox.h"
#include "platform/widgets/messagebox.h"
#include "text/widgets/applylanguage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

using namespace field;

using namespace panelparts;

namespace {
constexpr int kLabelIndex[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 16, 17};
constexpr const char* kLabelCaption[12] = {"Champ",    "Arcmin",     "Mag max:", "Mag fullmap:",
                                           "Img:",     "Tolérance:", "pixels",   "Corr Asd",
                                           "Corr Dec", "Epoch:",     "Asd:",     "Dec:"};
} // namespace

FieldPanel::FieldPanel(QWidget* parent)
    : QGroupBox(QString::fromUtf8("Catalogue d'étoile"), parent),
      m_centre(new CentreEntry(QStringLiteral("txt_dec_sign_show(0)"), 48, 60)),
      m_epoch(lineEdit(QStringLiteral("txt_epoch"), QStringLiteral("2000.0"), 70)),
      m_radius(lineEdit(QStringLiteral("txt_distance"), QStringLiteral("20"), 70)),
      m_mag(lineEdit(QStringLiteral("txt_mag"), QStringLiteral("13"), 70)),
      m_mag2(lineEdit(QStringLiteral("txt_mag2"), QStringLiteral("16"), 70)),
      m_url(lineEdit(QStringLiteral("txt_url"))), m_loadImage(button("Loadimg", "Load")),
      m_autoload(checkBox("CheckAutoload", "Auto load si modifié")),
      m_ccd(new QGroupBox(QStringLiteral("CCD"))),
      m_tolerance(lineEdit(QStringLiteral("txt_tolerance"), QStringLiteral("7"), 70)),
      m_corrAsd(lineEdit(QStringLiteral("txt_corrasd"))),
      m_corrDec(lineEdit(QStringLiteral("txt_corrdec"))), m_loadScales(button("LoadCorr", "Load")) {
    setObjectName(QStringLiteral("frm(1)"));
    m_ccd->setObjectName(QStringLiteral("frm(2)"));
    std::array<QLabel*, 18> lbl{}; // by label number
    for (int k = 0; k < 12; ++k)
        lbl[kLabelIndex[k]] = m_labels[k] = label(kLabelIndex[k], kLabelCaption[k]);

    auto* g = new QGridLayout(this);
    connect(m_centre, &CentreEntry::signClicked, this, &FieldPanel::signClicked);
    g->addWidget(lbl[16], 0, 0);
    g->addWidget(lbl[17], 1, 0);
    g->addWidget(m_centre, 0, 1, 2, 3);
    g->addWidget(lbl[11], 2, 0);
    g->addWidget(m_epoch, 2, 1);
    g->addWidget(lbl[0], 3, 0);
    g->addWidget(m_radius, 3, 1);
    g->addWidget(lbl[1], 3, 2);
    g->addWidget(lbl[2], 4, 0);
    g->addWidget(m_mag, 4, 1);
    g->addWidget(lbl[3], 4, 2);
    g->addWidget(m_mag2, 4, 3);
    g->addWidget(lbl[4], 5, 0);
    g->addWidget(m_url, 5, 1, 1, 2);
    g->addWidget(m_loadImage, 5, 3);
    g->addWidget(m_autoload, 6, 1, 1, 3);

    auto* c = new QGridLayout(m_ccd);
    c->addWidget(lbl[5], 0, 0);
    c->addWidget(m_tolerance, 0, 1);
    c->addWidget(lbl[6], 0, 2);
    c->addWidget(lbl[7], 1, 0);
    c->addWidget(m_corrAsd, 1, 1, 1, 2);
    c->addWidget(lbl[8], 2, 0);
    c->addWidget(m_corrDec, 2, 1, 1, 2);
    c->addWidget(m_loadScales, 1, 3, 2, 1);
    g->addWidget(m_ccd, 7, 0, 1, 4);

    connect(m_autoload, &QCheckBox::stateChanged, this, &FieldPanel::autoloadChanged);
    for (QLineEdit* box : {m_corrAsd, m_corrDec, m_epoch})
        connect(box, &QLineEdit::textChanged, this, [box] { CommaToPoint(box); });
}

void FieldPanel::retranslate() {
    SetFormCaption(this, 20);
    SetFormCaption(m_ccd, 21);
    for (int k = 0; k < 12; ++k)
        retranslateLabel(m_labels[k], kLabelIndex[k]);
    SetFormCaption(m_loadScales, 47);
    m_loadImage->setText(tr("Load"));
    SetFormCaption(m_autoload, 81);
}

TypedCentreFields FieldPanel::centre() const {
    TypedCentreFields f;
    f.ra = m_centre->ra();
    f.dec = m_centre->dec();
    f.decSign = m_centre->sign()->sign();
    f.epoch = m_epoch->text();
    return f;
}

void FieldPanel::setCoordinateTexts(const std::array<QString, 3>& ra,
                                    const std::array<QString, 3>& dec) {
    m_centre->setRa(ra);
    m_centre->setDec(dec);
}

QString FieldPanel::epoch() const {
    return m_epoch->text();
}
QString FieldPanel::radius() const {
    return m_radius->text();
}
FieldPanel::HeaderBoxes FieldPanel::headerBoxes() const {
    HeaderBoxes b;
    for (int i = 0; i < 3; ++i) {
        b.ra[static_cast<size_t>(i)] = m_centre->raBox(i);
        b.dec[static_cast<size_t>(i)] = m_centre->decBox(i);
    }
    b.epoch = m_epoch;
    b.corrAsd = m_corrAsd;
    b.corrDec = m_corrDec;
    return b;
}
void FieldPanel::setRadius(const QString& arcmin) {
    m_radius->setText(arcmin);
}
QString FieldPanel::magnitude() const {
    return m_mag->text();
}
void FieldPanel::setMagnitude(const QString& text) {
    m_mag->setText(text);
}
QString FieldPanel::fullMapMagnitude() const {
    return m_mag2->text();
}
QString FieldPanel::imagePath() const {
    return m_url->text();
}
void FieldPanel::setImagePath(const QString& path) {
    m_url->setText(path);
}
int FieldPanel::autoload() const {
    return CheckValue(m_autoload);
}
std::optional<double> FieldPanel::readTolerance() {
    const auto t = matchingNumber(this, tr("tolerance"), m_tolerance->text());
    if (!t) return t;
    const QString problem = RangeProblem(boxName(5), m_tolerance->text(), kToleranceRange);
    if (problem.isEmpty()) return t;
    messagebox::Exclamation(this, problem);
    return std::nullopt;
}

QString FieldPanel::boxName(int label) const {
    QString name = m_labels[std::find(kLabelIndex, kLabelIndex + 12, label) - kLabelIndex]->text();
    while (name.endsWith(QLatin1Char(':')) || (!name.isEmpty() && name.back().isSpace()))
        name.chop(1);
    return name;
}

namespace {
bool told(QWidget* parent, const QString& problem) {
    if (problem.isEmpty()) return true;
    messagebox::Exclamation(parent, problem);
    return false;
}
} // namespace

bool FieldPanel::checkQuery() {
    QString problem = CentreRangeProblem(centre());
    if (problem.isEmpty()) problem = RangeProblem(boxName(0), m_radius->text(), kRadiusRange);
    if (problem.isEmpty()) problem = RangeProblem(boxName(2), m_mag->text(), kMagnitudeRange);
    return told(this, problem);
}

bool FieldPanel::checkSave() {
    const std::pair<int, QLineEdit*> boxes[] = {{0, m_radius}, {2, m_mag}, {3, m_mag2}};
    for (const auto& [label, box] : boxes)
        if (QString p = RangeProblem(boxName(label), box->text(),
                                     label == 0 ? kRadiusRange : kMagnitudeRange);
            !p.isEmpty())
            return told(this, p);
    return told(this, RangeProblem(boxName(5), m_tolerance->text(), kToleranceRange));
}

QString FieldPanel::centreProblem() const {
    const TypedCentreReading reading = ReadTypedCentre(centre());
    return tr("Field centre: not a number in %1 (\"%2\"), the overlay is not drawn")
        .arg(reading ? QString() : CentreBoxName(reading.error().kind),
             reading ? QString() : reading.error().message);
}
QString FieldPanel::corrAsd() const {
    return m_corrAsd->text();
}
QString FieldPanel::corrDec() const {
    return m_corrDec->text();
}
void FieldPanel::setCorrectors(const QString& corrAsd, const QString& corrDec) {
    m_corrAsd->setText(corrAsd);
    m_corrDec->setText(corrDec);
}

void FieldPanel::setScales(std::optional<double> corrAsd, std::optional<double> corrDec) {
    if (corrAsd) m_corrAsd->setText(numbers::Text(*corrAsd));
    if (corrDec) m_corrDec->setText(numbers::Text(*corrDec));
}
QString FieldPanel::decSign() const {
    return m_centre->sign()->sign();
}

void FieldPanel::setDecSign(const QString& sign) {
    m_centre->sign()->setSign(sign);
}

void FieldPanel::syncSignButtons() {
    m_centre->sign()->syncButtons();
}

std::optional<std::pair<double, double>> FieldPanel::readScales() {
    constexpr NumberRange kScaleRange{0, 1e9, false};
    QString problem = RangeProblem(boxName(7), m_corrAsd->text(), kScaleRange);
    if (problem.isEmpty()) problem = RangeProblem(boxName(8), m_corrDec->text(), kScaleRange);
    if (told(this, problem))
        return std::pair(*numbers::Strict(m_corrAsd->text()), *numbers::Strict(m_corrDec->text()));
    return std::nullopt;
}
