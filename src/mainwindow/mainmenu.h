// The menus of the main window: File (mnu_fichier), Options (mnu_option) and
// "?" (mnu_help with the help submenu mnu_Aide). Each command is an action
// named after its handler (mnu_open for mnu_open_Click).
#pragma once

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

class MainMenu : public QObject {
    Q_OBJECT
public:
    explicit MainMenu(QMenuBar* bar);
    // The command of that object name; nullptr when there is none.
    QAction* command(const QString& name) const;
    void retranslate();

private:
    QMenuBar* m_bar;
};
