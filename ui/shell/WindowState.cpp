#include "ui/shell/WindowState.h"

#include <algorithm>
#include <array>

#include "persist/SettingsStore.h"

namespace {

constexpr std::string_view kSectionWindow = "Window";
// A window smaller than this, or with a corner this far out, was not left so by the user.
constexpr int kMinSide = 200;
constexpr int kMaxSide = 20000;
constexpr int kMaxCoordinate = 100000;
// How much of the window's top must show for the user to grab it.
constexpr int kGrabWidth = 100;
constexpr int kGrabHeight = 30;

constexpr std::array<int, 12> kZoomSteps = {50, 67, 75, 90, 100, 110, 125, 150, 175, 200, 250, 300};

int Read(const SettingsStore& store, std::string_view name, int fallback, int low, int high) {
    const auto value = store.ReadInt(kSectionWindow, name);
    return value ? std::clamp<int>(*value, low, high) : fallback;
}

} // namespace

WindowState ReadWindowState(const SettingsStore& store) {
    WindowState s;
    const auto w = store.ReadInt(kSectionWindow, "Width");
    const auto h = store.ReadInt(kSectionWindow, "Height");
    if (w && h) {
        const int x = Read(store, "X", 0, -kMaxCoordinate, kMaxCoordinate);
        const int y = Read(store, "Y", 0, -kMaxCoordinate, kMaxCoordinate);
        const int width = std::clamp<int>(*w, kMinSide, kMaxSide);
        const int height = std::clamp<int>(*h, kMinSide, kMaxSide);
        s.hasGeometry = true;
        s.geometry = {x, y, x + width, y + height};
    }
    s.maximized = Read(store, "Maximized", 0, 0, 1) == 1;
    s.divider = Read(store, "Divider", 0, 0, kMaxSide);
    s.tab = Read(store, "Tab", 0, 0, 99);
    s.zoom = Read(store, "Zoom", 100, kMinZoom, kMaxZoom);
    s.paneShown = Read(store, "Pane", 1, 0, 1) == 1;
    return s;
}

void WriteWindowState(SettingsStore& store, const WindowState& s) {
    if (s.hasGeometry) {
        store.WriteInt(kSectionWindow, "X", s.geometry.left);
        store.WriteInt(kSectionWindow, "Y", s.geometry.top);
        store.WriteInt(kSectionWindow, "Width", s.geometry.width());
        store.WriteInt(kSectionWindow, "Height", s.geometry.height());
    }
    store.WriteInt(kSectionWindow, "Maximized", s.maximized ? 1 : 0);
    store.WriteInt(kSectionWindow, "Divider", s.divider);
    store.WriteInt(kSectionWindow, "Tab", s.tab);
    store.WriteInt(kSectionWindow, "Zoom", s.zoom);
    store.WriteInt(kSectionWindow, "Pane", s.paneShown ? 1 : 0);
}

Rect FirstWindowPlace(const Rect& screen, int wantedWidth, int wantedHeight) {
    const int w = std::max(std::min(wantedWidth, screen.width()), 1);
    const int h = std::max(std::min(wantedHeight, screen.height()), 1);
    const int x = screen.left + (screen.width() - w) / 2;
    const int y = screen.top + (screen.height() - h) / 2;
    return {x, y, x + w, y + h};
}

Rect PlaceOnScreens(const Rect& window, const std::vector<Rect>& screens) {
    if (screens.empty()) return window;
    for (const Rect& s : screens) {
        const int left = std::max(window.left, s.left), right = std::min(window.right, s.right);
        const int top = std::max(window.top, s.top);
        const int bottom = std::min(window.top + kGrabHeight, s.bottom);
        if (right - left >= std::min(kGrabWidth, window.width()) && bottom - top >= kGrabHeight &&
            window.top >= s.top)
            return window;
    }
    const Rect& s = screens.front();
    const int w = std::min(window.width(), s.width());
    const int h = std::min(window.height(), s.height());
    const int x = std::clamp(window.left, s.left, s.right - w);
    const int y = std::clamp(window.top, s.top, s.bottom - h);
    return {x, y, x + w, y + h};
}

int NextZoom(int percent, int direction) {
    if (direction > 0) {
        for (int step : kZoomSteps)
            if (step > percent) return step;
        return kMaxZoom;
    }
    for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it)
        if (*it < percent) return *it;
    return kMinZoom;
}
