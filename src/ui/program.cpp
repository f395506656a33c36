#include "ui/program.h"

#include "analysis/colors_window.h"
#include "analysis/graphics_window.h"
#include "analysis/sectors_window.h"
#include "analysis/statistic_window.h"
#include "analysis/test_game_window.h"
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

namespace kv {

KelvoraProgram::KelvoraProgram() {
    form1 = std::make_unique<TForm1>();
    form2 = std::make_unique<TForm2>(*form1);
    form3 = std::make_unique<TForm3>(*form1);
    form4 = std::make_unique<TForm4>(*form1);
    form5 = std::make_unique<TForm5>(*form1);
    form6 = std::make_unique<TForm6>(*form1);
    form7 = std::make_unique<TForm7>(*form1);
    form8 = std::make_unique<TForm8>(*form1);
    form9 = std::make_unique<TForm9>(*form1);
    form10 = std::make_unique<TForm10>(*form1);
    form11 = std::make_unique<TForm11>(*form1);
    form12 = std::make_unique<TForm12>(*form1, *form11);
    form13 = std::make_unique<TForm13>(*form1);
    form14 = std::make_unique<TForm14>(*form1);
    form15 = std::make_unique<TForm15>(*form1);
    form16 = std::make_unique<TForm16>(*form1);
    form20 = std::make_unique<TForm20>(*form1);
    form21 = std::make_unique<TForm21>(*form1);
    about = std::make_unique<TAboutBox>(*form1);
    fileCommands = std::make_unique<FileCommands>(*form1);
}

KelvoraProgram::~KelvoraProgram() {
    // The secondary windows go first, the main window last.
    fileCommands.reset();
    about.reset();
    form21.reset();
    form20.reset();
    form16.reset();
    form15.reset();
    form14.reset();
    form13.reset();
    form12.reset();
    form11.reset();
    form10.reset();
    form9.reset();
    form8.reset();
    form7.reset();
    form6.reset();
    form5.reset();
    form4.reset();
    form3.reset();
    form2.reset();
    form1.reset();
}

}  // namespace kv
