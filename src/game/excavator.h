#pragma once
// Driving and working the excavator, its fall from the table, the cameras
// and the start-up speed calibration.

namespace game {

void PlayExcavatorStep();
// A new stage starts with no undo behind it.
void ForgetUndoHistory();
void UpdateFall();
void AimCameras();
void CalibrateSpeed();

// The playing step's camera block: the function keys and Enter choose the
// camera; the following cameras are placed after the excavator.
void ChooseCamera();
void PlaceFollowingCameras();

}  // namespace game
