// The colour popup and the picker button, drawn onto a Surface.
#pragma once

#include <string>

#include "ui/colours/ColourPopupLogic.h"
#include "ui/shell/Surface.h"

void DrawColourPopup(Surface& surface, const PopupLayout& layout, const ColourPopupModel& model);

// What the picker button looks like at one moment.
struct PickerLook {
    int width = 0;
    int height = 0;
    ColourValue colour = 0;
    ColourValue textColour = 0;
    std::string caption; // UTF-8
    FontSpec font;       // of the caption
    bool enabled = true;
    bool pushed = false; // the popup is open or the button is held down
    bool focused = false;
};

void DrawColourPicker(Surface& surface, const PickerLook& look);
