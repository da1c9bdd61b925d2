#pragma once
// INI ("private profile") files read and written the way the Windows profile
// calls do: [section] headers, key=value lines, names matched without regard
// to ASCII case. docs/ini-files.md lists every rule and the choices made.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "platform/os/file_access.h"

namespace platform::os {

// Only this many leading bytes of a file are read; a larger file is never
// rewritten, so that an update cannot drop what lies beyond.
inline constexpr std::size_t kProfileSizeLimit = FileSizeLimit(FileKind::kSettings);

// The value of `key` in the first `section` of the file, with surrounding
// blanks and one pair of matching quotes removed, cut to bufferSize - 1
// characters (bufferSize counts the terminator, as the Windows call does).
// A missing file, section or key gives defaultValue without its trailing
// spaces, cut the same way. Unreadable or odd files read as missing.
std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    std::size_t bufferSize, const std::string& path);

// Sets `key` to `value` in `section`, creating the file or section when
// missing; every other byte of the file is kept. The file is replaced as
// WriteFileAtomically does, so a failure leaves the old file as it was and a
// read-only file is never replaced. On failure returns false and, when
// error is given, stores one line naming the path and the reason.
bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               const std::string& path, std::string* error = nullptr);

// Sets several keys of one section as WritePrivateProfileString sets one,
// in a single replacement of the file: all of them or, on failure, none.
// A file in UTF-16 is read as missing and never rewritten.
struct ProfileKey {
  std::string_view key, value;
};
bool WritePrivateProfileKeys(std::string_view section, std::span<const ProfileKey> keys, const std::string& path,
                             std::string* error = nullptr);

}  // namespace platform::os
