// The program's start: splash, language file, main window, marker pools and
// the cache folder.
#pragma once

class Form1;

// Runs the start-up and returns the shown main window (owned by the caller).
Form1* StartupSequence();

// Reads lang.cfg (asking for a language first when there is none) into the
// language table. Problems with the file are returned, not fatal.
void LoadLanguageFile(Form1* form);
