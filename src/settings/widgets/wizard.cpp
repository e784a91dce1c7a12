#include "settings/widgets/wizard.h"

#include "platform/widgets/centreentry.h"
#include "platform/widgets/decsignbox.h"
#include "platform/widgets/messagebox.h"
#include "text/language.h"
#include "text/widgets/applylanguage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

using namespace settings;
using namespace text;

Wizard::Wizard(const WizardFields& fields, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Wizard"));
    setWindowTitle(QStringLiteral("Assistant d'astrometrie"));
    setModal(true);

    // The design captions of lbl(0)..lbl(15), replaced by the language texts.
    const char* captions[16] = {"Veuillez remplir les informations sur l'image:",
                                "Image:",
                                "Asd:",
                                "Dec:",
                                "Epoch:",
                                "Mag max:",
                                "Configuration optique utilisé:",
                                "Corr Asd",
                                "Corr Dec",
                                "Parametres de calcul:",
                                "Tolérance:",
                                "pixels",
                                "Champ:",
                                "arcmin",
                                "Seuil calcul",
                                "pixels"};
    for (int i = 0; i < 16; ++i) {
        m_lbl[i] = new QLabel(QString::fromUtf8(captions[i]));
        m_lbl[i]->setObjectName(QStringLiteral("lbl(%1)").arg(i));
    }
    auto edit = [](const QString& name) {
        auto* e = new QLineEdit;
        e->setObjectName(name);
        return e;
    };
    auto button = [](const QString& text, const QString& name) {
        auto* b = new QPushButton(text);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };

    // Page 1: image and field centre.
    Frame1 = new QGroupBox(QStringLiteral("Catalogue d'étoile"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    txt_url = edit(QStringLiteral("txt_url"));
    centre = new CentreEntry(QStringLiteral("txt_dec_sign_show"), 48, 60);
    txt_epoch = edit(QStringLiteral("txt_epoch"));
    txt_mag = edit(QStringLiteral("txt_mag"));
    step1 = button(QStringLiteral("Suivant"), QStringLiteral("step1"));
    {
        auto* g = new QGridLayout(Frame1);
        g->addWidget(m_lbl[0], 0, 0, 1, 3);
        g->addWidget(m_lbl[1], 1, 0);
        g->addWidget(txt_url, 1, 1, 1, 2);
        g->addWidget(m_lbl[2], 2, 0);
        g->addWidget(m_lbl[3], 3, 0);
        g->addWidget(centre, 2, 1, 2, 2);
        g->addWidget(m_lbl[4], 4, 0);
        g->addWidget(txt_epoch, 4, 1);
        g->addWidget(m_lbl[5], 5, 0);
        g->addWidget(txt_mag, 5, 1);
        g->addWidget(step1, 6, 2, Qt::AlignRight);
    }

    // Page 2: optical configuration.
    Frame2 = new QGroupBox;
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Combo = new QComboBox;
    Combo->setObjectName(QStringLiteral("Combo"));
    txt_corrasd = edit(QStringLiteral("txt_corrasd"));
    txt_corrdec = edit(QStringLiteral("txt_corrdec"));
    step2 = button(QStringLiteral("Suivant"), QStringLiteral("step2"));
    {
        auto* g = new QGridLayout(Frame2);
        g->addWidget(m_lbl[6], 0, 0, 1, 3);
        g->addWidget(Combo, 1, 0, 1, 3);
        g->addWidget(m_lbl[7], 2, 0);
        g->addWidget(txt_corrasd, 2, 1);
        g->addWidget(m_lbl[8], 3, 0);
        g->addWidget(txt_corrdec, 3, 1);
        g->setRowStretch(4, 1);
        g->addWidget(step2, 5, 2, Qt::AlignRight);
    }

    // Page 3: calculation parameters.
    Frame3 = new QGroupBox;
    Frame3->setObjectName(QStringLiteral("Frame3"));
    txt_tolerance = edit(QStringLiteral("txt_tolerance"));
    txt_distance = edit(QStringLiteral("txt_distance"));
    txt_calcul = edit(QStringLiteral("txt_calcul"));
    step3 = button(QStringLiteral("Terminer"), QStringLiteral("step3"));
    {
        auto* g = new QGridLayout(Frame3);
        g->addWidget(m_lbl[9], 0, 0, 1, 3);
        g->addWidget(m_lbl[10], 1, 0);
        g->addWidget(txt_tolerance, 1, 1);
        g->addWidget(m_lbl[11], 1, 2);
        g->addWidget(m_lbl[12], 2, 0);
        g->addWidget(txt_distance, 2, 1);
        g->addWidget(m_lbl[13], 2, 2);
        g->addWidget(m_lbl[14], 3, 0);
        g->addWidget(txt_calcul, 3, 1);
        g->addWidget(m_lbl[15], 3, 2);
        g->setRowStretch(4, 1);
        g->addWidget(step3, 5, 2, Qt::AlignRight);
    }

    back = button(QString(), QStringLiteral("back"));
    cancel = button(QString(), QStringLiteral("cancel"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(back);
    bottom->addStretch();
    bottom->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Frame2);
    layout->addWidget(Frame3);
    layout->addLayout(bottom);
    showPage(0);
    setMinimumWidth(420);
    retranslate();

    connect(step1, &QPushButton::clicked, this, &Wizard::step1_Click);
    connect(step2, &QPushButton::clicked, this, &Wizard::step2_Click);
    connect(step3, &QPushButton::clicked, this, &Wizard::step3_Click);
    connect(back, &QPushButton::clicked, this, &Wizard::back_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Combo, &QComboBox::activated, this, &Wizard::Combo_Click);
    connect(centre, &CentreEntry::signClicked, this, &Wizard::txt_dec_sign_Click);
    Form_Load(fields);
}

void Wizard::Form_Load(const WizardFields& fields) {
    const auto& texts = Lang().WizardTexts;
    if (std::any_of(texts.begin(), texts.end(), [](const QString& t) { return !t.isEmpty(); }))
        ApplyLanguage(QStringLiteral("Wizard"), this);
    setFields(fields);
    const ConfigFileReading read = ReadConfigFile(ConfigFilePath());
    m_configs = read.entries;
    for (const OpticalConfiguration& c : m_configs)
        Combo->addItem(c.name);
    // No configuration is chosen until the user picks one: the boxes keep
    // the main window's coefficients.
    Combo->setCurrentIndex(-1);
    if (!read.problem.isEmpty()) messagebox::Ok(this, read.problem);
}

void Wizard::setFields(const WizardFields& f) {
    txt_calcul->setText(f.calcul);
    txt_corrasd->setText(f.corrAsd);
    txt_corrdec->setText(f.corrDec);
    centre->setDec(f.dec);
    centre->sign()->setButtonsChecked(f.decSignOption);
    centre->sign()->setSign(f.decSignShow);
    txt_distance->setText(f.distance);
    txt_epoch->setText(f.epoch);
    txt_mag->setText(f.mag);
    centre->setRa(f.ra);
    txt_tolerance->setText(f.tolerance);
    txt_url->setText(f.url);
}

WizardFields Wizard::fields() const {
    WizardFields f;
    f.calcul = txt_calcul->text();
    f.corrAsd = txt_corrasd->text();
    f.corrDec = txt_corrdec->text();
    f.dec = centre->dec();
    f.ra = centre->ra();
    f.decSignOption = centre->sign()->buttonsChecked();
    f.decSignShow = centre->sign()->sign();
    f.distance = txt_distance->text();
    f.epoch = txt_epoch->text();
    f.mag = txt_mag->text();
    f.tolerance = txt_tolerance->text();
    f.url = txt_url->text();
    return f;
}

void Wizard::retranslate() {
    // The captions the language file does not hold.
    Frame1->setTitle(tr("Image and field centre"));
    Frame2->setTitle(tr("Optical configuration"));
    Frame3->setTitle(tr("Calculation"));
    back->setText(tr("Back"));
    cancel->setText(tr("Cancel"));
    txt_url->setToolTip(tr("The image file: a picture or a FITS file"));
    txt_epoch->setToolTip(tr("The equinox of the coordinates, in years (2000.0 for J2000)"));
    txt_mag->setToolTip(tr("The faintest magnitude of the catalogue stars fetched"));
    Combo->setToolTip(tr("One of the optical configurations; it fills in the two correctors"));
    txt_tolerance->setToolTip(
        tr("How far, in pixels, a distance between picked stars may differ from the catalogue's"));
    txt_distance->setToolTip(tr("The radius of the catalogue query, in arcminutes"));
    txt_calcul->setToolTip(tr("The decision threshold: how close, in pixels, a pick must lie to a "
                              "catalogue star for the automatic check"));
}

void Wizard::showPage(int page) {
    QGroupBox* const frames[3] = {Frame1, Frame2, Frame3};
    QPushButton* const next[3] = {step1, step2, step3};
    for (int i = 0; i < 3; ++i) {
        frames[i]->setVisible(i == page);
        next[i]->setDefault(i == page);
    }
    back->setEnabled(page > 0);
    m_page = page;
}

void Wizard::step1_Click() {
    showPage(1);
}

void Wizard::step2_Click() {
    showPage(2);
}

void Wizard::back_Click() {
    showPage(std::max(m_page - 1, 0));
}

void Wizard::step3_Click() {
    accept();
}

void Wizard::Combo_Click(int position) {
    if (position < 0 || position >= static_cast<int>(m_configs.size())) return;
    txt_corrasd->setText(m_configs[position].corrAsd);
    txt_corrdec->setText(m_configs[position].corrDec);
}

void Wizard::txt_dec_sign_Click(int index) {
    centre->sign()->setSign(index == 0 ? QStringLiteral("-") : QStringLiteral("+"));
}

QLineEdit* Wizard::txt_ra(int i) const {
    return centre->raBox(i);
}
QLineEdit* Wizard::txt_dec(int i) const {
    return centre->decBox(i);
}
QRadioButton* Wizard::txt_dec_sign(int i) const {
    return centre->sign()->button(i);
}
