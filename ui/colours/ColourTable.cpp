#include "ui/colours/ColourTable.h"

#include "persist/Settings.h"

const std::array<NamedColour, kColourCount> kColourTable = {{
    {"Black", RGBColour(0, 0, 0)},
    {"Brown", RGBColour(165, 42, 0)},
    {"Dark Olive Green", RGBColour(0, 64, 64)},
    {"Dark Green", RGBColour(0, 85, 0)},
    {"Dark Teal", RGBColour(0, 0, 94)},
    {"Dark blue", RGBColour(0, 0, 139)},
    {"Indigo", RGBColour(75, 0, 130)},
    {"Dark grey", RGBColour(40, 40, 40)},

    {"Dark red", RGBColour(139, 0, 0)},
    {"Orange", RGBColour(255, 104, 32)},
    {"Dark yellow", RGBColour(139, 139, 0)},
    {"Green", RGBColour(0, 147, 0)},
    {"Teal", RGBColour(56, 142, 142)},
    {"Blue", RGBColour(0, 0, 255)},
    {"Blue-grey", RGBColour(123, 123, 192)},
    {"Grey - 40", RGBColour(102, 102, 102)},

    {"Red", RGBColour(255, 0, 0)},
    {"Light orange", RGBColour(255, 173, 91)},
    {"Lime", RGBColour(50, 205, 50)},
    {"Sea green", RGBColour(60, 179, 113)},
    {"Aqua", RGBColour(127, 255, 212)},
    {"Light blue", RGBColour(125, 158, 192)},
    {"Violet", RGBColour(128, 0, 128)},
    {"Grey - 50", RGBColour(127, 127, 127)},

    {"Pink", RGBColour(255, 192, 203)},
    {"Gold", RGBColour(255, 215, 0)},
    {"Yellow", RGBColour(255, 255, 0)},
    {"Bright green", RGBColour(0, 255, 0)},
    {"Turquoise", RGBColour(64, 224, 208)},
    {"Skyblue", RGBColour(192, 255, 255)},
    {"Plum", RGBColour(72, 0, 72)},
    {"Light grey", RGBColour(192, 192, 192)},

    {"Rose", RGBColour(255, 228, 225)},
    {"Tan", RGBColour(210, 180, 140)},
    {"Light yellow", RGBColour(255, 255, 224)},
    {"Pale green ", RGBColour(152, 251, 152)},
    {"Pale turquoise", RGBColour(175, 238, 238)},
    {"Pale blue", RGBColour(220, 255, 255)},
    {"Lavender", RGBColour(230, 230, 250)},
    {"White", RGBColour(255, 255, 255)},
}};

int FindColourIndex(ColourValue colour) {
    for (int i = 0; i < kColourCount; ++i)
        if (kColourTable[static_cast<std::size_t>(i)].colour == colour) return i;
    return -1;
}
