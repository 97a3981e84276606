// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Colour.h"
#include "core/DesignPlaces.h"

#include <QRect>
#include <QString>
#include <span>
#include <string_view>

// The window's layout as designed: every control with its kind, parent, place, design text,
// font and colours. The window is built from this one table, and the tests check it against
// the same table.
namespace layout {

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

struct Control {
    const char* name; // the widget's objectName (UTF-8), an index after an underscore
    Kind kind;
    const char* parent; // name of the parent control; "" for the window
    // Left, top, width, height in twips, relative to the parent's area.
    int left, top, width, height;
    const char* text; // design text or frame title (UTF-8)
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

    QString objectName() const { return QString::fromUtf8(name); }
    QString designText() const { return QString::fromUtf8(text); }
    QRect rect() const { return design::TwipsRect{left, top, width, height}.pixels(); }
    // Twips of the title bars are not whole pixels (400 twips): the nearest pixel.
    int titleHeight() const {
        return (titleTwips + design::TwipsPerPixel / 2) / design::TwipsPerPixel;
    }
};

// Every control, parents before their children, in the order the window creates them.
std::span<const Control> controls();

// The control of that name, or nullptr.
const Control* find(std::string_view name);

// The window's client area in pixels.
constexpr int ClientWidth = 684;
constexpr int ClientHeight = 534;

} // namespace layout
