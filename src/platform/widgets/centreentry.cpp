#include "platform/widgets/centreentry.h"

#include "platform/widgets/decsignbox.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CentreEntry::CentreEntry(const QString& signLabel, int width, int secondsWidth, QWidget* parent)
    : QWidget(parent), m_sign(new DecSignBox(0, signLabel)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* raRow = new QHBoxLayout;
    auto* decRow = new QHBoxLayout;
    column->addLayout(raRow);
    column->addLayout(decRow);
    decRow->addWidget(m_sign);
    connect(m_sign, &DecSignBox::clicked, this, &CentreEntry::signClicked);
    for (int i = 0; i < 3; ++i) {
        m_ra[i] = new QLineEdit;
        m_dec[i] = new QLineEdit;
        m_ra[i]->setObjectName(QStringLiteral("txt_ra(%1)").arg(i));
        m_dec[i]->setObjectName(QStringLiteral("txt_dec(%1)").arg(i));
        const int w = i == 2 ? secondsWidth : width;
        if (w > 0) {
            m_ra[i]->setFixedWidth(w);
            m_dec[i]->setFixedWidth(w);
        }
        raRow->addWidget(m_ra[i]);
        decRow->addWidget(m_dec[i]);
    }
    raRow->addStretch();
    decRow->addStretch();
}

std::array<QString, 3> CentreEntry::ra() const {
    return {m_ra[0]->text(), m_ra[1]->text(), m_ra[2]->text()};
}

std::array<QString, 3> CentreEntry::dec() const {
    return {m_dec[0]->text(), m_dec[1]->text(), m_dec[2]->text()};
}

void CentreEntry::setRa(const std::array<QString, 3>& texts) {
    for (int i = 0; i < 3; ++i)
        m_ra[i]->setText(texts[i]);
}

void CentreEntry::setDec(const std::array<QString, 3>& texts) {
    for (int i = 0; i < 3; ++i)
        m_dec[i]->setText(texts[i]);
}
