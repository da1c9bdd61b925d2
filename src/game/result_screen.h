#pragma once
// The result screen's score line. (The screen itself and the replay that
// interrupts it are RunResultScreen and RunReplayScreen of screens.h.)
#include <string>

namespace game {

// Characters of a fully typed score line; the count-up timer stops after
// this many ticks and Enter is taken only then.
inline constexpr int kScoreLineLength = 17;

// The verdict, the points and " points", padded with spaces to
// kScoreLineLength ("Nice!! 100 points", "Good ! 90 points "), cut to its
// first `ticks` characters: the part typed so far. The number is written in
// full, so scores of one digit or below zero keep their sign and digits.
std::string ScoreLine(int orderScore, int ticks = kScoreLineLength);

// Left edge of a typed part of `shown` characters: the line grows from the
// screen's centre.
inline int ScoreLineX(int shown) { return 400 - 5 * shown; }

}  // namespace game
