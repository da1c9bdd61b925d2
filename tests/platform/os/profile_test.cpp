#include "platform/os/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace os = platform::os;
namespace fs = std::filesystem;

namespace {

template <std::size_t N>
std::string Bytes(const char (&text)[N]) {  // keeps embedded NULs
  return std::string(text, N - 1);
}

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zarn-profile-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    path_ = (dir_ / "game.ini").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Put(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
  std::string Contents() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string Get(std::string_view section, std::string_view key, std::string_view def = "none", std::size_t size = 50,
                  const std::string& path = {}) const {
    return os::GetPrivateProfileString(section, key, def, size, path.empty() ? path_ : path);
  }
  bool Set(std::string_view section, std::string_view key, std::string_view value, std::string* error = nullptr,
           const std::string& path = {}) {
    return os::WritePrivateProfileString(section, key, value, path.empty() ? path_ : path, error);
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(Get("Zarn_Section", "SPEED", "0  "), "0");
  Put("[Zarn_Section]\r\nSPEED=40\r\n");
  EXPECT_EQ(Get("Other", "SPEED", " -1 "), " -1");
  EXPECT_EQ(Get("Zarn_Section", "Key_[1]", "abcdef", 4), "abc");
  EXPECT_EQ(Get("Zarn_Section", "", "dflt"), "dflt");
}

TEST_F(ProfileTest, NamesIgnoreCaseAndBlanksAndFirstOccurrenceWins) {
  Put("  [ zarn_SECTION ]  ignored\n\t speed \t= 40 "
      "\nSPEED=2\n[T]\nk=t\n[Zarn_Section]\nlater=1\n");
  EXPECT_EQ(Get(" Zarn_Section\t", " SPEED "), "40");
  EXPECT_EQ(Get("Zarn_Section", "later"), "none");  // a repeated section is not searched
  EXPECT_EQ(Get("t", "K"), "t");
}

TEST_F(ProfileTest, ValueAndLineShapes) {
  Put("orphan=1\n[s]\nd=  \" in \"  \ns='one'\nmixed=\"a'\nlone=\"\nnested=\"'x'\"\n"
      "no equals\n;c=1\nsemi=;kept\na=b=c\n[open\nk=v\n");
  const std::pair<const char*, const char*> cases[] = {{"d", " in "},  {"s", "one"},      {"mixed", "\"a'"},
                                                       {"lone", "\""}, {"nested", "'x'"}, {"no equals", "none"},
                                                       {";c", "none"}, {"semi", ";kept"}, {"a", "b=c"}};
  for (const auto& [key, want] : cases) EXPECT_EQ(Get("s", key), want) << key;
  EXPECT_EQ(Get("", "orphan"), "none");
  EXPECT_EQ(Get("open", "k"), "v");
}

TEST_F(ProfileTest, AllLineEndsAreRead) {
  for (const std::string eol : {"\r\n", "\n", "\r"}) {
    Put("\xEF\xBB\xBF[a]" + eol + "x=1" + eol + "[b]" + eol + "y=2" + eol + "z=3");
    EXPECT_EQ(Get("a", "x") + Get("a", "y") + Get("b", "y") + Get("b", "z"), "1none23");
  }
}

TEST_F(ProfileTest, GarbageNeverBreaksReading) {
  Put(Bytes("\x01\xFF\0[junk\0\n[s]\nbin=ab\0cd\nnext=\x80\xFE ok\n\0\0\0\n"));
  EXPECT_EQ(Get("s", "bin"), "ab");
  EXPECT_EQ(Get("s", "next"), "\x80\xFE ok");
  // Past the size limit nothing is read, and a line cut by it is not half-read.
  Put("[s]\nearly=1\nlong=" + std::string(3 << 20, 'x') + "\nlate=2\n");
  EXPECT_EQ(Get("s", "early") + Get("s", "long") + Get("s", "late"), "1nonenone");
  const std::string fifo = (dir_ / "pipe.ini").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(Get("s", "k", "d", 50, fifo), "d");  // returns instead of blocking
  EXPECT_EQ(Get("s", "k", "d", 50, dir_.string()), "d");
}

TEST_F(ProfileTest, WriteCreatesUpdatesAndAppendsKeepingOtherBytes) {
  ASSERT_TRUE(Set(" Zarn_Section ", " SPEED ", "40"));
  ASSERT_TRUE(Set("Zarn_Section", "Key_[1]", "-1"));
  EXPECT_EQ(Contents(), "[Zarn_Section]\r\nSPEED=40\r\nKey_[1]=-1\r\n");

  struct Case {
    std::string before, section, key, value, after;
  };
  const Case cases[] = {
      {"; notes\n[O]\nk=7\n\n[S]\n  K = 4  \nz=2\n", "s", "k", "6", "; notes\n[O]\nk=7\n\n[S]\nK=6\nz=2\n"},
      {"[a]\r\nx=1\r\n; c\r\n\r\n[b]\r\n", "a", "n", "v", "[a]\r\nx=1\r\nn=v\r\n; c\r\n\r\n[b]\r\n"},
      {"[e]\n\n[b]\n", "e", "k", "v", "[e]\nk=v\n\n[b]\n"},
      {"[a]\nx=1", "a", "y", "2", "[a]\nx=1\ny=2\n"},
      {"[a]\nz=1\n[A]\nz=3\n", "A", "z", "9", "[a]\nz=9\n[A]\nz=3\n"},
      {"[a]\rx=1\r", "b", "y", "2", "[a]\rx=1\r[b]\ry=2\r"},
      {Bytes("junk\0 x"), "s", "k", "v", Bytes("junk\0 x\r\n[s]\r\nk=v\r\n")},
      {"[s]\n k = 6 \n", "s", "K", "6", "[s]\n k = 6 \n"},
  };
  for (const Case& c : cases) {
    Put(c.before);
    ASSERT_TRUE(Set(c.section, c.key, c.value));
    EXPECT_EQ(Contents(), c.after);
    EXPECT_EQ(Get(c.section, c.key), c.value);
  }
}

TEST_F(ProfileTest, WriteFailuresReportAndLeaveTheOldFile) {
  Put("[s]\nk=1\n");
  std::string error;
  EXPECT_FALSE(Set("s", "k", "2", &error, path_ + "/inner.ini"));
  EXPECT_NE(error.find(path_ + "/inner.ini: "), std::string::npos) << error;
  EXPECT_NE(error.find("Not a directory"), std::string::npos) << error;
  EXPECT_FALSE(Set("s", "k", "2", &error, dir_.string()));
  EXPECT_NE(error.find("is a folder"), std::string::npos) << error;
  EXPECT_FALSE(Set("s", "k", "2", &error, (dir_ / "gone/x.ini").string()));
  EXPECT_NE(error.find("No such file"), std::string::npos) << error;
  // Rewriting a file over the limit would drop its tail: refused.
  const std::string huge = "[s]\nk=1\n" + std::string(os::kProfileSizeLimit, 'z');
  Put(huge);
  EXPECT_FALSE(Set("s", "k", "2", &error));
  EXPECT_EQ(Contents(), huge);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1);  // no temporary left over
  // The owner's read-only file is read but never replaced, even by root.
  Put("[s]\nk=1\n");
  fs::permissions(path_, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_EQ(Get("s", "k"), "1");
  EXPECT_FALSE(Set("s", "k", "2", &error));
  EXPECT_NE(error.find("read-only"), std::string::npos) << error;
  EXPECT_TRUE(Set("s", "k", "1")) << "nothing to change, nothing to refuse";
  EXPECT_EQ(Contents(), "[s]\nk=1\n");
}

// Several keys go in one replacement, all or none; a file in an encoding
// that is not read (UTF-16) is neither read nor rewritten in another.
TEST_F(ProfileTest, SeveralKeysAreOneReplacementAndUtf16IsLeftAlone) {
  Put("[s]\nb=old\n");
  const os::ProfileKey good[] = {{"a", "1"}, {"b", "2"}}, bad[] = {{"a", "3"}, {"b=", "4"}};
  std::string error;
  EXPECT_FALSE(os::WritePrivateProfileKeys("s", bad, path_, &error));
  EXPECT_EQ(Contents(), "[s]\nb=old\n") << "the good key of a refused set is not written either";
  ASSERT_TRUE(os::WritePrivateProfileKeys("s", good, path_, &error)) << error;
  EXPECT_EQ(Contents(), "[s]\nb=2\na=1\n");

  const std::string utf16 = Bytes("\xFF\xFE[\0s\0]\0\n\0b\0=\0\x37\0\n\0");
  Put(utf16);
  EXPECT_EQ(Get("s", "b"), "none");
  EXPECT_FALSE(os::WritePrivateProfileKeys("s", good, path_, &error));
  EXPECT_NE(error.find("UTF-16"), std::string::npos) << error;
  EXPECT_EQ(Contents(), utf16);
}

}  // namespace
