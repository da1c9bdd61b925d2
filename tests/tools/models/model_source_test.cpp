// The model tool's reader: mistakes in a source stop the build with file
// and line. That the shapes come out closed and facing outward is checked on
// every built model (model_files_test).
#include <gtest/gtest.h>

#include "support/scratch.h"

#include <filesystem>
#include <fstream>
#include <string>

#include "models/model_source.h"

namespace model_test {
namespace {

class ModelSource : public ::testing::Test {
 protected:
  std::string Write(const std::string& text) {
    const auto path = test_support::ScratchPath("model_source_" + std::to_string(++count_) + ".model");
    std::ofstream(path) << text;
    paths_.push_back(path);
    return path.string();
  }
  void TearDown() override {
    for (const auto& p : paths_) std::filesystem::remove(p);
  }

  // The error a source gives, or "" when it builds.
  std::string ErrorOf(const std::string& text) {
    try {
      models::ReadModel(Write(text), palette_);
      return "";
    } catch (const models::SourceError& e) {
      return e.what();
    }
  }

  models::Palette palette_{{"red", {1, 0, 0, 1}}};
  int count_ = 0;
  std::vector<std::filesystem::path> paths_;
};

TEST_F(ModelSource, MistakesNameTheirLine) {
  struct Case {
    const char* text;
    const char* says;
  };
  const Case cases[] = {
      {"box red 0 0 0 1 1\n", ":1: line ends too early"},
      {"# fine\nbox red 0 0 0 1 1 x\n", ":2: 'x' is not a number"},
      {"box red 0 0 0 1 1 1e30\n", "out of range"},
      {"box blue 0 0 0 1 1 1\n", "unknown colour 'blue'"},
      {"sphere red 0 0 0 1\n", "unknown shape 'sphere'"},
      {"cylinder red w 0 0 0 1 0 1\n", "axis must be x, y or z"},
      {"cylinder red y 0 0 0 1 0 1 100000\n", "count must be a whole number"},
      {"tube red y 0 0 0 1 2 0 1\n", "outer radius > inner radius"},
      {"lathe red y 0 0 0 8 shiny : 0 0 1 0\n", "unknown lathe option"},
      {"lathe red y 0 0 0 8 : 0 0 -1 0\n", "radii cannot be negative"},
      {"extrude red z 0 1 : 0 0 1 1 1 0 0 1\n", "outline crosses itself"},
      {"extrude red z 0 1 : 0 0 1 0\n", "at least 3 points"},
      {"stroke red z 0 1 0.5 : 0 0 0 0\n", "repeats a point"},
      {"colour pink 2 0 0\n", "from 0 to 1"},
      {"# nothing here\n", "describes no faces"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_NE(ErrorOf(c.text).find(c.says), std::string::npos) << ErrorOf(c.text);
  }
  EXPECT_THROW(models::ReadModel("/nonexistent/zarn.model", palette_), models::SourceError);
}

}  // namespace
}  // namespace model_test
