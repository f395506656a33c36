// Entry point of the widget test programs: a QApplication must exist before
// any window is made, and without a display Qt needs the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

namespace {

// The main window reads info.ini (the last game) from the current directory
// when it is made and writes it when it closes. Every test runs in an empty
// folder of its own, so that none starts from the game another one left.
class FreshProgramFolder : public ::testing::EmptyTestEventListener {
  public:
    void OnTestStart(const ::testing::TestInfo&) override {
        folder_ = std::make_unique<QTemporaryDir>();
        if (folder_->isValid()) QDir::setCurrent(folder_->path());
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        QDir::setCurrent(QDir::tempPath());
        folder_.reset();
    }

  private:
    std::unique_ptr<QTemporaryDir> folder_;
};

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshProgramFolder);
    return RUN_ALL_TESTS();
}
