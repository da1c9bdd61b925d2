#include "scene/scene_layout.h"

#include "scene/place.h"

namespace scene {

using platform::rm::Vec3;

namespace {

template <std::size_t N>
void AddProbes(std::vector<FrameSpec>& out, std::array<Ref<Frame>, N>& probes, Ref<Frame>& parent,
               std::initializer_list<Vec3> offsets) {
  std::size_t i = 1;
  for (Vec3 p : offsets) out.push_back({&probes[i++], &parent, &parent, p});
}

}  // namespace

std::vector<FrameSpec> FrameSpecs(SceneObjects& o) {
  Ref<Frame>* root = &o.sceneRoot;
  std::vector<FrameSpec> f = {
      {&o.baseFrame, root, root, {15, 0.1f, 0}},
      {&o.anchorFrame, root, root, {0, 0, 0}},
      {&o.tableCenterFrame, root, root, {0, 0, 40}},
      {&o.fallRefFrame, root, root, {-50, 0, -100}},
      {&o.resultTargetFrame, root, root, {0, 0, 0}},
      {&o.stageCenterFrame, root, root, {0, 0, 0}},
      {&o.bodyFrame, &o.baseFrame, &o.baseFrame, {0, 3, 0}},
      {&o.arm1Frame, &o.bodyFrame, &o.bodyFrame, {0, 0, -2}},
      {&o.arm2Frame, &o.arm1Frame, &o.arm1Frame, {0, 11.5f, -7.4f}},
      {&o.bucketFrame, &o.arm2Frame, &o.arm2Frame, {0, 0.1f, -7.7f}},
      {&(o.*kTireSlots[0]), &o.baseFrame, &o.baseFrame, kTireOffsets[0]},
      {&(o.*kTireSlots[1]), &o.baseFrame, &o.baseFrame, kTireOffsets[1]},
      {&(o.*kTireSlots[2]), &o.baseFrame, &o.baseFrame, kTireOffsets[2]},
      {&(o.*kTireSlots[3]), &o.baseFrame, &o.baseFrame, kTireOffsets[3]},
      {&o.coffeeJarFrame, root, root, {-62, -30, 35}},
      {&o.coffeeInFrame, &o.anchorFrame, root, {-62, -30, 35}},
      {&o.coffeeIn2Frame, &o.anchorFrame, root, {-62, -30, 35}},
      {&o.coffeeMarkFrame, &o.coffeeJarFrame, root, {-62, -30, 35}},
      {&o.coffeeRFrame, &o.coffeeJarFrame, root, {-62, -32, 35}},
      {&o.milkJarFrame, root, root, {62, -30, 45}},
      {&o.milkInFrame, &o.anchorFrame, root, {62, -30, 45}},
      {&o.milkIn2Frame, &o.anchorFrame, root, {62, -30, 45}},
      {&o.milkMarkFrame, root, root, {62, -30, 45}},
      {&o.milkRFrame, root, root, {62, -30, 45}},
      {&o.cupFrame, root, root, {-15, -21, -20}},
      {&o.cupContentFrame, root, &o.cupFrame, {0, 1000, 0}},
      {&o.glassFrame, root, root, {15, -20, -20}},
      {&o.glassContentFrame, root, &o.glassFrame, {0, 1000, 0}},
      {&o.sugarJarFrame, root, root, {0, -33, 98}},
      {&o.sugarMidFrame, root, root, {0, -33, 98}},
      {&o.sugarLowFrame, root, root, {0, -33, 98}},
      {&o.sugarMarkFrame, root, root, {0, -33, 98}},
      {&o.sugarInFrame, &o.anchorFrame, root, {0, -33, 98}},
      {&o.sugarIn2Frame, &o.anchorFrame, root, {0, -33, 98}},
      {&o.carryCoffeeFrame, &o.bodyFrame, &o.anchorFrame, {0, 2000, 0}},
      {&o.carryMilkFrame, &o.bodyFrame, &o.anchorFrame, {0, 2000, 0}},
      {&o.carrySugarFrame, &o.bodyFrame, &o.anchorFrame, {0, 2000, 0}},
      {&o.tableAFrame, root, root, {0, -30, 40}},
      {&o.tableBFrame, root, root, {0, -30, 40}},
      {&o.tableCFrame, root, root, {0, -30, 40}},
      {&o.tableDFrame, root, root, {0, -30, 40}},
      {&o.dish1Frame, root, root, {4, 1, 55}},
      {&o.dish2Frame, root, root, {-20, 1, 20}},
      {&o.dish3Frame, root, root, {-20, 1, 20}},
      {&o.cakeFrame, root, root, {2, 1, 55}},
      {&o.cake2Frame, root, root, {-22, 1, 20}},
      {&o.spoonFrame, root, root, {14, 1, 20}},
      {&o.t1Frame, root, root, {0, 3035, 68}},
      {&o.t2Frame, root, root, {0, 3035, 30}},
      {&o.t3Frame, root, root, {0, 2995, 53}},
      {&o.t4Frame, root, root, {0, 2995, 15}},
      {&o.t5Frame, root, root, {0, 2995, -23}},
  };
  AddProbes(
      f, o.bucketProbe, o.bucketFrame,
      {{-1.8f, -1, -4.3f},   {1.8f, -1, -4.3f},    {-1.8f, -0.6f, -4.3f}, {1.8f, -0.6f, -4.3f}, {-1.8f, 0.3f, -3.8f},
       {1.8f, 0.3f, -3.8f},  {-1.8f, 2.2f, -1.9f}, {1.8f, 2.2f, -1.9f},   {-1.8f, 1.9f, -1},    {1.8f, 1.9f, -1},
       {-1.8f, 0.3f, 0.1f},  {1.8f, 0.3f, 0.1f},   {-1.8f, -0.4f, 0.1f},  {1.8f, -0.4f, 0.1f},  {-1.8f, -0.4f, -3.4f},
       {1.8f, -0.4f, -3.4f}, {-0.4f, 0.3f, 0.1f},  {0.4f, 0.3f, 0.1f},    {-0.4f, -0.4f, 0.1f}, {0.4f, -0.4f, 0.1f},
       {-1.8f, 0.3f, -3.4f}, {1.8f, 0.3f, -3.4f}});
  f.push_back({&o.bucketCenterFrame, &o.bucketFrame, &o.bucketFrame, {0, 0, 0.5f}});
  f.push_back({&o.bucketMouthFrame, &o.bucketFrame, &o.bucketFrame, {0, 0, -3.2f}});
  AddProbes(f, o.armProbe, o.arm2Frame,
            {{-0.4f, 0.9f, -7},
             {0.4f, 0.9f, -7},
             {-0.4f, 1.2f, 0},
             {0.4f, 1.2f, 0},
             {-0.4f, -0.1f, -7},
             {0.4f, -0.1f, -7},
             {-0.4f, -0.1f, -0.8f},
             {0.4f, -0.1f, -0.8f},
             {-0.4f, -0.1f, -8},
             {0.4f, -0.1f, -8},
             {-0.4f, 0.9f, -8},
             {0.4f, 0.9f, -8}});
  AddProbes(f, o.baseProbe, o.baseFrame,
            {{3.9f, 1.8f, -5.2f},
             {3.9f, 1.8f, 4.9f},
             {-3.9f, 1.8f, -5.2f},
             {-3.9f, 1.8f, 4.9f},
             {3.9f, 0, -5.2f},
             {3.9f, 0, 4.9f},
             {-3.9f, 0, -5.2f},
             {-3.9f, 0, 4.9f}});
  AddProbes(f, o.bodyProbe, o.bodyFrame,
            {{3.4f, 2.5f, -3},
             {3.4f, 2.5f, 6},
             {-3.4f, 2.5f, -3},
             {-3.4f, 2.5f, 6},
             {3.4f, 0, -3},
             {3.4f, 0, 6},
             {-3.4f, 0, -3},
             {-3.4f, 0, 6}});
  // A wheel probe stands where its wheel does.
  AddProbes(f, o.wheelProbe, o.baseFrame, {kTireOffsets[0], kTireOffsets[1], kTireOffsets[2], kTireOffsets[3]});
  AddProbes(f, o.tableCorner, o.sceneRoot, {{45, 0, -3}, {-45, 0, -3}, {45, 0, 81}, {-45, 0, 81}});
  return f;
}

std::vector<FrameSpec> CameraSpecs(SceneObjects& o) {
  Ref<Frame>* root = &o.sceneRoot;
  Ref<Frame>* body = &o.bodyFrame;
  std::vector<FrameSpec> c = {
      {&o.bucketWatchFrame, root, root, {24.5f, 20, -51}, true, root, {1, -0.3f, 0}, {0, 1, 0}},
      {&o.camera[1], root, root, {0, 50, 0}},
      {&o.camera[2], body, body, {0, 15, 25}, true, body, {0, -0.3f, -1}, {0, 1, 0}},
      {&o.camera[3], body, &o.baseFrame, {0, 10, 8}, true, body, {0, -0.3f, -1}, {0, 1, 0}},
      {&o.camera[4], body, body, {0, 60, 0}, true, body, {0, -1, 0}, {0, 0, -1}},
      {&o.camera[5], &o.arm1Frame, &o.bucketFrame, {25, 0, 2}},
      {&o.camera[6], body, body, {0, 0, 0}, true, root, {1, -0.3f, 0}, {0, 1, 0}},
      {&o.camera[7], body, body, {0, 0, 0}, true, root, {1, -0.3f, 0}, {0, 1, 0}},
      {&o.camera[8], &o.tableCenterFrame, &o.tableCenterFrame, {0, 0, 0}},
      {&o.camera[9], root, root, {0, 0, 0}},
      {&o.camera[10], &o.tableCenterFrame, &o.tableCenterFrame, {0, 0, 0}},
      {&o.resultCamera, root, root, {10, 100, 0}, true, root, {0, -1, 0}, {0, 0, -1}},
  };
  return c;
}

std::vector<ModelSpec> ModelSpecs(SceneObjects& o) {
  constexpr std::uint32_t kPot = 0x99FFFFFF;    // white, alpha 153
  constexpr std::uint32_t kTable = 0xD87F7FFF;  // light blue, alpha 216
  return {
      {"base.x", {&o.baseFrame}},
      {"body.x", {&o.bodyFrame}},
      {"arm2.x", {&o.arm2Frame}},
      {"arm1.x", {&o.arm1Frame}},
      {"shbl.x", {&o.bucketFrame}},
      {"tireL.x", {&o.tireFrontLeftFrame, &o.tireRearLeftFrame}},
      {"tireR.x", {&o.tireFrontRightFrame, &o.tireRearRightFrame}},
      {"ci.x", {&o.coffeeInFrame}},
      {"ci2.x", {&o.coffeeIn2Frame}},
      {"cb.x", {&o.coffeeJarFrame}, kPot},
      {"cr.x", {&o.coffeeRFrame}},
      {"cf.x", {}, 0, &o.coffeeMarkMesh},
      {"mi.x", {&o.milkInFrame}},
      {"mi2.x", {&o.milkIn2Frame}},
      {"mb.x", {&o.milkJarFrame}, kPot},
      {"mr.x", {&o.milkRFrame}},
      {"cup.x", {&o.cupFrame}},
      {"sbd.x", {&o.sugarLowFrame}},
      {"sbm.x", {&o.sugarMidFrame}},
      {"sbu.x", {&o.sugarJarFrame}, kPot},
      {"si.x", {&o.sugarInFrame}},
      {"si2.x", {&o.sugarIn2Frame}},
      {"sf.x", {}, 0, &o.sugarMarkMesh},
      {"mf.x", {}, 0, &o.milkMarkMesh},
      {"car-c.x", {&o.carryCoffeeFrame}},
      {"car-m.x", {&o.carryMilkFrame}},
      {"car-s.x", {&o.carrySugarFrame}},
      {"dish.x", {&o.dish1Frame, &o.dish2Frame, &o.dish3Frame}},
      {"in.x", {&o.cupContentFrame}, 0, &o.cupContentMesh},
      {"gc.x", {&o.glassContentFrame}, 0, &o.glassContentMesh},
      {"spn.x", {&o.spoonFrame}},
      {"t1.x", {&o.t1Frame}},
      {"t2.x", {&o.t2Frame}},
      {"t3.x", {&o.t3Frame}},
      {"t4.x", {&o.t4Frame}},
      {"t5.x", {&o.t5Frame}},
      {"cake.x", {&o.cakeFrame}},
      {"cake2.x", {&o.cake2Frame}},
      {"glass.x", {&o.glassFrame}},
      {"table-A.x", {&o.tableAFrame}, kTable},
      {"table-B.x", {&o.tableBFrame}, kTable},
      {"table-C.x", {&o.tableCFrame}, kTable},
      {"table-D.x", {&o.tableDFrame}, kTable},
  };
}

}  // namespace scene
