// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Tableau.h"

#include "core/Board.h"
#include "core/ControlTable.h"
#include "core/Game.h"
#include "ui/Announcer.h"
#include "ui/BoardView.h"
#include "ui/CellButton.h"
#include "ui/ImageView.h"
#include "ui/PanelAccessible.h"
#include "ui/VkCommand.h"
#include "ui/VkFrame.h"
#include "ui/VkLabel.h"
#include "ui/VkOptionButton.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleFactory>
#include <algorithm>

namespace {

using design::Control;
using design::Kind;

// The faces fill the cell button but for a thin rim of its bevel.
constexpr int FaceSize = 44;

QFont fontOf(const Control& c) {
    QFont f(QString::fromLatin1(c.font.family));
    f.setPointSizeF(c.font.pointSize);
    f.setBold(c.font.bold);
    f.setItalic(c.font.italic);
    return f;
}

// The window keeps its designed look on any desktop: a style of its own, whatever style the
// desktop sets, and its own light colours for everything that style draws (the option
// buttons' discs, focus frames, greyed captions and faces), every role of every group set, so
// that no colour scheme reaches a control. (A style's standard palette is the desktop's.)
struct RoleColours {
    QPalette::ColorRole role;
    QRgb normal; // active and inactive
    QRgb disabled;
};
constexpr RoleColours DesignedColours[] = {
    {QPalette::WindowText, 0xFF000000, 0xFFBEBEBE},
    {QPalette::Button, 0xFFEFEFEF, 0xFFEFEFEF},
    {QPalette::Light, 0xFFFFFFFF, 0xFFFFFFFF},
    {QPalette::Midlight, 0xFFCACACA, 0xFFCACACA},
    {QPalette::Dark, 0xFF9F9F9F, 0xFFBEBEBE},
    {QPalette::Mid, 0xFFB8B8B8, 0xFFB8B8B8},
    {QPalette::Text, 0xFF000000, 0xFFBEBEBE},
    {QPalette::BrightText, 0xFFFFFFFF, 0xFFFFFFFF},
    {QPalette::ButtonText, 0xFF000000, 0xFFBEBEBE},
    {QPalette::Base, 0xFFFFFFFF, 0xFFEFEFEF},
    {QPalette::Window, 0xFFEFEFEF, 0xFFEFEFEF},
    {QPalette::Shadow, 0xFF767676, 0xFFB1B1B1},
    {QPalette::Highlight, 0xFF308CC6, 0xFF919191},
    {QPalette::HighlightedText, 0xFFFFFFFF, 0xFFFFFFFF},
    {QPalette::Link, 0xFF0000FF, 0xFF0000FF},
    {QPalette::LinkVisited, 0xFFFF00FF, 0xFFFF00FF},
    {QPalette::AlternateBase, 0xFFF7F7F7, 0xFFF7F7F7},
    {QPalette::ToolTipBase, 0xFFFFFFDC, 0xFFFFFFDC},
    {QPalette::ToolTipText, 0xFF000000, 0xFF000000},
    {QPalette::PlaceholderText, 0x80000000, 0x80000000},
};
static_assert(std::size(DesignedColours) == QPalette::NColorRoles - 1, "every role but NoRole");

QPalette designedPalette() {
    QPalette fixed;
    for (const QPalette::ColorGroup g :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        fixed.setBrush(g, QPalette::NoRole, Qt::NoBrush);
        for (const RoleColours& c : DesignedColours) {
            const QRgb rgba = g == QPalette::Disabled ? c.disabled : c.normal;
            fixed.setColor(g, c.role, QColor::fromRgba(rgba));
        }
    }
    return fixed;
}

void useDesignedStyle(QWidget* window) {
    QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"));
    if (style == nullptr) {
        qWarning("Tervalo: no Fusion style; the window takes the desktop's style");
        return;
    }
    style->setParent(window);
    window->setStyle(style);
    for (QWidget* w : window->findChildren<QWidget*>()) {
        w->setStyle(style);
    }
    window->setPalette(designedPalette());
}

} // namespace

