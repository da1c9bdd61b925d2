#pragma once
// Runs the built program the way a script or a player does, each run from a
// private copy of the executable so that its INI file is its own.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// How many stages the state file's run log records as won with the best
// verdict, among the stages matched by `stages` (a regex class, "[1-5]").
inline int StagesWonBest(const std::string& json, const std::string& stages) {
  const std::string log = json.substr(json.find("\"runLog\""));
  const std::regex won("\\{\"stage\": " + stages + R"(, "score": 100, "verdict": "Nice!! ", "turns": [1-9][0-9]*\})");
  return static_cast<int>(std::distance(std::sregex_iterator(log.begin(), log.end(), won), std::sregex_iterator()));
}

class Run : public ::testing::Test {
 public:
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("zarn-e2e-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy_file(ZARN_EXE, dir / "zarn");
  }
  void TearDown() override { fs::remove_all(dir); }

  // Runs the copy, by default in its own folder (no models there); returns
  // the exit code, stderr in `errors`. Files named in `args` are relative to
  // the working folder.
  int Zarn(const std::string& args, const fs::path& workingFolder = {}) {
    fs::path cwd = workingFolder.empty() ? dir : workingFolder;
    std::string cmd = "cd '" + cwd.string() + "' && " + environment + " '" + (dir / "zarn").string() + "' " + args +
                      " > '" + (dir / "stdout.txt").string() + "' 2> '" + (dir / "stderr.txt").string() + "'";
    int status = std::system(cmd.c_str());
    errors = Slurp(dir / "stderr.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  void Write(const std::string& name, const std::string& text) { std::ofstream(dir / name, std::ios::binary) << text; }

  fs::path dir;
  std::string errors;
  // Put before the command: by default a display the tests can count on.
  std::string environment = "SDL_VIDEODRIVER=dummy";
};

}  // namespace
