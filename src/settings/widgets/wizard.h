// The astrometry wizard: three pages that lead a new user through the inputs
// of a reduction (image and field centre, optical configuration, calculation
// parameters). It edits a copy of the main window's fields; "Terminer" closes
// it accepted with the edited copy; "Cancel", Escape or the frame's close
// button change nothing. "Back" returns to the previous page, its fields kept.
#pragma once

#include "settings/configfile.h"

#include <QDialog>
#include <array>

class CentreEntry;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The main window's fields the wizard edits, in the order they are exchanged.
struct WizardFields {
    QString calcul;
    QString corrAsd;
    QString corrDec;
    std::array<QString, 3> dec;
    std::array<bool, 2> decSignOption{false, true}; // txt_dec_sign(0) minus, (1) plus
    QString decSignShow = QStringLiteral("+");      // the sign label, "+" or "-"
    QString distance;
    QString epoch;
    QString mag;
    std::array<QString, 3> ra;
    QString tolerance;
    QString url;
    bool operator==(const WizardFields&) const = default;
};

class Wizard : public QDialog {
    Q_OBJECT
public:
    // Copies `fields` into the pages and reads config.cfg for the list of
    // configurations (a failure is reported in a message box; the list then
    // holds what could be read).
    explicit Wizard(const WizardFields& fields, QWidget* parent = nullptr);

    // The fields as the pages hold them now.
    WizardFields fields() const;
    // The configurations offered in Combo.
    const std::vector<settings::OpticalConfiguration>& configurations() const { return m_configs; }

    // ---- controls --------------------------------------------------------
    QGroupBox* Frame1 = nullptr; // image and field centre
    QGroupBox* Frame2 = nullptr; // optical configuration
    QGroupBox* Frame3 = nullptr; // calculation parameters
    QLineEdit* txt_url = nullptr;
    CentreEntry* centre = nullptr; // txt_ra, the sign, txt_dec
    QLineEdit* txt_ra(int i) const;
    QLineEdit* txt_dec(int i) const;
    QRadioButton* txt_dec_sign(int i) const;
    QLineEdit* txt_epoch = nullptr;
    QLineEdit* txt_mag = nullptr;
    QComboBox* Combo = nullptr;
    QLineEdit* txt_corrasd = nullptr;
    QLineEdit* txt_corrdec = nullptr;
    QLineEdit* txt_tolerance = nullptr;
    QLineEdit* txt_distance = nullptr;
    QLineEdit* txt_calcul = nullptr;
    QLabel* lbl(int i) const { return m_lbl.at(i); }
    QPushButton* step1 = nullptr;  // "Suivant"
    QPushButton* step2 = nullptr;  // "Suivant"
    QPushButton* step3 = nullptr;  // "Terminer"
    QPushButton* back = nullptr;   // to the previous page
    QPushButton* cancel = nullptr; // closes the wizard, nothing changed

    // ---- handlers --------------------------------------------------------
    void Form_Load(const WizardFields& fields);
    void step1_Click();
    void step2_Click();
    void step3_Click();
    void back_Click();
    void Combo_Click(int position);
    void txt_dec_sign_Click(int index);

private:
    void setFields(const WizardFields& f);
    void showPage(int page); // 0, 1 or 2
    void retranslate();

    std::vector<settings::OpticalConfiguration> m_configs;
    std::array<QLabel*, 16> m_lbl{};
    int m_page = 0; // the page shown, 0..2
};
