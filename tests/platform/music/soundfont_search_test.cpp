// The SoundFont search on a made-up system: which files reach the loader, in
// which order, and what the player is told.
#include "platform/music/soundfont_search.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "support/scratch.h"

namespace {

namespace fs = std::filesystem;
using platform::music::LoadFirstSoundFont;
using platform::music::SoundFontSearchOrder;

TEST(SoundFontSearch, TheAskedForFontThenTheSystemsInOrderNamingWhatFailed) {
  const fs::path root = test_support::ScratchFolder("soundfonts");
  const std::string r = root.string(), sf2 = r + "/usr/share/sounds/sf2/", sf3 = r + "/usr/share/sounds/sf3/";
  fs::create_directories(sf2);
  fs::create_directories(sf3);
  // Made-up fonts: "GOOD" loads, anything else is refused. Our configured
  // font is broken and default-GM.sf2 links to it; the sf3 alternative is a
  // FIFO, which must never be opened (it would block).
  std::ofstream(sf2 + "TimGM6mb.sf2") << "junk";
  fs::create_symlink(sf2 + "TimGM6mb.sf2", sf2 + "default-GM.sf2");
  ASSERT_EQ(::mkfifo((sf3 + "default-GM.sf3").c_str(), 0600), 0);
  std::ofstream(sf2 + "FluidR3_GM.sf2") << "GOOD";
  std::vector<std::string> loads;
  auto search = [&](const std::string& requested) {
    loads.clear();
    return LoadFirstSoundFont(SoundFontSearchOrder(requested, r), !requested.empty(), [&](const std::string& path) {
      loads.push_back(path);
      std::string bytes;
      std::ifstream(path) >> bytes;
      return bytes == "GOOD" ? std::string() : std::string("not a SoundFont");
    });
  };

  // Asked for a missing file: named, and the search goes on.
  auto choice = search(r + "/mine.sf2");
  EXPECT_EQ(choice.loaded, sf2 + "FluidR3_GM.sf2");
  EXPECT_EQ(loads, (std::vector<std::string>{sf2 + "TimGM6mb.sf2", sf2 + "FluidR3_GM.sf2"}));
  EXPECT_EQ(choice.message, "zarn: " + r + "/mine.sf2: no such file; " + sf2 + "TimGM6mb.sf2: not a SoundFont; " + sf3 +
                                "default-GM.sf3: not a regular file; the music plays with " + sf2 + "FluidR3_GM.sf2");

  // Nothing loads: one line naming every place looked at, the missing too.
  std::ofstream(sf2 + "FluidR3_GM.sf2") << "junk";
  choice = search("");
  EXPECT_EQ(choice.loaded, "");
  EXPECT_EQ(choice.message.rfind("zarn: no SoundFont could be loaded, the music is silent (tried " + sf2, 0), 0u);
  EXPECT_TRUE(choice.message.ends_with("/usr/share/soundfonts/FluidR3_GM.sf2: no such file)")) << choice.message;
  fs::remove_all(root);
}

}  // namespace
