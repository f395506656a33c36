// Kelvora: creates the main window, then the secondary windows (hidden, in
// the order of their class numbers), and runs the event loop. The program
// folder is the current directory.
#include <QApplication>

#include "ui/main/about_window.h"
#include "ui/main/main_window.h"
#include "ui/program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kelvora"));
    QApplication::setApplicationVersion(QString::fromLatin1(kv::kProgramVersion));

    kv::KelvoraProgram program;

    // Secondary windows stay open while the main window lives; closing the
    // main window ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&program.main(), &kv::TForm1::closed, &app, &QApplication::quit);
    program.main().show();
    return app.exec();
}
