#include "mainwindow/form1.h"

void Form1::ApplyLanguageToForm() {}
void Form1::ShowSuggestion(const QString&, int, const QString&, const QString&) {}
void Form1::mnu_lang_Click() {}
void Form1::mnu_about_Click() {}
void Form1::mnu_AideFR_Click() {}
void Form1::mnu_AideEn_Click() {}

#include "mainwindow/startup.h"
#include "platform/programfolder.h"
#include "text/language.h"

void LoadLanguageFile(Form1*) {
    ReadLanguageFile(programfolder::file(QStringLiteral("lang.cfg")), Lang());
}
