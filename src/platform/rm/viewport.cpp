#include "platform/rm/viewport.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/rm/mesh_builder.h"
#include "platform/rm/raster/target.h"
#include "platform/rm/rm_result.h"
#include "platform/rm/shadow.h"
#include "platform/rm/worker_pool.h"

namespace platform::rm {
namespace {

bool Positive(float v) { return std::isfinite(v) && v > 0.0f; }

unsigned Channel(float c) { return static_cast<unsigned>(ClampColor({c, 0, 0, 0}).r * 255.0f + 0.5f); }

}  // namespace

HResult Viewport::Create(Ref<Device> device, Ref<Frame> camera, int x, int y, int width, int height,
                         Ref<Viewport>* out) {
  if (!out) return kEInvalidArg;
  *out = nullptr;
  if (!device || !camera) return kErrBadObject;
  if (x < 0 || y < 0 || width <= 0 || height <= 0 || width > device->Width() - x || height > device->Height() - y)
    return kErrBadValue;
  Ref<Viewport> v(new Viewport);
  v->device_ = std::move(device);
  v->camera_ = std::move(camera);
  v->x_ = x;
  v->y_ = y;
  v->width_ = width;
  v->height_ = height;
  *out = std::move(v);
  return kOk;
}

HResult Viewport::SetCamera(Ref<Frame> camera) {
  if (!camera) return kErrBadObject;
  camera_ = std::move(camera);
  return kOk;
}

HResult Viewport::SetBack(float back) {
  if (!Positive(back) || !(back > front_)) return kErrBadValue;
  back_ = back;
  return kOk;
}

HResult Viewport::SetFront(float front) {
  if (!Positive(front) || !(front < back_)) return kErrBadValue;
  front_ = front;
  return kOk;
}

HResult Viewport::SetField(float field) {
  if (!Positive(field)) return kErrBadValue;
  field_ = field;
  return kOk;
}

Projection Viewport::MakeProjection() const { return Projection::For(x_, y_, width_, height_, field_, front_, back_); }

HResult Viewport::Clear() {
  if (device_->SurfacesLost()) return kOk;
  Color bg = camera_ ? camera_->GetScene()->GetSceneBackground() : lastBackground_;
  device_->DeferClear(x_, y_, width_, height_, Channel(bg.r), Channel(bg.g), Channel(bg.b));
  return kOk;
}

void StopBanding(RenderContext& ctx) {
  RenderScratch& s = *ctx.scratch;
  s.painter.FinishClear();
  if (s.clearing) raster::Clear(ctx.target, s.clearR, s.clearG, s.clearB, true, true);
  s.clearing = false;
  s.opaque.DrawAll(ctx.target);
  s.opaque.Clear();
  s.banded = false;
}

HResult Viewport::Render(const Frame* frame) {
  if (!frame || !camera_) return kErrBadObject;
  lastBackground_ = frame->GetScene()->GetSceneBackground();
  if (device_->SurfacesLost()) return kOk;
  RenderContext& ctx = ctx_;
  RenderScratch& s = scratch_;
  s.clearing = device_->TakeClear(x_, y_, width_, height_, &s.clearR, &s.clearG, &s.clearB);
  ctx.target = device_->MakeTarget(x_, y_, width_, height_, s.clearing);
  // The rows this render writes count as dirty once it is done, however it
  // ends (see raster::ClearedRows).
  struct SettleRows {
    raster::ClearedRows* rows;
    ~SettleRows() {
      if (rows) rows->Settle();
    }
  } settleDepth{ctx.target.depthRows}, settleColor{ctx.target.colorRows};
  ctx.projection = MakeProjection();
  ctx.deviceQuality = device_->GetQuality();
  ctx.blended = (device_->GetRenderMode() & kRenderModeBlendedTransparency) != 0;
  ctx.device = device_.get();
  ctx.scratch = &scratch_;
  ctx.lights.Clear();
  scratch_.transparent.Clear();
  scratch_.shadows.Clear();
  s.opaque.Clear();
  // The clear and the opaque faces go band by band only where the colour
  // and depth are too large to stay in the cache from one pass to the next
  // anyway (8 MB and more; 1080p has 14 MB), and where translucent faces or
  // shadows will be blended over them, as they were last time: otherwise
  // queueing many small faces costs more than it saves (the anchor scene:
  // 6 % at 800x600x16, 7 % at 1080p). Translucent faces and shadows always
  // go by bands. When several threads share the picture, every face is
  // queued, and the opaque ones not drawn band by band are drawn a
  // thread's run of bands at a time.
  const raster::Target& t = ctx.target;
  const std::int64_t frameBytes = std::int64_t{t.x1 - t.x0} * (t.y1 - t.y0) * (t.bitsPerPixel / 8 + 4);
  const int threads = device_->Threads();
  const int rows = BandPainter::BandRows(t, device_->BandBytes(), threads);
  const bool shared = threads > 1 && t.y1 - t.y0 > rows;
  const bool opaqueByBands = frameBytes >= device_->BandedFrameBytes() && s.blendedLastTime;
  s.banded = true;
  if (!t.Valid() || !ctx.projection.Valid() || (!shared && !opaqueByBands)) {
    StopBanding(ctx);
  } else if (shared && !opaqueByBands && s.clearing && !s.meshInPartsLastTime) {
    // Nothing is drawn before the runs: another thread clears meanwhile.
    // But where the last render set up a large mesh on every thread, the
    // picture is cleared by the runs, each its own rows, so that the
    // threads are free for the mesh: its whole vertex stage goes in parts,
    // which at 1080p gains more than the clear aside.
    s.painter.ClearAside(t, raster::PlanClear(t, s.clearR, s.clearG, s.clearB, true, true));
    s.clearing = false;
  }
  if (!t.Valid() || !ctx.projection.Valid()) return kOk;
  // The threads that will share the picture wake while this one sets up
  // the faces.
  if (shared) WorkerPool::Shared().Expect();

  const Matrix worldToCamera = camera_->WorldMatrix().RigidInverse();
  // First the lights of the whole tree, then the visuals.
  stack_.assign(1, frame);
  while (!stack_.empty()) {
    const Frame* f = stack_.back();
    stack_.pop_back();
    if (!f->Lights().empty()) {
      const Matrix& w = f->WorldMatrix();
      for (const Ref<Light>& l : f->Lights()) ctx.lights.Add(*l, w.origin, w.z, worldToCamera);
    }
    for (const Ref<Frame>& c : f->Children()) stack_.push_back(c.get());
  }
  stack_.assign(1, frame);
  while (!stack_.empty()) {
    const Frame* f = stack_.back();
    stack_.pop_back();
    if (!f->Visuals().empty()) {
      const Matrix& world = f->WorldMatrix();
      const Matrix toCamera = world * worldToCamera;
      for (const Ref<Visual>& v : f->Visuals()) {
        if (const MeshBuilder* mesh = v->AsMesh())
          DrawMeshInstance(ctx, *mesh, toCamera);
        else if (const Shadow* shadow = v->AsShadow())
          DrawShadowInstance(ctx, *shadow, world, worldToCamera);
      }
    }
    for (const Ref<Frame>& c : f->Children()) stack_.push_back(c.get());
  }
  // Band by band: the clear, the opaque faces in the order drawn, then the
  // translucent faces and the shadows back to front. Every pixel sees them
  // in the same order as drawn whole one after another.
  const BandPainter::Lists lists = {&s.opaque, &s.transparent.StartWalks(t), &s.shadows.StartWalks(t)};
  for (BandWalks* l : lists) l->Begin(t, rows, l == &s.opaque && !opaqueByBands);
  raster::ClearPlan clear;
  if (s.clearing) clear = raster::PlanClear(t, s.clearR, s.clearG, s.clearB, true, true);
  s.painter.Paint(t, lists, s.clearing ? &clear : nullptr, rows, threads, opaqueByBands);
  s.clearing = false;
  s.blendedLastTime = !s.transparent.Empty() || !s.shadows.Empty();
  s.meshInPartsLastTime = s.meshInParts;
  s.meshInParts = false;
  s.opaque.Clear();
  s.transparent.Clear();
  s.shadows.Clear();
  return kOk;
}

HResult Viewport::ForceUpdate(int x1, int y1, int x2, int y2) { return x1 > x2 || y1 > y2 ? kErrBadValue : kOk; }

bool Viewport::Project(Vec3 world, float* px, float* py) const {
  if (!camera_) return false;
  Projection pr = MakeProjection();
  Vec3 c = camera_->WorldMatrix().RigidInverse().TransformPoint(world);
  if (!pr.Valid() || !(c.z >= pr.front)) return false;
  raster::ScreenVertex s = pr.Project({c, 0, 0, 0});
  if (px) *px = s.x;
  if (py) *py = s.y;
  return true;
}

}  // namespace platform::rm
