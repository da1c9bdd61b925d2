#pragma once
// A viewport: a rectangle of a device seen through a camera frame. Clear
// paints the scene background and resets depth; Render draws a frame tree.
// Perspective projection with uniform scaling: the field is the half-size of
// the view at the front plane along the larger of width and height.
#include <cstdint>

#include "platform/ref.h"
#include "platform/result.h"
#include "platform/rm/color.h"
#include "platform/rm/device.h"
#include "platform/rm/frame.h"
#include "platform/rm/render_context.h"

namespace platform::rm {

class Viewport : public RefCounted {
 public:
  // The rectangle must lie inside the device (kErrBadValue); the device and
  // the camera must be given (kErrBadObject).
  static HResult Create(Ref<Device> device, Ref<Frame> camera, int x, int y, int width, int height, Ref<Viewport>* out);

  Frame* GetCamera() const { return camera_.get(); }
  HResult SetCamera(Ref<Frame> camera);
  // Planes and field must be finite and positive, the back plane beyond the
  // front one (kErrBadValue otherwise, nothing changes).
  float GetBack() const { return back_; }
  HResult SetBack(float back);
  float GetFront() const { return front_; }
  HResult SetFront(float front);
  float GetField() const { return field_; }
  HResult SetField(float field);

  // Fills the rectangle with the background of the camera's scene (of the
  // last rendered scene when there is no camera) and resets its depth.
  HResult Clear();
  // Draws frame and its descendants with the lights found among them.
  HResult Render(const Frame* frame);
  // Marks an area to be redrawn. Pictures are drawn whole, so this only
  // checks the rectangle.
  HResult ForceUpdate(int x1, int y1, int x2, int y2);

  // The pixel a world point lands on; false behind the front plane.
  bool Project(Vec3 world, float* px, float* py) const;

 private:
  Viewport() = default;
  Projection MakeProjection() const;

  Ref<Device> device_;
  Ref<Frame> camera_;
  int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
  float front_ = 1.0f, back_ = 100.0f, field_ = 0.5f;
  Color lastBackground_{0, 0, 0, 1};
  RenderScratch scratch_;
  RenderContext ctx_;
  std::vector<const Frame*> stack_;
};

}  // namespace platform::rm
