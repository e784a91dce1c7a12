#include "mainwindow/optiontabs.h"

#include "text/language.h"

#include <QTabBar>
#include <QVBoxLayout>

using namespace text;

OptionTabs::OptionTabs(QWidget* parent) : QWidget(parent), m_bar(new QTabBar) {
    m_bar->setObjectName(QStringLiteral("TabStrip1"));
    m_bar->setExpanding(false);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(m_bar);
    m_pages = new QVBoxLayout;
    l->addLayout(m_pages);
    // Every way of changing the tab (mouse, arrow keys, wheel) shows its page.
    connect(m_bar, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0) emit tabClicked(index + 1);
    });
}

void OptionTabs::addPage(QWidget* page, const QString& caption) {
    m_bar->addTab(caption);
    m_pages->addWidget(page);
    page->setHidden(!m_pageList.empty());
    m_pageList.push_back(page);
}

void OptionTabs::showPage(int tab) {
    for (QWidget* page : m_pageList)
        page->hide();
    if (tab < 1 || tab > static_cast<int>(m_pageList.size())) return;
    m_pageList[tab - 1]->show();
    m_bar->setCurrentIndex(tab - 1); // the strip follows (no signal when it already shows it)
}

void OptionTabs::retranslate() {
    for (int tab = 1; tab <= 4 && tab <= m_bar->count(); ++tab)
        if (!FormText(tab + 73).isEmpty()) m_bar->setTabText(tab - 1, FormText(tab + 73));
}
