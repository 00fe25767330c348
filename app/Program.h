// The program's start as velppc makes it, shared with the start-up benchmark so that the
// benchmark times what a user waits for.
#pragma once

// Once the QApplication exists: the window icon and the desktop entry.
void InstallProgram();
