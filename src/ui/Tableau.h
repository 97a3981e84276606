// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Controls.h"

#include <QIcon>
#include <QTimer>
#include <QWidget>
#include <array>
#include <vector>

class Game;
namespace design {
struct Control;
}
class Announcer;
class BoardView;
class CellButton;
class ImageView;
class QButtonGroup;
class QKeyEvent;
class VkCommand;
class VkLabel;
class VkOptionButton;

// The game's one window. Every control is laid out at its designed place; the window shows
// the game's model of its controls and the board picture, and hands each of the player's
// events to the game, then shows the model again.
class Tableau : public QWidget {
    Q_OBJECT
public:
    explicit Tableau(Game& game, QWidget* parent = nullptr);
    ~Tableau() override;

    // Shows the whole model: texts, colours, enabled states, the sound choice, the cells, the
    // mine pictures and the clock. Cheap: only what differs is touched.
    void showModel();

    // Brings the window to the front, restored if it was minimised.
    void bringToFront();

    // The program's icon: a bomb with a burning fuse, one 32x32 image.
    static QIcon programIcon();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The window from the table of controls: each control in turn, then the series built from
    // their first element (mine pictures 2-10, cells 2-100), then the events.
    void build();
    QWidget* makeControl(const design::Control& c, QWidget* parent); // nullptr: no widget
    void makeSeries();
    void connectControls();
    void showCell(int index);
    // The board's cursor as the game has it; what changed under it is spoken where it stands.
    void showCursor();
    bool onBoardKey(QKeyEvent* event);
    void onCellClicked(int index);
    void onCellRightReleased(int index);
    void onRejouer();
    void onRaz();
    void onSons(int index);
    void onTimer();

    struct LabelView {
        VkLabel* widget;
        LabelModel Controls::*model;
        bool ownBackground; // false: transparent by design, whatever the model holds
    };
    struct CommandView {
        VkCommand* widget;
        CommandModel Controls::*model;
    };

    Game& game_;
    BoardView* board_ = nullptr;
    std::array<CellButton*, 101> cells_{};
    std::array<ImageView*, 11> mines_{};
    std::vector<LabelView> labels_;
    std::vector<CommandView> commands_;
    std::array<VkOptionButton*, 2> sons_{};
    QButtonGroup* sonsGroup_ = nullptr;
    VkCommand* rejouer_ = nullptr;
    VkCommand* quitter_ = nullptr;
    Announcer* announcer_ = nullptr;
    QString cursorWords_; // what the cursor's cell showed when last shown
    QTimer timer1_{this};
    std::int64_t timerDeal_ = 0; // the deal the clock's timer was set for
};