Tableau::Tableau(Game& game, QWidget* parent) : QWidget(parent), game_(game) {
    build();
    useDesignedStyle(this);
    game_.PicFond.setOnRefresh([this] { board_->update(); });
    // Before the first deal no cell has anything to show, whatever its button does.
    board_->setCovered(
        [this](int n) { return game_.controls().BtnBomb[n].visible || !game_.dealt(); });
    board_->setScene([this] { return BoardScene::of(game_); });
    board_->setDescriber([this](int n) { return game_.cellDescription(n); });
    board_->setKeyHandler([this](QKeyEvent* event) { return onBoardKey(event); });
    // A click moves the cursor only while the keyboard plays on the board.
    board_->setCellPressHandler([this](int n) {
        game_.cursor.place(n);
        showCursor();
    });
    showModel();
    // Between games the one thing to do is to deal.
    if (rejouer_->isEnabled()) {
        rejouer_->setFocus(Qt::OtherFocusReason);
    }
}

Tableau::~Tableau() {
    game_.PicFond.setOnRefresh({});
}

QIcon Tableau::programIcon() {
    // One 32x32 image, as designed. A scalable icon would be drawn at four sizes for the
    // window system before the window first shows.
    QIcon icon;
    icon.addPixmap(QIcon(QStringLiteral(":/pictures/tervalo.svg")).pixmap(QSize(32, 32)));
    return icon;
}

void Tableau::build() {
    QHash<QByteArray, QWidget*> byName;
    for (const Control& c : design::controls()) {
        if (QWidget* w = makeControl(c, byName.value(QByteArray(c.parent), this))) {
            byName.insert(QByteArray(c.name), w);
        }
    }
    makeSeries();
    connectControls();
    announcer_ = new Announcer(this);
}

QWidget* Tableau::makeControl(const Control& c, QWidget* parent) {
    // Name, place and font first: a frame measures its title in its own font, so the font
    // must be there before the title, or the default font is loaded for nothing. What a
    // screen reader says besides a control's name is for the player; the object names stay
    // ours.
    auto place = [&c](QWidget* w) {
        w->setObjectName(c.objectName());
        w->setGeometry(c.rect());
        if (c.font.family != nullptr) {
            w->setFont(fontOf(c));
        }
        if (c.description != nullptr) {
            w->setAccessibleDescription(QString::fromUtf8(c.description));
        }
    };
    switch (c.kind) {
    case Kind::Window:
        setObjectName(c.objectName());
        setWindowTitle(c.designText());
        setFixedSize(c.rect().size());
        if (QGuiApplication::windowIcon().isNull()) {
            setWindowIcon(programIcon());
        }
        return this;
    case Kind::Label: {
        auto* label = new VkLabel(parent);
        place(label);
        label->setBackColour(c.background);
        label->setForeColour(c.foreground);
        label->setSingleBorder(c.singleBorder);
        label->setText(c.designText());
        // The end of a game is heard wherever the focus is.
        label->setAnnounces(c.model.label == &Controls::Commentaire);
        labels_.push_back({label, c.model.label, c.background != colours::None});
        return label;
    }
    case Kind::Frame: {
        auto* frame = new VkFrame(parent);
        place(frame);
        frame->setLook({c.titleStart, c.titleEnd, c.titleHeight(), c.titleText, c.body,
                        c.borderColour, c.borderWidth});
        frame->setTitle(c.designText());
        // Named by its own caption, where Qt would name it after the frame around it; the
        // caption is read as a text too, before the values under it.
        frame->setAccessibleName(c.designText());
        new FrameCaption(c.designText(), c.titleHeight(), frame);
        return frame;
    }
    case Kind::Command: {
        auto* button = new VkCommand(parent);
        place(button);
        button->setText(c.designText());
        button->setFace(c.faceStart, c.faceEnd);
        button->setForeColour(c.foreground);
        button->setMnemonic(QLatin1Char(c.mnemonic));
        commands_.push_back({button, c.model.command});
        return button;
    }
    case Kind::Option: {
        installPanelAccessible();
        if (sonsGroup_ == nullptr) {
            sonsGroup_ = new QButtonGroup(this);
            sonsGroup_->setExclusive(true);
        }
        auto* option = new VkOptionButton(parent);
        place(option);
        option->setText(c.designText());
        option->setForeColour(c.foreground);
        sonsGroup_->addButton(option, c.model.index);
        sons_.at(static_cast<std::size_t>(c.model.index)) = option;
        return option;
    }
    case Kind::Picture:
        board_ = new BoardView(game_.PicFond, parent);
        place(board_);
        return board_;
    case Kind::Image: {
        auto* image = new ImageView(parent);
        place(image);
        image->hide();
        if (c.model.image != nullptr) {
            image->setPicture((game_.controls().*c.model.image).picture);
        } else {
            mines_.at(static_cast<std::size_t>(c.model.index)) = image;
        }
        return image;
    }
    case Kind::CellButton:
        // Created with the other ninety-nine, above every mine picture.
        return nullptr;
    case Kind::Timer:
        timer1_.setObjectName(c.objectName());
        timer1_.setTimerType(Qt::PreciseTimer);
        timer1_.setSingleShot(true);
        timer1_.setInterval(game_.controls().Timer1.interval);
        return nullptr;
    }
    return nullptr;
}

