#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kelvora");
    QMainWindow w;
    w.setWindowTitle("Kelvora");
    w.resize(1030, 557);
    w.show();
    return app.exec();
}
