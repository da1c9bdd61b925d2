#include "platform/os/file_access.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "support/scratch.h"

namespace os = platform::os;
namespace fs = std::filesystem;

namespace {

using test_support::FileContents;

TEST(FileAccess, OnlyRegularFilesWithinTheirCapAreRead) {
  const fs::path dir = test_support::ScratchFolder("file-access-read");
  std::ofstream(dir / "small.txt") << "hello";
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  struct Case {
    std::string path;
    os::FileRead::Status status;
    const char* why;
  };
  const Case cases[] = {
      {(dir / "small.txt").string(), os::FileRead::kOk, ""},
      {(dir / "absent").string(), os::FileRead::kMissing, "no such file"},
      {(dir / "small.txt/inner").string(), os::FileRead::kMissing, "no such file"},
      {dir.string(), os::FileRead::kRefused, "is a folder"},
      {(dir / "pipe").string(), os::FileRead::kRefused, "is a pipe"},  // returns at once, no writer needed
      {"/dev/zero", os::FileRead::kRefused, "is a device"},            // would never end
      {"", os::FileRead::kMissing, "no file name"},
  };
  for (const Case& c : cases) {
    const os::FileRead r = os::ReadRegularFile(c.path, os::FileKind::kDemo);
    EXPECT_EQ(r.status, c.status) << c.path;
    EXPECT_NE(r.why.find(c.why), std::string::npos) << c.path << ": " << r.why;
  }
  EXPECT_EQ(os::ReadRegularFile((dir / "small.txt").string(), os::FileKind::kDemo).bytes, "hello");

  const std::size_t cap = os::FileSizeLimit(os::FileKind::kSettings);
  std::ofstream(dir / "big.ini") << std::string(cap + 10, 'x');
  const os::FileRead refused = os::ReadRegularFile((dir / "big.ini").string(), os::FileKind::kSettings);
  EXPECT_EQ(refused.status, os::FileRead::kRefused);
  EXPECT_NE(refused.why.find(std::to_string(cap)), std::string::npos) << refused.why;
  const os::FileRead head =
      os::ReadRegularFile((dir / "big.ini").string(), os::FileKind::kSettings, os::Oversize::kReadHead);
  EXPECT_TRUE(head.Ok() && head.tooLarge);
  EXPECT_EQ(head.bytes.size(), cap);
  fs::remove_all(dir);
}

TEST(FileAccess, AtomicWritesReplaceOnlyWhatMayBeReplaced) {
  const fs::path dir = test_support::ScratchFolder("file-access-write");
  const fs::path out = dir / "out.json";
  std::string error;
  ASSERT_TRUE(os::WriteFileAtomically(out.string(), "one", &error)) << error;
  ASSERT_TRUE(os::WriteFileAtomically(out.string(), "two", &error)) << error;
  EXPECT_EQ(FileContents(out), "two");

  fs::permissions(out, fs::perms::owner_read);
  EXPECT_FALSE(os::WriteFileAtomically(out.string(), "three", &error));
  EXPECT_NE(error.find(out.string() + ": the file is read-only"), std::string::npos) << error;
  EXPECT_EQ(FileContents(out), "two");

  fs::create_directory(dir / "folder");
  EXPECT_FALSE(os::WriteFileAtomically((dir / "folder").string(), "x", &error));
  EXPECT_TRUE(fs::is_directory(dir / "folder")) << error;
  EXPECT_FALSE(os::WriteFileAtomically("/dev/null", "x", &error));
  EXPECT_NE(error.find("is a device"), std::string::npos) << error;
  EXPECT_FALSE(os::WriteFileAtomically((dir / "no folder" / "x").string(), "x", &error));
  EXPECT_NE(error.find("no folder/x"), std::string::npos) << error;
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 2) << "no temporary file left behind";
  fs::remove_all(dir);
}

}  // namespace
