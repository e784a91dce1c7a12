#include "catalogues/widgets/frmmode.h"

#include "catalogues/webswitches.h"
#include "text/language.h"
#include "text/widgets/applylanguage.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace catalogues;
using namespace text;

FrmMode::FrmMode(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmMode"));
    setWindowTitle(tr("Autonomous mode"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    Check = new QCheckBox(QStringLiteral("Mode autonome."));
    Check->setObjectName(QStringLiteral("Check"));
    m_lbl[0] = new QLabel(
        QStringLiteral("Les coordonnées, la date, et la magneture doivent  etre identique."));
    m_lbl[1] = new QLabel(QStringLiteral(
        "Activez le mode autonome si vous voulez que les bases de données soit téléchargé une "
        "seulle fois. Elles seront sauvegardé dans le repertoire du programme et réutilisez si la "
        "meme zone du ciel est demander à télécharger."));
    for (int i = 0; i < 2; ++i) {
        m_lbl[i]->setObjectName(QStringLiteral("lbl(%1)").arg(i));
        m_lbl[i]->setWordWrap(true);
    }
    cmdOK = new QPushButton(tr("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    layout->addWidget(m_lbl[1]);
    layout->addWidget(m_lbl[0]);
    layout->addWidget(Check);
    layout->addWidget(cmdOK, 0, Qt::AlignRight);
    setMinimumWidth(380);
    connect(cmdOK, &QPushButton::clicked, this, &FrmMode::cmdOK_Click);
    Form_Load();
}

void FrmMode::Form_Load() {
    // Without a language file the design texts stay.
    const auto& texts = Lang().ModeTexts;
    if (!texts[1].isEmpty() || !texts[2].isEmpty() || !texts[3].isEmpty())
        ApplyLanguage(QStringLiteral("mode"), this);
    Check->setChecked(Web().AutonomousMode);
}

void FrmMode::cmdOK_Click() {
    Web().AutonomousMode = Check->checkState() == Qt::Checked;
    accept();
}
