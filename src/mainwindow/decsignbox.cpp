#include "mainwindow/decsignbox.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

DecSignBox::DecSignBox(int first, int label, QWidget* parent)
    : QWidget(parent), m_label(new QLabel(QStringLiteral("+"))) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        const int index = first + i;
        m_buttons[i] = new QRadioButton(i == 0 ? QStringLiteral("-") : QStringLiteral("+"));
        m_buttons[i]->setObjectName(QStringLiteral("txt_dec_sign(%1)").arg(index));
        group->addButton(m_buttons[i]);
        row->addWidget(m_buttons[i]);
        connect(m_buttons[i], &QRadioButton::clicked, this, [this, index] { emit clicked(index); });
    }
    m_label->setObjectName(QStringLiteral("txt_dec_sign_show(%1)").arg(label));
    m_label->setFixedWidth(12);
    row->addWidget(m_label);
}

QString DecSignBox::sign() const {
    return m_label->text();
}

void DecSignBox::setSign(const QString& sign) {
    m_label->setText(sign);
}

void DecSignBox::syncButtons() {
    m_buttons[m_label->text() == QLatin1String("-") ? 0 : 1]->setChecked(true);
}
