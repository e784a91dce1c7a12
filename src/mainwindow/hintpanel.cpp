#include "mainwindow/hintpanel.h"

#include "text/language.h"
#include "text/widgets/applylanguage.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QTimer>

HintPanel::HintPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("Sugestion"), parent), m_icon(new QLabel), m_text(new QLabel),
      m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("frm(5)"));
    m_icon->setObjectName(QStringLiteral("Picture2(0)"));
    m_icon->setPixmap(QIcon(QStringLiteral(":/icons/hint.svg")).pixmap(24, 24));
    m_icon->setFixedSize(26, 26);
    m_text->setObjectName(QStringLiteral("sugestion"));
    m_text->setWordWrap(true);
    m_text->setMinimumHeight(48);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* l = new QHBoxLayout(this);
    l->addWidget(m_icon, 0, Qt::AlignTop);
    l->addWidget(m_text, 1);
    m_timer->setObjectName(QStringLiteral("Timer2"));
    m_timer->setInterval(500);
    connect(m_timer, &QTimer::timeout, this, &HintPanel::blinkTimer);
}

void HintPanel::retranslate() {
    SetFormCaption(this, 24);
    SetCaption(m_text, Lang().SuggestionTexts[0]);
}

void HintPanel::showHint(const QString& key, int step, const QString& value1,
                         const QString& value2) {
    m_text->setText(SuggestionCaption(m_text->text(), key, step, value1, value2));
    m_timer->start();
}

void HintPanel::blink(int16_t& count) {
    count = static_cast<int16_t>(count + 1);
    if (count >= 11) {
        count = 0;
        m_timer->stop();
        return;
    }
    m_icon->setHidden(!m_icon->isHidden());
}
