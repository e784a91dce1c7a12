#include "mainwindow/hintpanel.h"

#include "text/language.h"
#include "text/widgets/applylanguage.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QScrollArea>
#include <QTimer>

using namespace text;

HintPanel::HintPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("Sugestion"), parent), m_icon(new QLabel), m_text(new QLabel),
      m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("frm(5)"));
    m_icon->setObjectName(QStringLiteral("Picture2(0)"));
    m_icon->setPixmap(QIcon(QStringLiteral(":/icons/hint.svg")).pixmap(24, 24));
    m_icon->setFixedSize(26, 26);
    m_text->setObjectName(QStringLiteral("sugestion"));
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Three lines in view; a longer hint scrolls here instead of pushing the
    // controls below it away.
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("sugestionScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setWidget(m_text);
    scroll->setFixedHeight(3 * m_text->fontMetrics().lineSpacing() + 6);
    auto* l = new QHBoxLayout(this);
    l->addWidget(m_icon, 0, Qt::AlignTop);
    l->addWidget(scroll, 1);
    m_timer->setObjectName(QStringLiteral("Timer2"));
    m_timer->setInterval(500);
    connect(m_timer, &QTimer::timeout, this, &HintPanel::blinkTimer);
}

void HintPanel::retranslate() {
    SetFormCaption(this, 24);
    SetCaption(m_text, Lang().SuggestionTexts[0]);
    if (m_shown && m_shown->make)
        m_text->setText(m_shown->make());
    else if (m_shown)
        m_text->setText(SuggestionCaption(m_text->text(), m_shown->key, m_shown->step,
                                          m_shown->value1, m_shown->value2));
}

void HintPanel::showMade(std::function<QString()> make) {
    m_text->setText(make());
    m_shown = Shown{{}, 0, {}, {}, std::move(make)};
    m_timer->start();
}

bool HintPanel::showing(const QString& key, int step) const {
    return m_shown && !m_shown->make && m_shown->key == key && m_shown->step == step;
}

void HintPanel::showHint(const QString& key, int step, const QString& value1,
                         const QString& value2) {
    const QString text = SuggestionCaption(m_text->text(), key, step, value1, value2);
    if (text != m_text->text()) m_shown = Shown{key, step, value1, value2, {}};
    m_text->setText(text);
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
