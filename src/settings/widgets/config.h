// The optical configuration window: the list of config.cfg with its three
// texts per entry. Editing mode (menu "Correcteurs") adds, deletes, edits and
// saves entries; selection mode (the main window's Load button) picks one and
// hands back its two coefficients with "Utiliser", without saving the file.
#pragma once

#include "settings/configfile.h"

#include <QDialog>
#include <array>
#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class Config : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Edit, Select };

    // Reads config.cfg at once (a failure is reported in a message box and
    // leaves the list with what could be read).
    explicit Config(Mode mode, QWidget* parent = nullptr);

    // The two coefficients chosen with "Utiliser" (RA, then Dec), as the boxes
    // held them; nothing unless the window was closed by that button.
    struct Coefficients {
        QString corrAsd;
        QString corrDec;
    };
    const std::optional<Coefficients>& chosen() const { return m_chosen; }

    // The entries as currently edited (not yet saved).
    const settings::OpticalConfigurationList& configurations() const { return m_list; }

    // ---- controls --------------------------------------------------------
    QListWidget* List1 = nullptr;
    QLineEdit* txt_coor(int i) const { return m_txt_coor.at(i); }
    QLabel* lbl(int i) const { return m_lbl.at(i); }
    QLabel* Label4 = nullptr;    // Label4(0)
    QFrame* Frame1 = nullptr;    // holds cmd2, cmd4 and cmd1
    QPushButton* cmd1 = nullptr; // "Supprimer"
    QPushButton* cmd2 = nullptr; // "Nouveau"
    QPushButton* cmd3 = nullptr; // "Utiliser", selection mode only
    QPushButton* cmd4 = nullptr; // "Enregistrer"

    // ---- handlers --------------------------------------------------------
    void Form_Load();
    void List1_Click();
    void txt_coor_Change(int index);
    void cmd1_Click();
    void cmd2_Click();
    void cmd3_Click();
    void cmd4_Click();

private:
    void fillList(int select);

    Mode m_mode;
    settings::OpticalConfigurationList m_list;
    std::optional<Coefficients> m_chosen;
    bool m_filling = false; // the boxes are being filled from the list
    std::array<QLineEdit*, 3> m_txt_coor{};
    std::array<QLabel*, 3> m_lbl{};
};
