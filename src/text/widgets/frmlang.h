// The language choice: copies the French or English language file over the
// program folder's lang.cfg and lets the caller read and apply it.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

// Replaces lang.cfg of the program folder by a copy of the shipped file
// `source` ("lang-fr.cfg" or "lang-en.cfg"). A missing or unreadable source
// leaves lang.cfg as it was. False, with the system's description of the
// failure in `error`, when the copy could not be made.
bool ChooseLanguageFile(const QString& source, QString* error);

class FrmLang : public QDialog {
    Q_OBJECT
public:
    // `chosen` runs after a successful choice, before the window closes (it
    // reads the new lang.cfg and applies the main window's texts).
    explicit FrmLang(std::function<void()> chosen, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr; // "Français"
    QPushButton* OKButton = nullptr; // "English"

    void Command1_Click();
    void OKButton_Click();

    // True once a language file has been copied.
    bool languageChosen() const { return m_chosen; }

    // Shows the window modally and returns whether a language was chosen.
    bool showModal();

    // Tests: showModal hands the window to `driver` (which may click a
    // button, or do nothing as a user closing the window would) instead of
    // running it; an empty function restores the real window.
    using Driver = std::function<void(FrmLang&)>;
    static void setDriver(Driver driver);

private:
    void choose(const QString& source);

    std::function<void()> m_onChosen;
    bool m_chosen = false;
};
