#include "mainwindow/form1.h"

void Form1::DownloadData_Click() {}
void Form1::READFILE() {}
void Form1::READFILE_ASTER() {}
void Form1::READFILE_NGCIC() {}
void Form1::mnu_modeauto_Click() {}
void Form1::mnu_webbugs_Click() {}
void Form1::mnu_database_Click() {}
