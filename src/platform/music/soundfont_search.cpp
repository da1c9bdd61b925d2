#include "platform/music/soundfont_search.h"

#include <filesystem>
#include <system_error>

namespace platform::music {

namespace {

namespace fs = std::filesystem;

// Debian's General MIDI fonts: the configured one first, then the
// alternative the packages point at, then the packaged files by name (the
// last two folders are where other distributions keep theirs).
constexpr const char* kSystemSoundFonts[] = {
    kDefaultSoundFont,
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/MuseScore_General.sf2",
    "/usr/share/sounds/sf3/MuseScore_General.sf3",
    "/usr/share/sounds/sf3/FluidR3Mono_GM.sf3",
    "/usr/share/soundfonts/default.sf2",
    "/usr/share/soundfonts/FluidR3_GM.sf2",
};

struct Attempt {
  std::string path;
  std::string why;
};

std::string Join(const std::vector<Attempt>& attempts, const char* separator) {
  std::string text;
  for (const Attempt& a : attempts) text += (text.empty() ? "" : separator) + a.path + ": " + a.why;
  return text;
}

}  // namespace

std::vector<std::string> SoundFontSearchOrder(const std::string& requested, const std::string& root) {
  std::vector<std::string> order;
  if (!requested.empty()) order.push_back(requested);
  for (const char* path : kSystemSoundFonts) order.push_back(root + path);
  return order;
}

SoundFontChoice LoadFirstSoundFont(const std::vector<std::string>& candidates, bool requested,
                                   const std::function<std::string(const std::string&)>& load) {
  std::vector<Attempt> tried;   // every candidate, for the line when none loads
  std::vector<Attempt> failed;  // the ones worth naming even when another loads
  std::vector<fs::path> seen;
  SoundFontChoice choice;
  for (std::size_t i = 0; i < candidates.size() && choice.loaded.empty(); ++i) {
    const std::string& path = candidates[i];
    const bool asked = requested && i == 0;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) {
      tried.push_back({path, "no such file"});
      if (asked) failed.push_back(tried.back());
      continue;
    }
    if (!fs::is_regular_file(status)) {
      tried.push_back({path, "not a regular file"});
      failed.push_back(tried.back());
      continue;
    }
    const fs::path real = fs::canonical(path, error);
    bool again = false;
    for (const fs::path& s : seen) again = again || (!error && s == real);
    if (again) continue;
    if (!error) seen.push_back(real);
    std::string why = load(path);
    if (why.empty()) {
      choice.loaded = path;
      break;
    }
    tried.push_back({path, why});
    failed.push_back(tried.back());
  }
  if (choice.loaded.empty()) {
    choice.message = "zarn: no SoundFont could be loaded, the music is silent (tried " + Join(tried, "; ") + ")";
  } else if (!failed.empty()) {
    choice.message = "zarn: " + Join(failed, "; ") + "; the music plays with " + choice.loaded;
  }
  return choice;
}

}  // namespace platform::music
