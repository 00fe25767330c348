#include "ui/colours/PrefColours.h"

void InstallColourHooks() {}
