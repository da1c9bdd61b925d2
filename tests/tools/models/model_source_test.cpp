// The model tool's reader and shapes: mistakes in a source stop the build
// with file and line, and the shapes come out closed and facing outward.
#include <gtest/gtest.h>

#include "support/scratch.h"

#include <filesystem>
#include <fstream>
#include <string>

#include "model_files.h"
#include "models/model_source.h"
#include "models/xfile_writer.h"
#include "platform/rm/xfile_reader.h"

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

  // Builds a source and reads it back through the game's reader.
  std::vector<Tri> RoundTrip(const std::string& text) {
    const models::Mesh mesh = models::ReadModel(Write(text), palette_);
    platform::rm::MeshData data;
    EXPECT_EQ(platform::rm::ReadXMesh(models::XFileText(mesh, "test-model"), &data),
              platform::kOk);
    return TrianglesOf(data);
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

TEST_F(ModelSource, ShapesAreClosedAndFaceOutward) {
  // A concave L-shaped prism, a lathed cup, a stroke with a corner: each a
  // closed solid of the right volume once read back.
  struct Case {
    const char* text;
    double volume;
  };
  const Case cases[] = {
      {"extrude red z 0 2 : 0 0  3 0  3 1  1 1  1 3  0 3\n", 2 * 5.0},
      {"box red -1 -1 -1  1 2 3\n", 2 * 3 * 4.0},
      {"stroke red x 0 1 1 : 0 0  4 0  4 3\n", 7.0},  // 7 long, 1 wide
      {"cylinder red y 0 0 0  1 0 2 64\n", 2 * 3.14159 * 0.995},  // polygon area
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_NEAR(SignedVolume6(RoundTrip(c.text)) / 6, c.volume, 0.05);
  }
  // A one-sided disc drawn top centre outward faces down, inward faces up.
  const auto down = RoundTrip("lathe red y 0 0 0 8 : 0 1  2 1\n");
  const auto up = RoundTrip("lathe red y 0 0 0 8 : 2 1  0 1\n");
  EXPECT_LT(platform::rm::Cross(down[0][1] - down[0][0], down[0][2] - down[0][0]).y, 0);
  EXPECT_GT(platform::rm::Cross(up[0][1] - up[0][0], up[0][2] - up[0][0]).y, 0);
}

TEST_F(ModelSource, OffsetMovesLaterShapesOnly) {
  const auto tris = RoundTrip("box red 0 0 0 1 1 1\noffset 10 0 0\nbox red 0 0 0 1 1 1\n");
  const Box3 b = BoundsOf(tris);
  EXPECT_EQ(b.min.x, 0);
  EXPECT_EQ(b.max.x, 11);
}

}  // namespace
}  // namespace model_test
