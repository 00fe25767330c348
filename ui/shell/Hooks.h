// What the shell asks of the editors, the charts and the colour preferences. Each of those
// libraries installs its part at start-up, so that the shell depends on none of them.
#pragma once

#include <functional>

#include "ui/shell/Surface.h"

class QWidget;
class CVELPPCDoc;
class SettingsStore;

struct ShellHooks {
    // Opens the editor of an item type on the record and applies it on OK.
    std::function<void(CVELPPCDoc& doc, SettingsStore& store, unsigned itemType, QWidget* parent)>
        editItem;
    // Settings menu commands that the record serves.
    std::function<void(CVELPPCDoc& doc, SettingsStore& store, QWidget* parent)> linkedVariables;
    std::function<void(CVELPPCDoc& doc, SettingsStore& store, QWidget* parent)> stampDuty;
    std::function<void(CVELPPCDoc& doc, SettingsStore& store, QWidget* parent)> taxScales;
    // Graphics menu: `command` is one of the chart commands; `fonts` are the summary view's
    // normal and bold fonts.
    std::function<void(const CVELPPCDoc& doc, int command, const FontSpec fonts[2],
                       QWidget* parent)>
        openChart;
    // "Preferences": true when the user accepted (the summary then lays itself out again).
    std::function<bool(SettingsStore& store, QWidget* parent)> preferences;
};

ShellHooks& Hooks();
