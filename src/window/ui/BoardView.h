#pragma once

#include <QWidget>

class Picture;

// The board picture PicFond on screen: shows the game's raster pixel for pixel. The cell
// buttons and the mine pictures are its children.
class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(const Picture& picture, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Picture& picture_;
};
