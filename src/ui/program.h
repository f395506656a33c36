#pragma once
// The whole program: the main window first, then every secondary window in
// the order of its class number, each created hidden and kept for the run.
// The executable and the end-to-end test build it the same way.

#include <memory>

namespace kv {

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;
class TForm11;
class TForm12;
class TForm13;
class TForm14;
class TForm15;
class TForm16;
class TForm20;
class TForm21;
class TAboutBox;
class FileCommands;

class KelvoraProgram {
public:
    KelvoraProgram();
    ~KelvoraProgram();
    KelvoraProgram(const KelvoraProgram&) = delete;
    KelvoraProgram& operator=(const KelvoraProgram&) = delete;

    TForm1& main() { return *form1; }

    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;    // Properties
    std::unique_ptr<TForm3> form3;    // Balance
    std::unique_ptr<TForm4> form4;    // Statistic
    std::unique_ptr<TForm5> form5;    // Random Properties
    std::unique_ptr<TForm6> form6;    // Test Game
    std::unique_ptr<TForm7> form7;    // Generate Spins
    std::unique_ptr<TForm8> form8;    // Wheel Sectors
    std::unique_ptr<TForm9> form9;    // Cut Game
    std::unique_ptr<TForm10> form10;  // Calculate
    std::unique_ptr<TForm11> form11;  // Graphics
    std::unique_ptr<TForm12> form12;  // Colors
    std::unique_ptr<TForm13> form13;  // Constructor of Strategics
    std::unique_ptr<TForm14> form14;  // Test Strategy
    std::unique_ptr<TForm15> form15;  // Hide
    std::unique_ptr<TForm16> form16;  // Minimize
    std::unique_ptr<TForm20> form20;  // Input Online Casino Numbers
    std::unique_ptr<TForm21> form21;  // Minimize 2
    std::unique_ptr<TAboutBox> about;
    std::unique_ptr<FileCommands> fileCommands;
};

}  // namespace kv
