// Kelvora: creates the main window, then the secondary windows (hidden, in
// the order of their class numbers), and runs the event loop. Where the
// program reads its data and keeps the player's files follows from where
// its executable lies (see ProgramFolders).
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "gui/common/program_folders.h"
#include "gui/game/about_window.h"
#include "gui/program.h"
#include "gui/table/main_window.h"

int main(int argc, char** argv) {
    // Answered before Qt starts, so that it works without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("kelvora %s\n", kv::kProgramVersion);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::printf(
                "Usage: kelvora [--version] [--help] [Qt options]\n"
                "Kelvora, a trainer for single-zero roulette.\n");
            return 0;
        }
    }

    QApplication app(argc, argv);
    // The name chooses the player's folder (~/.local/share/Kelvora); no
    // display name, which would be added to every window title.
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    QApplication::setApplicationVersion(QString::fromLatin1(kv::kProgramVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kelvora.Kelvora"));
    kv::ProgramFolders::setCurrent(kv::ProgramFolders::forExecutable(QCoreApplication::applicationDirPath(),
                                                                     QStringLiteral(KV_DATA_DIR_FROM_BIN)));

    kv::KelvoraProgram program;

    // Secondary windows stay open while the main window lives; closing the
    // main window ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&program.main(), &kv::MainWindow::closed, &app, &QApplication::quit);
    program.main().show();
    return app.exec();
}
