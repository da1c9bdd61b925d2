#pragma once
// The program-wide scene objects: every named frame of the world and the
// five mesh builders held for later use. Built once at start-up, released at
// the end; in between, the game only moves them.
#include <array>
#include <string>
#include <vector>

#include "platform/ref.h"
#include "platform/rm/frame.h"
#include "platform/rm/mesh_builder.h"

namespace scene {

using platform::Ref;
using platform::rm::Frame;
using platform::rm::MeshBuilder;

// Why callers drop these results. A frame that exists takes and gives any
// pose, and a viewport takes any camera frame; play reads no such result.
inline constexpr const char* kPoseResultUnused = "a frame that exists takes and gives any pose";
inline constexpr const char* kCameraResultUnused = "a viewport takes any camera frame";

struct SceneObjects {
  Ref<Frame> sceneRoot, lightFrame, baseFrame, anchorFrame, tableCenterFrame, fallRefFrame, resultTargetFrame,
      stageCenterFrame;
  Ref<Frame> bodyFrame, arm1Frame, arm2Frame, bucketFrame;
  Ref<Frame> tireFrontLeftFrame, tireRearLeftFrame, tireFrontRightFrame, tireRearRightFrame;
  Ref<Frame> coffeeJarFrame, coffeeInFrame, coffeeIn2Frame, coffeeMarkFrame, coffeeRFrame;
  Ref<Frame> milkJarFrame, milkInFrame, milkIn2Frame, milkMarkFrame, milkRFrame;
  Ref<Frame> cupFrame, cupContentFrame, glassFrame, glassContentFrame;
  Ref<Frame> sugarJarFrame, sugarMidFrame, sugarLowFrame, sugarMarkFrame, sugarInFrame, sugarIn2Frame;
  Ref<Frame> carryCoffeeFrame, carryMilkFrame, carrySugarFrame;
  Ref<Frame> tableAFrame, tableBFrame, tableCFrame, tableDFrame;
  Ref<Frame> dish1Frame, dish2Frame, dish3Frame, cakeFrame, cake2Frame, spoonFrame;
  Ref<Frame> t1Frame, t2Frame, t3Frame, t4Frame, t5Frame;

  // Cameras: camera[1] .. camera[10] are camera1 .. camera10.
  Ref<Frame> bucketWatchFrame, resultCamera;
  std::array<Ref<Frame>, 11> camera;

  // Probes, numbered from 1 as their names are.
  std::array<Ref<Frame>, 23> bucketProbe;
  Ref<Frame> bucketCenterFrame, bucketMouthFrame;
  std::array<Ref<Frame>, 13> armProbe;
  std::array<Ref<Frame>, 9> baseProbe, bodyProbe;
  std::array<Ref<Frame>, 5> wheelProbe, tableCorner;

  Ref<MeshBuilder> cupContentMesh, glassContentMesh, coffeeMarkMesh, milkMarkMesh, sugarMarkMesh;
};

extern SceneObjects objects;

struct NamedFrame {
  std::string name;
  Ref<Frame>* slot;
};
// Every named frame with its name, in the order the scene release gives
// them back (the root, the cameras, the fixed frames, ... the probes).
std::vector<NamedFrame> NamedFrames(SceneObjects& o);

}  // namespace scene
