#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget w;
    w.setFixedSize(684, 534);
    w.show();
    return app.exec();
}
