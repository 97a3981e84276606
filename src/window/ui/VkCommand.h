#pragma once

#include "minefield/Colour.h"

#include <QPushButton>

// The panel's push button: a face shaded from top to bottom, a coloured caption. The caption
// stays QPushButton's own text and is drawn by the style.
class VkCommand : public QPushButton {
    Q_OBJECT
public:
    explicit VkCommand(QWidget* parent = nullptr);

    void setFace(Colour top, Colour bottom);
    void setForeColour(Colour colour);
    Colour foreColour() const { return fore_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Colour faceTop_ = 0xFFFFFF;
    Colour faceBottom_ = 0xC0C0C0;
    Colour fore_ = colours::Black;
};
