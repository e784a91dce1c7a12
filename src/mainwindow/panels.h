// The panels the main window is made of, for the window's own files.
#pragma once

#include "mainwindow/calibrationpanel.h"
#include "mainwindow/commandbar.h"
#include "mainwindow/fieldpanel.h"
#include "mainwindow/hintpanel.h"
#include "mainwindow/imagecanvas.h"
#include "mainwindow/imageview.h"
#include "mainwindow/magnifier.h"
#include "mainwindow/mainmenu.h"
#include "mainwindow/messagepanel.h"
#include "mainwindow/optionpages.h"
#include "mainwindow/optiontabs.h"
#include "mainwindow/solvepanel.h"