void Tableau::makeSeries() {
    // The other nine mine pictures, then the hundred cells over them.
    const QRect firstMine = mines_[1]->geometry();
    for (int i = 2; i <= 10; ++i) {
        mines_[i] = new ImageView(board_);
        mines_[i]->setObjectName(QStringLiteral("Bombe_%1").arg(i));
        mines_[i]->setGeometry(firstMine);
        mines_[i]->hide();
    }
    const QRect firstCell = design::control("BtnBomb_1").rect();
    for (int i = 1; i <= board::Cells; ++i) {
        auto* cell = new CellButton(i, board_);
        cell->setObjectName(QStringLiteral("BtnBomb_%1").arg(i));
        cell->setIconSize(QSize(FaceSize, FaceSize));
        const QRect g = game_.controls().BtnBomb[i].geometry;
        cell->setGeometry(!g.isEmpty() ? g : i == 1 ? firstCell : board::buttonRect(i));
        if (i > 1) {
            cell->hide();
        }
        connect(cell, &QAbstractButton::clicked, this, [this, i] { onCellClicked(i); });
        connect(cell, &CellButton::rightReleased, this, &Tableau::onCellRightReleased);
        cells_[i] = cell;
    }
}

void Tableau::connectControls() {
    QWidget* raz = nullptr;
    for (const CommandView& command : commands_) {
        if (command.model == &Controls::Rejouer) {
            rejouer_ = command.widget;
            connect(command.widget, &QAbstractButton::clicked, this, &Tableau::onRejouer);
        } else if (command.model == &Controls::RAZ) {
            raz = command.widget;
            connect(command.widget, &QAbstractButton::clicked, this, &Tableau::onRaz);
        } else if (command.model == &Controls::Quitter) {
            quitter_ = command.widget;
            connect(command.widget, &QAbstractButton::clicked, this, &QWidget::close);
        }
    }

    // After the board, the next deal, the sound switch (Qt stops on its selected option only),
    // then the statistics' reset: a Tab and a Space too many after a game deal again, they
    // never erase the statistics.
    QWidget* previous = board_;
    const QList<QWidget*> panel{rejouer_, sons_[0], sons_[1], raz, quitter_};
    for (QWidget* w : panel) {
        setTabOrder(previous, w);
        previous = w;
    }
    // A click, never a selection made by the program, is the player's choice. A screen
    // reader's "toggle" selects without a click: a selection the model does not know of yet is
    // the player's too.
    connect(sonsGroup_, &QButtonGroup::idClicked, this, &Tableau::onSons);
    connect(sonsGroup_, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (checked && game_.controls().Sons.at(static_cast<std::size_t>(index)).value != 1) {
            onSons(index);
        }
    });
    connect(&timer1_, &QTimer::timeout, this, &Tableau::onTimer);
}

