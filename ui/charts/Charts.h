// The five charts of the Graphics menu.
#pragma once

// Puts the chart commands into the shell's hooks.
void InstallChartHooks();
