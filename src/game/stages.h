#pragma once
// Stage layouts and the order of stages. Every prop of every stage is in the
// scene all the time: a stage puts its table, pots, vessels and obstacles in
// place and parks all others far above the table, out of sight and out of
// reach of the probe rays.

namespace game {

// Lays out stage 1..5 and puts the excavator together at its start, joints
// at rest. The cup and glass follow the order, so draw it first. Any other
// number changes nothing and gives false.
bool PlaceStageProps(int stage);

// The result camera on the viewport: the stage intro and the end screens
// orbit it.
void UseResultCamera();

// Enter on the result screen: All Cleared after stage 5, else the next stage
// (stage 3 is skipped: 1, 2, 5) with its order and intro.
void AdvanceStageFromResult();
// Enter during the replay: as above, but without the skip (1, 2, 3, 4, 5),
// and the result camera comes back for All Cleared.
void AdvanceStageFromReplay();

}  // namespace game
