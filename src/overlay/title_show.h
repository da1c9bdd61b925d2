#pragma once
// The title show: the excavator drives onto the stand high above the table,
// turns about and raises its boom while the title pieces spin.

namespace overlay {

// Phase 1: everything to its start, then the drive-in (phase 2).
void SetUpTitleShow();
// Every title step: the five title pieces keep turning.
void SpinTitlePieces();
// Phases 2 and 3: the excavator rolls in and the camera comes down.
void DriveIn();
// Phases 3 and 4: the body turns half about, a quarter turn at a time.
void TurnBody();
// Phase 5: boom and arm rise; the menu is already active.
void RaiseBoom();

}  // namespace overlay
