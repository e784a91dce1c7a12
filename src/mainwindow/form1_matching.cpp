#include "mainwindow/form1.h"

void Form1::startCalcul_Click() {}
void Form1::Algo() {}
