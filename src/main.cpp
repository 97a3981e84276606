#include "window/ui/Tableau.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Tableau window;
    window.show();
    return app.exec();
}
