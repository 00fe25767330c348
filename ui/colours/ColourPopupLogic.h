// What the colour popup and its picker button do, apart from any window: the layout of the
// popup's boxes, where it opens on the screen, what the keys and the stylus do, and the
// colour that the popup reports. The widgets in ColourPicker.h only feed events in and
// pass the notices on.
#pragma once

#include "ui/colours/ColourTable.h"
#include "ui/shell/Surface.h"

// Notifications of the picker to its owner; the popup uses 2025, 2028 and 2029 to report
// to its picker.
enum PickerNotification : int {
    PickerSelectionChanged = 2025,
    PickerOpened = 2026,
    PickerClosed = 2027,
    PickerAccepted = 2028,
    PickerCancelled = 2029,
};

// Highlight positions besides the colour indexes 0..39.
inline constexpr int kPositionAutomatic = -3;
inline constexpr int kPositionCancel = -2;
inline constexpr int kPositionNone = -1;

inline constexpr std::string_view kAutomaticText = "Automatic";
inline constexpr std::string_view kCancelText = "Cancel";

// The platform's 3-D border: two 1-pixel edges, so 2 pixels across and down.
inline constexpr int kEdgeWidth = 2;
inline constexpr int kEdgeHeight = 2;

// The popup's own font.
FontSpec PopupFont();

// Where a colour starts in the popup: its first table index, "Automatic" for the automatic
// marker, and "Cancel" for a colour that the table does not have.
int ChosenPosition(ColourValue colour);

// Side of one colour box for an edge of `margin` pixels.
int PopupBoxSize(int margin);

// Rectangles of the popup in its own coordinates (the window starts at 0, 0).
struct PopupLayout {
    int margin = 0;
    int boxSize = 0;
    int width = 0;
    int height = 0;
    Rect defaultBox; // "Automatic", above the grid
    Rect customBox;  // "Cancel", below the grid
    int gridTop = 0; // top of row 0

    Rect ColourBox(int index) const;
    // The position whose box contains the point, or kPositionNone.
    int HitTest(int x, int y) const;
    bool Contains(int x, int y) const { return Rect{0, 0, width, height}.contains(x, y); }
};

// `textWidth` and `textHeight` are the larger width and height of "Automatic" and "Cancel"
// in the popup font.
PopupLayout LayoutColourPopup(int margin, int textWidth, int textHeight);
// Measures both texts with the popup font selected, restoring the surface's font after.
PopupLayout LayoutColourPopup(int margin, Surface& measure);

// The popup's place on the screen: under the button's bottom-left corner, moved left or
// right to stay on the screen, and above the button when it would pass the bottom.
Rect PlaceColourPopup(const Rect& button, int width, int height, const Rect& screen);

enum class PopupKey { Down, Up, Right, Left, Return, Space, Escape, Other };

struct PopupAction {
    enum Kind { None, Move, Accept, Cancel };
    Kind kind = None;
    int position = kPositionNone; // for Move
    bool operator==(const PopupAction&) const = default;
};

// What a key does from highlight position `current`.
PopupAction KeyAction(int current, PopupKey key);

// A message from the popup to its picker; `message` 0 means there is nothing to send.
struct PopupNotice {
    int message = 0;
    ColourValue colour = 0;
    bool operator==(const PopupNotice&) const = default;
};

// One opening of the popup, from the colour it was opened with to accept or cancel.
class ColourPopupModel {
  public:
    explicit ColourPopupModel(ColourValue initial);

    ColourValue Initial() const { return initial_; }
    ColourValue Result() const { return result_; }
    int Current() const { return current_; }
    int Chosen() const { return chosen_; }
    bool Ended() const { return ended_; }

    // Highlights `position`; a position that is neither a colour index nor "Automatic"
    // counts as "Cancel".
    PopupNotice MoveTo(int position);
    PopupNotice Key(PopupKey key);
    PopupNotice PenDown(const PopupLayout& layout, int x, int y);
    // Inside the popup accepts, outside cancels.
    PopupNotice PenUp(const PopupLayout& layout, int x, int y);
    // Accept or cancel; a cancel returns the colour the popup was opened with. Once ended,
    // the popup ignores every further event.
    PopupNotice End(bool accept);

  private:
    PopupNotice Apply(const PopupAction& action);

    ColourValue initial_;
    ColourValue result_;
    int current_ = kPositionNone;
    int chosen_;
    bool ended_ = false;
};

// Sizes of the picker button.
int PickerArrowWidth();
int PickerHeight();
int PickerMinimumWidth();
// Where the drop-down arrow goes in a button of the given size.
Rect PickerArrowRect(int width, int height);
// The part of the button that shows the colour.
Rect PickerFaceRect(int width, int height);
