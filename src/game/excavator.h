#pragma once
// Driving and working the excavator, its fall from the table, the cameras
// and the start-up speed calibration.

namespace game {

void PlayExcavatorStep();
void UpdateFall();
void AimCameras();
void CalibrateSpeed();

}  // namespace game
