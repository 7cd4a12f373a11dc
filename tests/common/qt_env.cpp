// One QApplication for a whole Qt test run (offscreen when no display): the
// picture box needs it to measure and draw text, the windows to exist.
// The offscreen screen is 1600 x 1000 at 96 dots per inch, larger than the
// windows' first-run sizes, so that they come up at those sizes.
#include <gtest/gtest.h>

#include <QApplication>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

// The offscreen platform with a screen described in a file of its own.
std::string OffscreenWithScreen() {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("ondrik-tests-screen-" + std::to_string(::getpid()) + ".json");
  std::ofstream(file) << R"({"screens":[{"name":"tests","x":0,"y":0,"width":1600,"height":1000,)"
                      << R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})";
  return "offscreen:configfile=" + file.string();
}

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QCoreApplication::instance() != nullptr) return;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform == nullptr || std::string(platform) == "offscreen") {
      platform_ = OffscreenWithScreen();
      setenv("QT_QPA_PLATFORM", platform_.c_str(), 1);
    }
    app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override {
    app_.reset();
    if (const auto at = platform_.find('='); at != std::string::npos) {
      std::error_code ignored;
      std::filesystem::remove(platform_.substr(at + 1), ignored);
    }
  }

 private:
  int argc_ = 1;
  char name_[16] = "ondrik_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
  std::string platform_;
};

[[maybe_unused]] ::testing::Environment* const kQtEnv =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
