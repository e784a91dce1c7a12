// TabStrip1 and the pages it switches: tab 1 the field panel, tab 2 the
// decider, tab 3 minor planets, tab 4 deep-sky objects. A page added later
// gets the next tab.
#pragma once

#include <QWidget>
#include <vector>

class QTabBar;
class QVBoxLayout;

class OptionTabs : public QWidget {
    Q_OBJECT
public:
    explicit OptionTabs(QWidget* parent = nullptr);
    // Adds a page under its tab (design caption `caption`), hidden unless it is the first.
    void addPage(QWidget* page, const QString& caption);
    // Shows the page of tab 1..n and hides the others; another number hides all.
    void showPage(int tab);
    void retranslate();

signals:
    void tabClicked(int tab); // 1..n, whenever the current tab changes

private:
    QTabBar* m_bar;
    QVBoxLayout* m_pages;
    std::vector<QWidget*> m_pageList;
};
