#include "mainwindow/form1.h"

void Form1::Loadimg_Click() {}
void Form1::CheckAutoload_Click() {}
void Form1::Timer3_Timer() {}
void Form1::dozoom() {}
void Form1::zoom_MouseMove(float, float) {}
void Form1::zoom_Click() {}
void Form1::PicMove_MouseDown(int) {}
void Form1::PicMove_MouseUp(int) {}
void Form1::Frm6close_Click() {}
void Form1::SelectStar_Click() {}
void Form1::Picture1_Click() {}
void Form1::Picture1_DblClick() {}
void Form1::Picture1_MouseMove(float, float) {}
void Form1::doselect() {}
void Form1::map() {}
void Form1::mapcroix(int, int, int, int, int) {}
void Form1::FullMap_Click() {}
void Form1::aster_lbl_Click(int) {}
void Form1::deepobj_lbl_Click(int) {}
