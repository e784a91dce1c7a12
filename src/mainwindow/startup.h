// The program's start: splash, language file, main window, marker pools and
// the cache folder.
#pragma once

class Form1;
class QWidget;

// Runs the start-up and returns the shown main window (owned by the caller).
Form1* StartupSequence();

// Reads lang.cfg (asking for a language first when there is none) into the
// language table. Problems with the file are told in one message box.
void LoadLanguageFile(Form1* form);

// Reads lang.cfg into the language table and switches Qt's translations to
// its language; problems are told once, in one box.
void ReadLanguage(QWidget* parent);

// The same, then the captions of `form` (when there is one) from the new table.
void ReadLanguageAndApply(Form1* form);
