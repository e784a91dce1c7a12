#include "platform/widgets/decsignbox.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

DecSignBox::DecSignBox(int first, int label, QWidget* parent)
    : DecSignBox(first, QStringLiteral("txt_dec_sign_show(%1)").arg(label), parent) {}

DecSignBox::DecSignBox(int first, const QString& labelName, QWidget* parent)
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
    m_label->setObjectName(labelName);
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

std::array<bool, 2> DecSignBox::buttonsChecked() const {
    return {m_buttons[0]->isChecked(), m_buttons[1]->isChecked()};
}

void DecSignBox::setButtonsChecked(const std::array<bool, 2>& checked) {
    // Exclusive buttons: unticking both needs the group off for a moment.
    QButtonGroup* group = m_buttons[0]->group();
    group->setExclusive(false);
    for (int i = 0; i < 2; ++i)
        m_buttons[i]->setChecked(checked[i]);
    group->setExclusive(true);
}
