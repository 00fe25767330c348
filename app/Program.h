// The program's start as velppc makes it, shared with the start-up benchmark so that the
// benchmark times what a user waits for.
#pragma once

// First thing in main, before anything of Qt: sets the heap up for the start-up's allocations.
// False where that is not done (another allocator, a sanitizer's, or a heap that cannot grow).
bool PrepareHeap();

// Once the QApplication exists: the window icon, the desktop entry and every part's hooks.
void InstallProgram();