void Tableau::showModel() {
    const Controls& c = game_.controls();
    // A button about to go off ("Rejouer" as a game is dealt) hands the focus to the board
    // before anything changes: it never passes through another control on the way, so a screen
    // reader does not announce one in between.
    for (const CommandView& v : commands_) {
        if (v.widget->hasFocus() && !(c.*(v.model)).enabled) {
            board_->setFocus(Qt::OtherFocusReason);
        }
    }
    // The cells first: what the player's key did is said before the message line's news.
    for (int i = 1; i <= board::Cells; ++i) {
        showCell(i);
    }
    showCursor();
    for (const LabelView& v : labels_) {
        const LabelModel& m = c.*(v.model);
        v.widget->setText(m.text);
        if (v.ownBackground) {
            v.widget->setBackColour(m.back);
        }
        v.widget->setForeColour(m.fore);
    }
    for (const CommandView& v : commands_) {
        const CommandModel& m = c.*(v.model);
        if (v.widget->text() != m.text) {
            v.widget->setText(m.text);
        }
        v.widget->setEnabled(m.enabled);
    }
    for (std::size_t k = 0; k < sons_.size(); ++k) {
        if (c.Sons[k].value == 1) {
            sons_[k]->setValue(1);
        }
    }
    if (c.Sons[0].value != 1 && c.Sons[1].value != 1 && sonsGroup_->checkedButton() != nullptr) {
        // Neither selected: an exclusive group would refuse to clear its choice.
        sonsGroup_->setExclusive(false);
        sonsGroup_->checkedButton()->setChecked(false);
        sonsGroup_->setExclusive(true);
    }

    for (int i = 1; i <= 10; ++i) {
        const ImageModel& m = c.Bombe[i];
        ImageView* mine = mines_[i];
        mine->setPicture(m.picture);
        if (!m.geometry.isEmpty() && mine->geometry() != m.geometry) {
            mine->setGeometry(m.geometry);
        }
        if (mine->isHidden() == m.visible) {
            mine->setVisible(m.visible);
        }
    }

    // Each tick is set for the next whole second since the deal, on a timer that never fires
    // early: a periodic coarse timer drifts, and may fire before the second is up, so the clock
    // would show each second up to a second late.
    if (!c.Timer1.enabled) {
        timer1_.stop();
    } else if (!timer1_.isActive() || timerDeal_ != game_.dealStamp()) {
        timerDeal_ = game_.dealStamp();
        timer1_.start(game_.msToNextTick());
    }
}

void Tableau::showCell(int i) {
    const Controls& c = game_.controls();
    const CellButtonModel& m = c.BtnBomb[i];
    CellButton* cell = cells_[i];
    const QRect g = m.geometry.isEmpty() ? cell->geometry() : m.geometry;
    if (cell->geometry() != g) {
        cell->setGeometry(g);
    }
    if (cell->icon().cacheKey() != m.face.cacheKey()) {
        cell->setIcon(m.face);
    }
    // A hidden button's state shows nowhere; changing it would only flood screen readers with
    // a hundred state changes as a game ends, and drown the message line's news.
    if (m.visible) {
        cell->setEnabled(m.enabled);
    }
    if (cell->isHidden() == m.visible) {
        cell->setVisible(m.visible);
        board_->updateCell(i);
    }
}

void Tableau::showCursor() {
    const int n = game_.cursor.cell();
    const QString words = game_.cellDescription(n);
    const bool moved = n != board_->cursorCell();
    // Names first, so a client reading the moved-to cell reads it as it is now.
    board_->updateAccessibleCells();
    board_->setCursorCell(n);
    if (!moved && words != cursorWords_ && board_->hasFocus()) {
        announcer_->say(words);
    }
    cursorWords_ = words;
}

bool Tableau::onBoardKey(QKeyEvent* event) {
    const Game::KeyOutcome outcome =
        game_.PicFond_KeyDown(event->key(), event->modifiers(), event->isAutoRepeat());
    if (outcome == Game::KeyOutcome::NotABoardKey) {
        return false;
    }
    if (outcome == Game::KeyOutcome::Statistics) {
        announcer_->say(game_.statisticsPhrase());
        return true;
    }
    showModel();
    return true;
}

void Tableau::onCellClicked(int index) {
    // The cursor follows the mouse only while the keyboard plays on the board.
    if (board_->hasFocus()) {
        game_.cursor.place(index);
    }
    game_.BtnBomb_Click(index);
    showModel();
}

void Tableau::onCellRightReleased(int index) {
    if (board_->hasFocus()) {
        game_.cursor.place(index);
    }
    game_.BtnBomb_MouseUp(index, MouseButton::Right);
    showModel();
}

void Tableau::onRejouer() {
    game_.Rejouer_Click();
    showModel();
    // However it was dealt, the new game is played from the board, on its first cell.
    if (game_.gameInProgress() && !board_->hasFocus()) {
        board_->setFocus(Qt::OtherFocusReason);
    }
}

void Tableau::onRaz() {
    const bool resets = game_.controls().RAZ.enabled;
    game_.RAZ_Click();
    showModel();
    // The button keeps the focus and its name: without this a screen reader says nothing of
    // what was lost.
    if (resets) {
        announcer_->say(QStringLiteral("Statistiques remises à zéro"));
    }
}

void Tableau::onSons(int index) {
    game_.Sons_Click(index);
    showModel();
}

void Tableau::onTimer() {
    game_.Timer1_Timer();
    showModel();
}

void Tableau::bringToFront() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void Tableau::closeEvent(QCloseEvent* event) {
    game_.Form_Unload();
    showModel();
    event->accept();
}
