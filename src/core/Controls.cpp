// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Controls.h"

#include "core/ControlTable.h"

Controls Controls::designed() {
    using design::Kind;
    Controls m;
    for (const design::Control& c : design::controls()) {
        const QString text = c.designText();
        switch (c.kind) {
        case Kind::Label:
            // A label without a colour of its own is transparent; its model keeps white.
            m.*c.model.label = {text, c.background == colours::None ? colours::White : c.background,
                                c.foreground};
            break;
        case Kind::Command:
            m.*c.model.command = {text, true};
            break;
        case Kind::Option:
            m.Sons.at(static_cast<std::size_t>(c.model.index)) = {text, c.selected ? 1 : 0};
            break;
        case Kind::Image: {
            // One picture object per face; every button that shows a face holds a copy of it.
            ImageModel& image = c.model.image != nullptr
                                    ? m.*c.model.image
                                    : m.Bombe.at(static_cast<std::size_t>(c.model.index));
            image = {QIcon(QString::fromLatin1(c.picture)), c.rect()};
            break;
        }
        case Kind::Timer:
            m.Timer1 = {false, c.interval};
            break;
        case Kind::Window:
        case Kind::Frame:
        case Kind::Picture:
        case Kind::CellButton:
            break;
        }
    }
    // Cell button 1 is the one the window is designed with. Before the first deal it is shown
    // with the cover face but takes no click: there is no deal to play on yet.
    CellButtonModel& first = m.BtnBomb[1];
    first.face = m.Nuage.picture;
    first.geometry = design::control("BtnBomb_1").rect();
    first.visible = true;
    first.enabled = false;
    return m;
}
