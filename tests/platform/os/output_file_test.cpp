#include "platform/os/output_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/os/file_access.h"
#include "support/scratch.h"

namespace os = platform::os;
namespace fs = std::filesystem;

namespace {

using test_support::FileContents;

// Links are written through, even to a file not there yet, and names are
// compared as the files they name.
TEST(OutputFile, LinksAreWrittenThroughEvenWhenTheyDangle) {
  const fs::path dir = test_support::ScratchFolder("output-links");
  fs::create_directory(dir / "sub");
  fs::create_symlink("sub/target.ini", dir / "dangling.ini");
  std::string error;
  ASSERT_TRUE(os::WriteFileAtomically((dir / "dangling.ini").string(), "x=1\n", &error)) << error;
  EXPECT_TRUE(fs::is_symlink(dir / "dangling.ini"));
  EXPECT_EQ(FileContents(dir / "sub" / "target.ini"), "x=1\n");

  EXPECT_TRUE(os::SameFile((dir / "dangling.ini").string(), (dir / "sub/../sub/target.ini").string()));
  EXPECT_FALSE(os::SameFile((dir / "dangling.ini").string(), (dir / "sub/other.ini").string()));
  fs::remove_all(dir);
}

// A run killed while writing leaves its temporary; the next start removes
// it, and only it: not a live process's, not another file's, not a name
// that merely looks alike.
TEST(OutputFile, OnlyTemporariesOfDeadRunsAreRemoved) {
  const fs::path dir = test_support::ScratchFolder("output-stale");
  const pid_t dead = ::fork();
  if (dead == 0) ::_exit(0);
  ::waitpid(dead, nullptr, 0);
  const std::string gone = std::to_string(dead), live = std::to_string(::getppid());
  const std::string stale = ".s.json.tmp" + gone + "-0";
  for (const std::string& name : {stale, ".s.json.tmp" + live + "-3", ".t.txt.tmp" + gone + "-0",
                                  ".s.json.tmp" + gone + "-x", "s.json.tmp" + gone + "-0", std::string("s.json")})
    std::ofstream(dir / name) << "x";
  EXPECT_EQ(os::RemoveStaleTemporaries((dir / "s.json").string()), 1);
  EXPECT_FALSE(fs::exists(dir / stale));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 5);

  os::OutputFile open;
  ASSERT_TRUE(open.Open((dir / "s.json").string(), nullptr));
  EXPECT_EQ(os::RemoveStaleTemporaries((dir / "s.json").string()), 0) << "our own, being written";
  open.Write("done");
  ASSERT_TRUE(open.Commit(nullptr));
  EXPECT_EQ(FileContents(dir / "s.json"), "done");
  fs::remove_all(dir);
}

}  // namespace
