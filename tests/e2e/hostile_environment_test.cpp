// What the world around the program may do to it: outputs that collide or
// are no files, closed or full standard streams, an end signal mid-run.
// Each ends in words and a status that says what happened, and no file is
// lost or left half-made.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "e2e/zarn_run.h"

namespace {

class HostileEnvironment : public Run {
 protected:
  // Runs the copy with the shell redirections given, in its own folder.
  int Shell(const std::string& command) {
    const int status = std::system(("cd '" + dir.string() + "' && " + environment + " ./zarn " + command).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  bool NoTemporaries() const {
    for (const auto& entry : fs::directory_iterator(dir))
      if (entry.path().filename().string().find(".tmp") != std::string::npos) return false;
    return true;
  }
};

TEST_F(HostileEnvironment, OutputsThatCollideOrAreNoFilesAreRefused) {
  Write("kept.json", "mine");
  fs::create_symlink("kept.json", dir / "link.json");
  const char* collisions[] = {
      "--state x --screenshot x", "--state x --trail ./x", "--state link.json --trail kept.json",
      "--state zarn.ini",         "--trail zarn",          "--save-demo --screenshot demo.dat"};
  for (const char* args : collisions) {
    EXPECT_EQ(Zarn(std::string("--headless --turns 3 ") + args), 2) << args;
    EXPECT_NE(errors.find("names the same file as"), std::string::npos) << args << ": " << errors;
  }
  EXPECT_EQ(Slurp(dir / "kept.json"), "mine");

  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  fs::create_directory(dir / "folder");
  fs::create_symlink("/dev/null", dir / "null-link");  // followed, then refused
  for (const char* target : {"null-link", "pipe", "folder"}) {
    EXPECT_EQ(Zarn(std::string("--headless --turns 3 --trail ") + target), 73) << target;
    EXPECT_NE(errors.find(std::string(target) + ": is a"), std::string::npos) << errors;
  }
  EXPECT_TRUE(fs::is_fifo(dir / "pipe"));

  // Two runs writing one trail at once each write a temporary of their own:
  // the trail left is whole, one run's or the other's.
  const std::string run = environment + " ./zarn --headless --trail link.json --turns ";
  ASSERT_EQ(
      std::system(("cd '" + dir.string() + "' && (" + run + "50 & " + run + "60; r=$?; wait $! && exit $r)").c_str()),
      0);
  const std::string trail = Slurp(dir / "kept.json");
  const long lines = std::count(trail.begin(), trail.end(), '\n');
  EXPECT_EQ(lines, trail.find("--turns 50") != std::string::npos ? 51 : 61) << trail.substr(0, 100);
  EXPECT_TRUE(fs::is_symlink(dir / "link.json"));
  EXPECT_TRUE(NoTemporaries());
}

TEST_F(HostileEnvironment, ClosedAndFullStandardStreams) {
  // With standard error closed, the next file opened must not take its
  // place: nothing meant for the terminal lands in the trail.
  ASSERT_EQ(Shell("--headless --turns 5 --debug --trail t.txt 2>&-"), 0);
  std::istringstream lines(Slurp(dir / "t.txt"));
  std::string line;
  std::getline(lines, line);
  EXPECT_TRUE(line.starts_with("# zarn trail: ")) << line;
  for (int turn = 0; std::getline(lines, line); ++turn) EXPECT_EQ(line.substr(0, line.find(' ')), std::to_string(turn));

  for (const char* args : {"--help >&-", "--version >/dev/full", "--help >/dev/full"})
    EXPECT_EQ(Shell(std::string(args) + " 2>err.txt"), 74) << args;
  EXPECT_NE(Slurp(dir / "err.txt").find("cannot write to standard output"), std::string::npos);
  EXPECT_EQ(Shell("--version </dev/null >&- 2>&- 0<&-"), 74);
}

// SIGTERM mid-run ends it as Escape would: settings saved, outputs whole,
// the status a shell expects (128 + 15), nothing half-made left over.
TEST_F(HostileEnvironment, AnEndSignalEndsTheRunInOrder) {
  int errorPipe[2];
  ASSERT_EQ(::pipe(errorPipe), 0);
  const std::string exe = (dir / "zarn").string();
  const pid_t child = ::fork();
  if (child == 0) {
    ::chdir(dir.c_str());
    ::dup2(errorPipe[1], 2);
    ::close(errorPipe[0]);
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    ::execl(exe.c_str(), exe.c_str(), "--headless", "--turns", "2000000000", "--debug", "--state", "s.json", "--trail",
            "t.txt", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(errorPipe[1]);
  // The first debug line comes once the game is loading: the handlers are in place.
  char c = 0;
  while (::read(errorPipe[0], &c, 1) == 1 && c != '\n') {}
  ::kill(child, SIGTERM);
  while (::read(errorPipe[0], &c, 1) == 1) {}
  ::close(errorPipe[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by the signal itself, not in order";
  EXPECT_EQ(WEXITSTATUS(status), 128 + SIGTERM);
  EXPECT_NE(Slurp(dir / "zarn.ini").find("SPEED="), std::string::npos) << "settings saved";
  EXPECT_TRUE(Slurp(dir / "s.json").ends_with("}\n"));
  EXPECT_TRUE(Slurp(dir / "t.txt").starts_with("# zarn trail: "));
  EXPECT_TRUE(NoTemporaries());
}

}  // namespace
