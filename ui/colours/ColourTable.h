// The 40 colours that the colour popup offers, in reading order (8 per row).
#pragma once

#include <array>
#include <string_view>

#include "ui/shell/Surface.h"

struct NamedColour {
    std::string_view name; // belongs to the table; the popup shows only the colour
    ColourValue colour;    // 0x00BBGGRR
};

inline constexpr int kColourCount = 40;
inline constexpr int kColourColumns = 8;
inline constexpr int kColourRows =
    kColourCount / kColourColumns + (kColourCount % kColourColumns ? 1 : 0);

extern const std::array<NamedColour, kColourCount> kColourTable;

// Index of the first table entry of `colour`, or -1 when the table has no such colour.
int FindColourIndex(ColourValue colour);
