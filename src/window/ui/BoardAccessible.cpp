// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/ui/BoardAccessible.h"

#include "minefield/Board.h"
#include "window/ui/BoardView.h"

#include <QAccessibleWidget>
#include <QPointer>

namespace {

class RevealedCellAccessible : public QAccessibleInterface {
public:
    RevealedCellAccessible(BoardView* board, int cell) : board_(board), cell_(cell) {}

    BoardView* board() const { return board_; }
    int cell() const { return cell_; }

    bool isValid() const override { return !board_.isNull(); }
    // A part of the board's picture, not an object of its own.
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(board_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && board_ ? board_->describe(cell_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!board_) {
            return {};
        }
        const QRect square = BoardView::cellSquare(cell_);
        return {board_->mapToGlobal(square.topLeft()), square.size()};
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !board_ || !board_->isVisible();
        return s;
    }

private:
    QPointer<BoardView> board_;
    int cell_;
};

class BoardAccessible : public QAccessibleWidget {
public:
    explicit BoardAccessible(BoardView* board) : QAccessibleWidget(board) {}

    int childCount() const override {
        int revealed = 0;
        for (int n = 1; n <= board::Cells; ++n) {
            revealed += view()->isRevealed(n) ? 1 : 0;
        }
        return QAccessibleWidget::childCount() + revealed;
    }
    QAccessibleInterface* child(int index) const override {
        const int widgets = QAccessibleWidget::childCount();
        if (index < widgets) {
            return QAccessibleWidget::child(index);
        }
        int rank = index - widgets;
        for (int n = 1; n <= board::Cells; ++n) {
            if (view()->isRevealed(n) && rank-- == 0) {
                return view()->revealedCellAccessible(n);
            }
        }
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* cell = dynamic_cast<const RevealedCellAccessible*>(child);
        if (cell == nullptr) {
            return QAccessibleWidget::indexOfChild(child);
        }
        if (cell->board() != view() || !view()->isRevealed(cell->cell())) {
            return -1;
        }
        int index = QAccessibleWidget::childCount();
        for (int n = 1; n < cell->cell(); ++n) {
            index += view()->isRevealed(n) ? 1 : 0;
        }
        return index;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        // The buttons and the mine pictures lie above the picture.
        if (QAccessibleInterface* w = QAccessibleWidget::childAt(x, y)) {
            return w;
        }
        const QPoint p = view()->mapFromGlobal(QPoint(x, y));
        for (int n = 1; n <= board::Cells; ++n) {
            if (view()->isRevealed(n) && BoardView::cellSquare(n).contains(p)) {
                return view()->revealedCellAccessible(n);
            }
        }
        return nullptr;
    }

private:
    BoardView* view() const { return static_cast<BoardView*>(widget()); }
};

QAccessibleInterface* boardFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("BoardView") && object != nullptr && object->isWidgetType()) {
        return new BoardAccessible(static_cast<BoardView*>(object));
    }
    return nullptr;
}

} // namespace

void installBoardAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(&boardFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

QAccessibleInterface* makeRevealedCellAccessible(BoardView* board, int cell) {
    return new RevealedCellAccessible(board, cell);
}
