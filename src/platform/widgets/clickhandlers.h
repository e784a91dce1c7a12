// Handlers found by name: a push button or menu command whose object name is
// N is connected to the slot N_Click() of a window (DownloadData to
// DownloadData_Click(), mnu_open to mnu_open_Click()), the way the window's
// handlers are named after their control and event.
#pragma once

class QObject;

// Connects every push button (clicked) and action (triggered) inside `root`
// to the slot of `receiver` named after it, when there is one. Returns how
// many were connected.
int ConnectClickHandlers(const QObject* root, const QObject* receiver);
