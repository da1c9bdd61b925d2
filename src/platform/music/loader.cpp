#include "platform/music/loader.h"

#include <filesystem>
#include <system_error>

#include "platform/music/music_result.h"
#include "platform/os/debug_output.h"
#include "platform/os/file_access.h"

namespace platform::music {

namespace {

HResult Refuse(const std::string& path, const std::string& why, HResult code) {
  os::OutputDebugString("music: " + path + ": " + why + "\n");
  // A file that is there but unusable is named (the game plays on in
  // silence); a missing one stays as quiet as the game always kept it.
  if (code != kMusicFileNotFound) os::ReportRefusedFile(path, why);
  return code;
}

}  // namespace

HResult CreateLoader(Ref<Loader>* loader) {
  if (!loader) return kEInvalidArg;
  *loader = MakeRef<Loader>();
  return kOk;
}

bool CurrentDirectory(std::string* directory) {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::current_path(error);
  if (error || !directory) return false;
  *directory = path.string();
  return true;
}

HResult Loader::SetSearchDirectory(const std::string& directory) {
  directory_ = directory;
  return kOk;
}

HResult Loader::GetObject(const std::string& fileName, Ref<Segment>* segment) {
  if (!segment) return kEInvalidArg;
  segment->reset();
  std::filesystem::path path(fileName);
  if (path.is_relative() && !directory_.empty()) path = std::filesystem::path(directory_) / path;
  const std::string shown = path.string();

  const os::FileRead file = os::ReadRegularFile(shown, os::FileKind::kMidi);
  if (file.status == os::FileRead::kMissing) return Refuse(shown, file.why, kMusicFileNotFound);
  if (!file.Ok()) return Refuse(shown, file.why, kMusicBadFile);
  std::vector<std::uint8_t> bytes(file.bytes.begin(), file.bytes.end());
  const MidiFileInfo info = CheckMidiFile(bytes);
  if (!info.valid) return Refuse(shown, info.error, kMusicBadFile);
  *segment = MakeRef<Segment>(fileName, std::move(bytes), info);
  return kOk;
}

}  // namespace platform::music
