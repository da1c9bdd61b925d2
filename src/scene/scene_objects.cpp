#include "scene/scene_objects.h"

namespace scene {

SceneObjects objects;

namespace {
template <std::size_t N>
void AddNumbered(std::vector<NamedFrame>& out, const char* prefix, std::array<Ref<Frame>, N>& frames) {
  for (std::size_t i = 1; i < N; ++i) out.push_back({prefix + std::to_string(i), &frames[i]});
}
}  // namespace

std::vector<NamedFrame> NamedFrames(SceneObjects& o) {
  std::vector<NamedFrame> f = {{"sceneRoot", &o.sceneRoot}, {"bucketWatchFrame", &o.bucketWatchFrame}};
  AddNumbered(f, "camera", o.camera);
  f.insert(f.end(), {
                        {"resultCamera", &o.resultCamera},
                        {"anchorFrame", &o.anchorFrame},
                        {"lightFrame", &o.lightFrame},
                        {"tableCenterFrame", &o.tableCenterFrame},
                        {"fallRefFrame", &o.fallRefFrame},
                        {"resultTargetFrame", &o.resultTargetFrame},
                        {"stageCenterFrame", &o.stageCenterFrame},
                        {"baseFrame", &o.baseFrame},
                        {"bodyFrame", &o.bodyFrame},
                        {"arm1Frame", &o.arm1Frame},
                        {"arm2Frame", &o.arm2Frame},
                        {"bucketFrame", &o.bucketFrame},
                        {"tireFrontLeftFrame", &o.tireFrontLeftFrame},
                        {"tireRearLeftFrame", &o.tireRearLeftFrame},
                        {"tireFrontRightFrame", &o.tireFrontRightFrame},
                        {"tireRearRightFrame", &o.tireRearRightFrame},
                        {"carryCoffeeFrame", &o.carryCoffeeFrame},
                        {"carryMilkFrame", &o.carryMilkFrame},
                        {"carrySugarFrame", &o.carrySugarFrame},
                        {"coffeeJarFrame", &o.coffeeJarFrame},
                        {"coffeeInFrame", &o.coffeeInFrame},
                        {"coffeeIn2Frame", &o.coffeeIn2Frame},
                        {"coffeeMarkFrame", &o.coffeeMarkFrame},
                        {"coffeeRFrame", &o.coffeeRFrame},
                        {"milkJarFrame", &o.milkJarFrame},
                        {"milkInFrame", &o.milkInFrame},
                        {"milkIn2Frame", &o.milkIn2Frame},
                        {"milkMarkFrame", &o.milkMarkFrame},
                        {"milkRFrame", &o.milkRFrame},
                        {"cupFrame", &o.cupFrame},
                        {"cupContentFrame", &o.cupContentFrame},
                        {"glassFrame", &o.glassFrame},
                        {"glassContentFrame", &o.glassContentFrame},
                        {"dish1Frame", &o.dish1Frame},
                        {"dish2Frame", &o.dish2Frame},
                        {"dish3Frame", &o.dish3Frame},
                        {"cakeFrame", &o.cakeFrame},
                        {"cake2Frame", &o.cake2Frame},
                        {"spoonFrame", &o.spoonFrame},
                        {"sugarJarFrame", &o.sugarJarFrame},
                        {"sugarMidFrame", &o.sugarMidFrame},
                        {"sugarLowFrame", &o.sugarLowFrame},
                        {"sugarMarkFrame", &o.sugarMarkFrame},
                        {"sugarInFrame", &o.sugarInFrame},
                        {"sugarIn2Frame", &o.sugarIn2Frame},
                        {"tableAFrame", &o.tableAFrame},
                        {"tableBFrame", &o.tableBFrame},
                        {"tableCFrame", &o.tableCFrame},
                        {"tableDFrame", &o.tableDFrame},
                        {"t1Frame", &o.t1Frame},
                        {"t2Frame", &o.t2Frame},
                        {"t3Frame", &o.t3Frame},
                        {"t4Frame", &o.t4Frame},
                        {"t5Frame", &o.t5Frame},
                    });
  AddNumbered(f, "bucketProbe", o.bucketProbe);
  f.insert(f.end(), {{"bucketCenterFrame", &o.bucketCenterFrame}, {"bucketMouthFrame", &o.bucketMouthFrame}});
  AddNumbered(f, "bodyProbe", o.bodyProbe);
  AddNumbered(f, "armProbe", o.armProbe);
  AddNumbered(f, "baseProbe", o.baseProbe);
  AddNumbered(f, "tableCorner", o.tableCorner);
  AddNumbered(f, "wheelProbe", o.wheelProbe);
  return f;
}

}  // namespace scene
