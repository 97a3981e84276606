// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Colour.h"

#include <QRect>
#include <QString>
#include <span>
#include <string_view>

struct Controls;
struct LabelModel;
struct CommandModel;
struct ImageModel;

// The window as designed, one row per control: its kind, parent, place, design text, font and
// colours, the member of the control model that holds its state, its mnemonic and what a
// screen reader says of it. The model's first values and the window are both built from here.
namespace design {

// Twips per pixel of the design.
constexpr int TwipsPerPixel = 15;

struct TwipsRect {
    int left, top, width, height;

    constexpr QRect pixels() const {
        return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
                height / TwipsPerPixel};
    }
};

enum class Kind {
    Window,     // the window Tableau itself
    Label,      // vkLabel
    Frame,      // vkFrame: titled panel
    Command,    // vkCommand: push button
    Option,     // vkOptionButton
    Picture,    // the board picture box
    CellButton, // graphical command button of a cell
    Image,      // picture holder or mine picture
    Timer,
};

struct Font {
    const char* family = nullptr; // nullptr: the control shows no text
    double pointSize = 0;
    bool bold = false;
    bool italic = false;
};

// Where a control's run-time state lives in the model: a member, or an element of an array
// member for the controls that come as a series (Sons_0, Bombe_1, BtnBomb_1).
struct Model {
    LabelModel Controls::*label = nullptr;
    CommandModel Controls::*command = nullptr;
    ImageModel Controls::*image = nullptr; // the picture holders
    int index = 0;                         // element of a series
};

struct Control {
    const char* name; // the widget's objectName (UTF-8), an index after an underscore
    Kind kind;
    const char* parent; // name of the parent control; "" for the window
    TwipsRect place;    // relative to the parent's area
    const char* text;   // design text or frame title (UTF-8)
    Font font = {};
    Colour background = colours::None; // labels, the board picture
    Colour foreground = colours::None; // text colour
    bool singleBorder = false;         // labels: a one-pixel border
    // Frames: the title bar shaded from titleStart (left) to titleEnd (right).
    Colour titleStart = colours::None;
    Colour titleEnd = colours::None;
    int titleTwips = 0;
    Colour titleText = colours::None;
    Colour body = colours::None;
    Colour borderColour = colours::None;
    int borderWidth = 0;
    // Push buttons: the face shaded from faceStart (top) to faceEnd (bottom).
    Colour faceStart = colours::None;
    Colour faceEnd = colours::None;

    Model model = {};
    const char* picture = nullptr; // images: the picture it holds (a resource)
    bool selected = false;         // options: chosen as designed
    int interval = 0;              // timers: milliseconds
    char mnemonic = 0;             // Alt and this letter of the caption press the button
    // For a screen reader, in French: the name where the control's own text is not it, and
    // what it is besides its name (a label's name is the value it shows).
    const char* accessibleName = nullptr;
    const char* description = nullptr;

    QString objectName() const { return QString::fromUtf8(name); }
    QString designText() const { return QString::fromUtf8(text); }
    QRect rect() const { return place.pixels(); }
    // Twips of the title bars are not whole pixels (400 twips): the nearest pixel.
    int titleHeight() const { return (titleTwips + TwipsPerPixel / 2) / TwipsPerPixel; }
};

// Every control, parents before their children, in the order the window creates them.
std::span<const Control> controls();

// The control of that name; it must be in the table.
const Control& control(std::string_view name);

} // namespace design
