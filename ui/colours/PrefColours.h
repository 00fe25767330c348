// "Preferences - Colours": the five colours of the summary and the charts.
#pragma once

// Puts the "Preferences" command into the shell's hooks.
void InstallColourHooks();
