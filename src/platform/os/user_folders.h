#pragma once
// Where the program keeps what it writes when its own folder is not its to
// write (an installed game): the XDG base folders, with their usual fallbacks
// under $HOME.
#include <string>

namespace platform::os {

enum class UserFolder { kConfig, kData };

// The executable's folder with its trailing '/', from its full path: never
// cut short by a fixed buffer, so a long path cannot name another folder.
std::string ExecutableFolder();

// The executable's name without extension ("zarn" when the system cannot
// give its path).
std::string ProgramName();

// Where to write `fileName`: beside the executable when that folder can be
// written; otherwise "<folder>/<program>/<fileName>" in the user's config or
// data folder, which may not exist yet (MakeFolderFor makes it when the file
// is written). "" when neither can be had (the folder not writable, no XDG
// variable and no HOME).
std::string PlaceToWrite(const std::string& fileName, UserFolder fallback);
// Makes the folder `path` lies in, with its parents, when missing. Only the
// writers of the game's own files call it, so a run that writes nothing
// leaves the user's folders as they were; a failure shows when the file is
// written.
void MakeFolderFor(const std::string& path);
// "<folder>/<program>/<fileName>" in the user's config or data folder,
// whether or not it exists; nothing is created. "" when there is no such
// folder (no XDG variable and no HOME).
std::string UserPlace(const std::string& fileName, UserFolder folder);
// Where to read it: beside the executable when it lies there, else where it
// would be written. An installed game reads the user's folder first, then
// its data folder.
std::string PlaceToRead(const std::string& fileName, UserFolder fallback);

// The user's pictures folder (XDG_PICTURES_DIR, as set or as user-dirs.dirs
// names it, else ~/Pictures), which may not exist yet; "" (the working
// folder) when there is no home folder to find it by.
std::string PicturesFolder();

}  // namespace platform::os
