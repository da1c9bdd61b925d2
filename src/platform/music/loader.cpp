#include "platform/music/loader.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/music/music_result.h"
#include "platform/os/debug_output.h"

namespace platform::music {

namespace {

HResult Refuse(const std::string& path, const std::string& why, HResult code) {
  os::OutputDebugString("music: " + path + ": " + why + "\n");
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

  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return Refuse(shown, "no such file", kMusicFileNotFound);
  std::ifstream in(path, std::ios::binary);
  if (!in) return Refuse(shown, "cannot be opened", kMusicFileNotFound);
  // The size is known before anything is read, so a huge file costs nothing.
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) return Refuse(shown, "cannot be read", kMusicFileNotFound);
  if (static_cast<std::uint64_t>(size) > kMaxMidiFileBytes) return Refuse(shown, "file too large", kMusicBadFile);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return Refuse(shown, "cannot be read", kMusicFileNotFound);

  const MidiFileInfo info = CheckMidiFile(bytes);
  if (!info.valid) return Refuse(shown, info.error, kMusicBadFile);
  *segment = MakeRef<Segment>(fileName, std::move(bytes), info);
  return kOk;
}

}  // namespace platform::music
