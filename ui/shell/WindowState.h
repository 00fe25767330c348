// What the main window remembers of itself between runs, in a section of its own ("Window")
// that "Delete settings" leaves alone: size and place, the divider, the tab shown, the zoom
// and whether the pane shows.
#pragma once

#include <vector>

#include "ui/shell/Surface.h"

class SettingsStore;

inline constexpr int kMinZoom = 50;
inline constexpr int kMaxZoom = 300;

struct WindowState {
    bool hasGeometry = false; // false on a first start
    Rect geometry;            // the normal (not maximised) frame, in screen coordinates
    bool maximized = false;
    int divider = 0;          // width of the summary beside the pane; 0 for the default
    int tab = 0;
    int zoom = 100;
    bool paneShown = true;
};

// Values read from the store are limited to what the window can use.
WindowState ReadWindowState(const SettingsStore& store);
void WriteWindowState(SettingsStore& store, const WindowState& state);

// The size and place a first start opens with: `wanted` or less, centred on `screen`.
Rect FirstWindowPlace(const Rect& screen, int wantedWidth, int wantedHeight);
// `window` as it is when enough of its top (where it is grabbed) shows on one of `screens`;
// otherwise moved onto the first screen, and made smaller where it does not fit.
Rect PlaceOnScreens(const Rect& window, const std::vector<Rect>& screens);
// The next zoom step up (+1) or down (-1) from `percent`, within 50 % and 300 %.
int NextZoom(int percent, int direction);
