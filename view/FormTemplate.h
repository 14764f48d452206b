#pragma once

#include "store/Rect.h"

#include <span>

// The layout of the editor form: every control, label and group box, in
// dialog units of its 9-point font, in tab order. The Qt view builds its
// widgets from this table; the core takes the grid rectangle from it.

enum class EControlKind {
    GroupBox,
    Label,        // static text, left-aligned
    LabelRight,   // static text, right-aligned
    Picture,      // static picture (a small bitmap)
    Edit,         // bordered, editable, in the tab order
    ReadOnlyEdit, // bordered, read-only, not in the tab order
    PushButton,
    CheckButton, // push-like check box: shows pressed while on
    RadioButton, // push-like radio button; the first of a group starts it
    HScrollBar,
    VScrollBar,
    ListBox, // single selection, never sorted
};

// A rectangle in dialog units: position and size.
struct CDluRect {
    int x, y, cx, cy;
};

// One control of the form.
struct SFormControl {
    int id; // control id, -1 for labels, group boxes and pictures
    EControlKind kind;
    const char* caption; // UTF-8; for pictures the name of the picture
    CDluRect rect;
    bool visible = true;
    bool groupStart = false;
};

// A button the view adds to the form at a fixed pixel rectangle.
struct SBitmapButton {
    int id;
    CRect rect;         // view client pixels
    const char* normal; // picture names of the two faces
    const char* pressed;
};

// The controls of the form, in tab order.
std::span<const SFormControl> FormControls();

// The three bitmap buttons: play, last screen, first screen.
std::span<const SBitmapButton> FormBitmapButtons();

// The control with id `id`, or nullptr.
const SFormControl* FindFormControl(int id);

// The place of radio button `id` in its group (0 for the first), or -1 when
// `id` is no radio button of the form.
int RadioButtonIndex(int id);

// Pixels of a dialog-unit rectangle: x * 7 / 4 and y * 12 / 8, each edge
// rounded half away from zero.
CRect DluToPixels(const CDluRect& rect);

// Size of the whole form in pixels (571 x 427 dialog units).
CRect FormPixelRect();

// The rectangle of the dot grid in view client pixels: the client area of the
// invisible group box 1011.
CRect GridRectangle();
