// The tooltips of the main window's controls, in the user's language: what
// each box, button and option does, for a user who rests the mouse on it.
#pragma once

class QWidget;

// Gives every control of `window` named in the tooltip table its tooltip,
// translated into the current language; controls not in the table keep theirs.
void ApplyToolTips(QWidget* window);
