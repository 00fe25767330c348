// The program's start as velppc makes it, shared with the start-up benchmark so that the
// benchmark times what a user waits for.
#pragma once

// First thing in main, before anything of Qt: sets the heap up for the start-up's allocations.
// False where that is not done (another allocator, a sanitizer's, or a heap that cannot grow).
bool PrepareHeap();

// The font configuration the font library's own start-up reads, read without the templates it
// also parses only to be able to list them. Null where that start-up should be left to do it:
// its debugging output is asked for, or the configuration cannot be read as it stands (the
// library then reads its fallback and warns).
struct _FcConfig* ReadFontConfiguration();

// Before Qt's first font: makes that configuration the library's current one. False where the
// library is left to read its own.
bool PrepareFonts();

// Once the QApplication exists: the window icon, the desktop entry and every part's hooks.
void InstallProgram();
