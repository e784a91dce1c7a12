// Window captions from the language table.
#pragma once

#include <QString>

class QObject;
class QWidget;

// Sets the visible text of one control: a button's or label's text, a group
// box's or menu's title, an action's text; other objects are left alone. An
// empty text or a section header of the language file (an entry the file
// did not fill) leaves the control's caption as it is.
void SetCaption(QObject* control, const QString& text);

// The main window's caption FormTexts(i) into one control.
void SetFormCaption(QObject* control, int i);

// Puts the texts of one window into `window`, whose controls are found by
// their object names:
//   "Config"   caption <- ConfigTexts(1); lbl(0..2) <- 2..4; cmd1..cmd4 <- 5..8
//   "Config2"  caption <- Config2Texts(1); lbl(0..5) <- 2..7; cmd1 <- 8
//   "Wizard"   caption <- WizardTexts(1); lbl(0..15) <- 2..17; step1, step2 <- 18; step3 <- 19
//   "mode"     lbl(0), lbl(1) <- ModeTexts(1), (2); check box Check <- 3
// A control the window does not have is skipped, and so is a text the file
// does not hold (the control keeps its design caption). Any other key does
// nothing and gives false (the main window applies its own texts).
bool ApplyLanguage(const QString& key, QWidget* window);
