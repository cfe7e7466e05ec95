// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Zendra: small dense-matrix work for teaching. The program takes no
// arguments and keeps no settings; files are its only lasting state.
#include "Application.h"
#include "HelpSystem.h"
#include "MDIFrame.h"

int main(int argc, char** argv) {
    Application application(argc, argv);
    HelpSystem::Install(application);

    // The main window comes first: its start-up shows the splash, and
    // closing it ends the program.
    TFrameForm frame;
    frame.show();
    return Application::exec();
}
