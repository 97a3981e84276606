#include "window/ui/Tableau.h"

Tableau::Tableau(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Tableau"));
    setFixedSize(684, 534);
}
