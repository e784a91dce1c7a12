#include "catalogues/widgets/frminternet.h"

#include "catalogues/localstars.h"
#include "catalogues/sites.h"
#include "catalogues/webswitches.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmInternet::frmInternet(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmInternet"));
    setWindowTitle(QStringLiteral("Internet bugs"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    label = new QLabel(QStringLiteral("Vous pouvez bloquer l'acces à ces sites web, afin que le "
                                      "programme puise continuer à marcher en cas de probléme de "
                                      "connexion."));
    label->setObjectName(QStringLiteral("label"));
    label->setWordWrap(true);
    layout->addWidget(label);
    for (int i = 0; i < 3; ++i) {
        m_Chk[i] = new QCheckBox;
        m_Chk[i]->setObjectName(QStringLiteral("Chk(%1)").arg(i));
        layout->addWidget(m_Chk[i]);
    }
    ChkLocalStars = new QCheckBox;
    ChkLocalStars->setObjectName(QStringLiteral("ChkLocalStars"));
    layout->addWidget(ChkLocalStars);
    ChkLocalMinorPlanets = new QCheckBox;
    ChkLocalMinorPlanets->setObjectName(QStringLiteral("ChkLocalMinorPlanets"));
    layout->addWidget(ChkLocalMinorPlanets);
    cmdOK = new QPushButton(QStringLiteral("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    layout->addWidget(cmdOK, 0, Qt::AlignRight);
    setMinimumWidth(420);
    connect(cmdOK, &QPushButton::clicked, this, &frmInternet::cmdOK_Click);
    Form_Load();
}

void frmInternet::Form_Load() {
    const SiteHosts& hosts = Sites();
    m_Chk[0]->setText(QStringLiteral("Vérification des mises à jour: ") + hosts.makerSite);
    m_Chk[1]->setText(QStringLiteral("Téléchargement des étoiles: ") + hosts.starServer);
    m_Chk[2]->setText(QStringLiteral("Astéroïdes - Minor Object Center: ") +
                      hosts.minorPlanetService);
    const WebSwitches& web = Web();
    m_Chk[0]->setChecked(web.UpdateCheckEnabled);
    m_Chk[1]->setChecked(web.StarSiteEnabled);
    m_Chk[2]->setChecked(web.MinorPlanetSiteEnabled);
    ChkLocalStars->setText(
        tr("Stars from the local catalogue files (no web): %1").arg(StarSource().indexFolder));
    ChkLocalStars->setToolTip(tr("The star query is answered from the astrometry.net index files "
                                 "of this folder instead of the star server."));
    ChkLocalStars->setChecked(StarSource().local);
    ChkLocalMinorPlanets->setText(
        tr("Minor planets computed on this machine (no web): %1").arg(hosts.minorPlanetElements));
    ChkLocalMinorPlanets->setToolTip(
        tr("The minor-planet query is answered from this orbital-elements file of the program "
           "folder instead of the minor-planet service."));
    ChkLocalMinorPlanets->setChecked(hosts.localMinorPlanets());
}

void frmInternet::cmdOK_Click() {
    WebSwitches& web = Web();
    web.UpdateCheckEnabled = false;
    web.StarSiteEnabled = false;
    web.MinorPlanetSiteEnabled = false;
    if (m_Chk[0]->checkState() == Qt::Checked) web.UpdateCheckEnabled = true;
    if (m_Chk[1]->checkState() == Qt::Checked) web.StarSiteEnabled = true;
    if (m_Chk[2]->checkState() == Qt::Checked) web.MinorPlanetSiteEnabled = true;
    StarSource().local = ChkLocalStars->checkState() == Qt::Checked;
    Sites().minorPlanetSource = ChkLocalMinorPlanets->checkState() == Qt::Checked
                                    ? QStringLiteral("local")
                                    : QStringLiteral("service");
    accept();
}
