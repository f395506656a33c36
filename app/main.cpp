// Kelvora: creates the main window, then the secondary windows (hidden, in
// the order of their class numbers), and runs the event loop. The program
// folder is the current directory.
#include <QApplication>

#include "analysis/colors_window.h"
#include "analysis/graphics_window.h"
#include "analysis/sectors_window.h"
#include "analysis/statistic_window.h"
#include "calculate/calculate_window.h"
#include "files/cut_game_window.h"
#include "files/file_commands_window.h"
#include "strategy/constructor_window.h"
#include "strategy/test_strategy_window.h"
#include "ui/compact/compact_table_window.h"
#include "ui/compact/hide_window.h"
#include "ui/compact/online_input_window.h"
#include "ui/main/about_window.h"
#include "ui/main/balance_window.h"
#include "ui/main/generate_spins_window.h"
#include "ui/main/main_window.h"
#include "ui/main/properties_window.h"
#include "ui/main/random_properties_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kelvora"));
    QApplication::setApplicationVersion(QString::fromLatin1(kv::kProgramVersion));

    kv::TForm1 form1;
    kv::TForm2 form2(form1);
    kv::TForm3 form3(form1);
    kv::TForm4 form4(form1);
    kv::TForm5 form5(form1);
    kv::TForm7 form7(form1);
    kv::TForm8 form8(form1);
    kv::TForm9 form9(form1);
    kv::TForm10 form10(form1);
    kv::TForm11 form11(form1);
    kv::TForm12 form12(form1, form11);
    kv::TForm13 form13(form1);
    kv::TForm14 form14(form1);
    kv::TForm15 form15(form1);
    kv::TForm16 form16(form1);
    kv::TForm20 form20(form1);
    kv::TForm21 form21(form1);
    kv::TAboutBox about(form1);
    kv::FileCommands fileCommands(form1);

    // Secondary windows stay open while the main window lives; closing the
    // main window ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&form1, &kv::TForm1::closed, &app, &QApplication::quit);
    form1.show();
    return app.exec();
}
