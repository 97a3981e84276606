#pragma once

#include <QWidget>

// The game's one window (work in progress: the widget layer is being built).
class Tableau : public QWidget {
    Q_OBJECT
public:
    explicit Tableau(QWidget* parent = nullptr);
};
