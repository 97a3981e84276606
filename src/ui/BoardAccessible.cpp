// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/BoardAccessible.h"

#include "core/Board.h"
#include "core/ControlTable.h"
#include "ui/BoardView.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <algorithm>

namespace {

class CellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CellAccessible(BoardView* board, int cell) : board_(board), cell_(cell) {}

    BoardView* board() const { return board_; }
    int cell() const { return cell_; }

    bool isValid() const override { return !board_.isNull(); }
    // A square of the board's picture, not an object of its own.
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
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.focusable = true;
        s.focused = board_ && board_->hasFocus() && board_->cursorCell() == cell_;
        s.invisible = !board_ || !board_->isVisible();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return board::column(cell_) - 1; }
    int rowIndex() const override { return board::row(cell_) - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<BoardView> board_;
    int cell_;
};

class BoardAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    // A table in all but its role. Orca reads the whole row of a cell that takes the focus in
    // another row whenever the cell lies in an object of the role table (or tree), outside a
    // spreadsheet, which no role of Qt's can say. Under the role section the ten rows of ten
    // cells stay as they are, a move speaks the one cell it lands on, and entering the board
    // says no container before the cell.
    explicit BoardAccessible(BoardView* board) : QAccessibleWidget(board, QAccessible::Section) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface) {
            return static_cast<QAccessibleTableInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && view()->accessibleName().isEmpty()) {
            return QString::fromUtf8(design::control("PicFond").accessibleName);
        }
        return QAccessibleWidget::text(t);
    }

    // The cells alone, row by row: child i is cell i + 1.
    int childCount() const override { return board::Cells; }
    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < board::Cells ? view()->cellAccessible(index + 1) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* cell = dynamic_cast<const CellAccessible*>(child);
        return cell != nullptr && cell->board() == view() ? cell->cell() - 1 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const int n = BoardView::cellAtPoint(view()->mapFromGlobal(QPoint(x, y)));
        return n != 0 ? view()->cellAccessible(n) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return view()->hasFocus() ? view()->cellAccessible(view()->cursorCell()) : nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    // Qt's bridge uses the answer unchecked: a cell off the board gives the nearest one.
    QAccessibleInterface* cellAt(int row, int column) const override {
        row = std::clamp(row, 0, board::Side - 1);
        column = std::clamp(column, 0, board::Side - 1);
        return view()->cellAccessible(board::cellAt(row + 1, column + 1));
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override {
        return QStringLiteral("Colonne %1").arg(column + 1);
    }
    QString rowDescription(int row) const override {
        return QStringLiteral("Ligne %1").arg(row + 1);
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return board::Side; }
    int rowCount() const override { return board::Side; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

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

QAccessibleInterface* makeCellAccessible(BoardView* board, int cell) {
    return new CellAccessible(board, cell);
}
