#include "mainwindow/calibrationpanel.h"

#include "mainwindow/commatopoint.h"
#include "mainwindow/panelparts.h"
#include "platform/widgets/decsignbox.h"
#include "text/widgets/applylanguage.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace panelparts;

CalibrationPanel::CalibrationPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("Etalonage"), parent), m_sign(new DecSignBox(2, 1)),
      m_next(button("BoutonEtalo", "Suivant")) {
    setObjectName(QStringLiteral("frm(4)"));
    const char* captions[4] = {
        "Veuillez selectioner une étoile puis fournir ses coordonnées ci-dessous:", "pixels",
        "RA:", "DEC:"};
    m_labels[0] = wrappedLabel(QString::fromUtf8(captions[0]));
    m_labels[0]->setObjectName(QStringLiteral("lbl(12)"));
    for (int k = 1; k < 4; ++k)
        m_labels[k] = label(12 + k, captions[k]);
    for (int i = 0; i < 8; ++i) {
        m_boxes[i] =
            lineEdit(QStringLiteral("Etalo(%1)").arg(i), QString(), i == 4 || i == 7 ? 70 : 48);
        connect(m_boxes[i], &QLineEdit::textChanged, this, [this, i] { emit boxChanged(i); });
    }
    auto* g = new QGridLayout(this);
    g->addWidget(m_labels[0], 0, 0, 1, 6);
    g->addWidget(m_boxes[0], 1, 1);
    g->addWidget(m_boxes[1], 1, 2);
    g->addWidget(m_labels[1], 1, 3);
    g->addWidget(m_labels[2], 2, 0);
    for (int i = 2; i < 5; ++i)
        g->addWidget(m_boxes[i], 2, i - 1);
    g->addWidget(m_labels[3], 3, 0);
    g->addWidget(m_sign, 3, 1);
    connect(m_sign, &DecSignBox::clicked, this, &CalibrationPanel::signClicked);
    for (int i = 5; i < 8; ++i)
        g->addWidget(m_boxes[i], 3, i - 3);
    g->addWidget(m_next, 4, 4, 1, 2);
    g->setRowStretch(5, 1);
}

void CalibrationPanel::retranslate() {
    SetFormCaption(this, 23);
    for (int k = 0; k < 4; ++k)
        retranslateLabel(m_labels[k], 12 + k);
    SetFormCaption(m_next, 48);
}

std::array<QString, 8> CalibrationPanel::boxes() const {
    std::array<QString, 8> texts;
    for (int k = 0; k < 8; ++k)
        texts[k] = m_boxes[k]->text();
    return texts;
}

void CalibrationPanel::setBoxes(const std::array<QString, 8>& texts) {
    for (int k = 0; k < 8; ++k)
        m_boxes[k]->setText(texts[k]);
}

void CalibrationPanel::clearBoxes() {
    for (QLineEdit* box : m_boxes)
        box->clear();
}

void CalibrationPanel::setPixel(int x, int y) {
    m_boxes[0]->setText(QString::number(x));
    m_boxes[1]->setText(QString::number(y));
}

void CalibrationPanel::hopAndRepair(int index) {
    if (index < 0 || index > 7) return;
    if (m_boxes[index]->text().size() == 2 && index != 4 && index != 7)
        m_boxes[index + 1]->setFocus();
    CommaToPoint(m_boxes[index]);
}

void CalibrationPanel::setButtonCaption(const QString& text) {
    m_next->setText(text);
}

QString CalibrationPanel::decSign() const {
    return m_sign->sign();
}

void CalibrationPanel::setDecSign(const QString& sign) {
    m_sign->setSign(sign);
}

void CalibrationPanel::syncSignButtons() {
    m_sign->syncButtons();
}
