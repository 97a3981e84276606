// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <string_view>

// What a screen reader says of the window's controls besides their name, in French, for the
// player: what a value is ("Meilleur temps"), what a button does. Empty where the name says it
// all (the frames, whose title is their name).
QString accessibleDescription(std::string_view controlName);
// The board's name for assistive technologies.
QString boardAccessibleName();
