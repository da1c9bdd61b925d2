#pragma once
// Something a frame can show: a mesh builder or a shadow. A renderer walks a
// frame's Visuals() and dispatches on Kind().
#include "platform/ref.h"

namespace platform::rm {

enum class VisualKind { Mesh, Shadow };

class MeshBuilder;
class Shadow;

class Visual : public RefCounted {
 public:
  virtual VisualKind Kind() const = 0;

  // Null when the visual is of the other kind.
  const MeshBuilder* AsMesh() const;
  const Shadow* AsShadow() const;
  MeshBuilder* AsMesh();
  Shadow* AsShadow();

 protected:
  Visual() = default;
};

}  // namespace platform::rm
