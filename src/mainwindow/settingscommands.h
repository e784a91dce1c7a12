// The work behind the main window's settings commands: the default settings
// file, the optical configuration and calculator windows, and the wizard.
// The main window's controls are reached by their object names, the way the
// stored files know them.
#pragma once

#include "settings/widgets/config.h"
#include "settings/widgets/wizard.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

// Reads the program folder's defaut.cfg into the controls of `window` and
// the web switches. What cannot be read keeps its design value; the first
// problem met is returned ("" when the file was read whole).
QString ApplyDefaultsFile(QWidget* window);

// Writes defaut.cfg from the controls of `window` and the web switches,
// replacing the old file only when the new one is complete. False after a
// message box that says why.
bool SaveDefaultsFile(QWidget* window);

// The fields of the main window `window` that the wizard edits.
WizardFields MainWindowWizardFields(const QWidget* window);
// Puts `fields` back into the main window, in the order the wizard
// exchanges them, so each box's own change handling runs.
void SetMainWindowWizardFields(QWidget* window, const WizardFields& fields);

// Shows the wizard on a copy of the main window's fields; after "Terminer"
// writes them back and returns true. Closed any other way: false, nothing changed.
bool RunWizard(QWidget* window);

// Shows the configuration window in editing mode.
void RunConfigurationEditor(QWidget* parent);

// Shows the configuration window in selection mode; the two coefficients
// chosen with "Utiliser", nothing when it was closed otherwise.
std::optional<Config::Coefficients> ChooseConfiguration(QWidget* parent);

// Shows the CCD calculator; each calculation hands CX and CY to `apply`.
void RunCcdCalculator(QWidget* parent,
                      const std::function<void(const QString& cx, const QString& cy)>& apply);
