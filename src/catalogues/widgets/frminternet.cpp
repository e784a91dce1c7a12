#include "catalogues/widgets/frminternet.h"

#include "catalogues/localstars.h"
#include "catalogues/sites.h"
#include "catalogues/webswitches.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace reduction;
using namespace field;
using namespace catalogues;

frmInternet::frmInternet(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmInternet"));
    setWindowTitle(tr("Internet problems"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    label = new QLabel(tr("You can block access to these web sites, so that the program keeps "
                          "working when there is a connection problem."));
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
    cmdOK = new QPushButton(tr("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    layout->addWidget(cmdOK, 0, Qt::AlignRight);
    setMinimumWidth(420);
    connect(cmdOK, &QPushButton::clicked, this, &frmInternet::cmdOK_Click);
    Form_Load();
}

void frmInternet::Form_Load() {
    const SiteHosts& hosts = Sites();
    m_Chk[0]->setText(tr("Update check: %1").arg(hosts.makerSite));
    m_Chk[1]->setText(tr("Star download: %1").arg(hosts.starServer));
    m_Chk[2]->setText(tr("Minor planets (Minor Planet Center): %1").arg(hosts.minorPlanetService));
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
