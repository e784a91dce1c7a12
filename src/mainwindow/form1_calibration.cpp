#include "mainwindow/form1.h"

bool Form1::CentreJ2000() { return false; }
void Form1::CalculAngle() {}
void Form1::mnu_etalonage_Click() {}
void Form1::mnu_superetalonage_Click() {}
void Form1::mnu_etalonage2_Click() {}
void Form1::LoadCorr_Click() {}
void Form1::BoutonEtalo_Click() {}
void Form1::Etalo_Change(int) {}
void Form1::PlaceCentre() {}
