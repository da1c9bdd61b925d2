#include "platform/joystick/controller_mappings.h"

#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/os/debug_output.h"
#include "platform/os/file_access.h"
#include "platform/os/user_folders.h"

namespace platform::joystick {

namespace {

constexpr std::string_view kPlatformField = "platform:";

// A line naming another platform belongs to another system's build of SDL,
// which ignores it there too; a line naming none is taken as ours.
bool ForThisPlatform(std::string_view line) {
  std::size_t at = line.find(kPlatformField);
  if (at == std::string_view::npos) return true;
  std::string_view rest = line.substr(at + kPlatformField.size());
  return rest.substr(0, rest.find(',')) == SDL_GetPlatform();
}

}  // namespace

std::string AddControllerMappings(std::string_view text) {
  int bad = 0, firstBad = 0;
  std::string firstWhy;
  int number = 0;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string line(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#' || !ForThisPlatform(line)) continue;
    if (SDL_GameControllerAddMapping(line.c_str()) >= 0) continue;
    if (bad++ == 0) {
      firstBad = number;
      firstWhy = SDL_GetError();
    }
  }
  if (bad == 0) return "";
  std::string lines = bad == 1 ? "1 line is" : std::to_string(bad) + " lines are";
  return lines + " not a controller mapping and skipped (first: line " + std::to_string(firstBad) + ": " + firstWhy +
         ")";
}

std::string AddControllerMappingFile(const std::string& path) {
  os::FileRead file = os::ReadRegularFile(path, os::FileKind::kControllerMappings);
  if (file.status == os::FileRead::kMissing) return "";
  if (!file.Ok()) return "not read (" + file.why + "); pads it would map read as plain joysticks";
  return AddControllerMappings(file.bytes);
}

void AddPlayerControllerMappings() {
  std::string path = os::ExecutableFolder() + kMappingFileName;
  std::error_code ignored;
  if (!std::filesystem::exists(path, ignored)) path = os::UserPlace(kMappingFileName, os::UserFolder::kConfig);
  std::string wrong = path.empty() ? "" : AddControllerMappingFile(path);  // "": no home to look in
  if (!wrong.empty()) os::ReportRefusedFile(path, wrong);
  if (const char* config = std::getenv("SDL_GAMECONTROLLERCONFIG")) {
    wrong = AddControllerMappings(config);
    if (!wrong.empty()) os::ReportRefusedFile("SDL_GAMECONTROLLERCONFIG", wrong);
  }
}

}  // namespace platform::joystick
