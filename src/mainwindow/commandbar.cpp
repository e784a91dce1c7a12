#include "mainwindow/commandbar.h"

#include "text/widgets/applylanguage.h"

#include <QGridLayout>
#include <QPushButton>

namespace {
QPushButton* button(const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption));
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
} // namespace

CommandBar::CommandBar(QWidget* parent)
    : QGroupBox(QStringLiteral("Menu"), parent), m_download(button("DownloadData", "1-Download")),
      m_select(button("SelectStar", "2-Etoiles")), m_autoPicks(button("AutoPicks", "Auto")),
      m_blind(button("BlindSolve", "Blind")), m_calcul(button("startCalcul", "3-Calcul")),
      m_fullMap(button("FullMap", "4-Full map")) {
    setObjectName(QStringLiteral("frm(0)"));
    // The layout belongs to the frame.
    auto* l = new QGridLayout(this); // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks)
    // Narrow margins, so that the longer captions of other languages fit the column.
    l->setContentsMargins(4, 4, 4, 4);
    l->setSpacing(3);
    // The numbered steps in one row; under 1-Download the command that finds
    // the field centre instead, under 2-Stars the one that picks instead.
    l->addWidget(m_download, 0, 0);
    l->addWidget(m_select, 0, 1);
    l->addWidget(m_calcul, 0, 2);
    l->addWidget(m_fullMap, 0, 3);
    l->addWidget(m_blind, 1, 0);
    l->addWidget(m_autoPicks, 1, 1);
}

void CommandBar::retranslate() {
    SetFormCaption(this, 19);
    SetFormCaption(m_download, 15);
    SetFormCaption(m_select, 16);
    SetFormCaption(m_calcul, 17);
    SetFormCaption(m_fullMap, 18);
    m_autoPicks->setText(tr("Auto"));
    m_autoPicks->setToolTip(
        tr("Picks five bright, isolated, well spread stars found on the image"));
    m_blind->setText(tr("No position"));
    m_blind->setToolTip(tr("Solve without position: finds the field among the local index files "
                           "from the stars of the image alone"));
}

QString CommandBar::downloadCaption() const {
    return m_download->text();
}
