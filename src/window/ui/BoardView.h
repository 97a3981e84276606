#pragma once

#include <QWidget>
#include <functional>

class Picture;

// The board picture PicFond on screen: shows the game's raster pixel for pixel. The cell
// buttons and the mine pictures are its children.
class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(const Picture& picture, QWidget* parent = nullptr);

    // Tells which cells are still covered: their square is shown plain, so the strip of picture
    // left between the buttons never gives away what lies under a covered cell.
    void setCovered(std::function<bool(int cell)> covered) { covered_ = std::move(covered); }
    // The part of the board a cell's square takes on screen.
    static QRect cellSquare(int cell);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Picture& picture_;
    std::function<bool(int)> covered_;
};
