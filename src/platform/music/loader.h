#pragma once
// The loader: finds segment files by name in its search directory, reads
// them (bounded) and checks them before anything plays them.
#include <string>

#include "platform/music/segment.h"
#include "platform/ref.h"
#include "platform/result.h"

namespace platform::music {

class Loader : public RefCounted {
 public:
  HResult SetSearchDirectory(const std::string& directory);
  const std::string& SearchDirectory() const { return directory_; }
  // A bare name is looked up in the search directory; failures leave
  // segment null and say why in the debug output.
  HResult GetObject(const std::string& fileName, Ref<Segment>* segment);

 private:
  std::string directory_;
};

HResult CreateLoader(Ref<Loader>* loader);

// The process's current directory; false when it cannot be had.
bool CurrentDirectory(std::string* directory);

}  // namespace platform::music
