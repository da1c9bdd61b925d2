#pragma once
// Every status the program ends with, in one place: scripts, CI and the
// end-to-end tests tell a run's ends apart by these. The failures past 63
// are sysexits' numbers, so that a shell reads them as it reads other tools'.
namespace core {

constexpr int kExitSuccess = 0;
// The game could not start or could not go on: no display or window, a
// scene that cannot be built, a refused demo file, a display lost in play.
constexpr int kExitFailed = 1;
// The command line, or the input script it names, was refused.
constexpr int kExitUsage = 2;
// The autopilot ran but could not win the game; it has said why.
constexpr int kExitNotWon = 3;
// A fault of ours escaped the run ("internal software error").
constexpr int kExitInternalError = 70;
// An output the command line asked for could not be written ("cannot create
// output file").
constexpr int kExitOutputFailed = 73;
// What was printed could not all be written ("input/output error").
constexpr int kExitStandardOutputFailed = 74;
// Ended by a signal: this plus the signal's number, as a shell expects.
constexpr int kExitSignalBase = 128;

}  // namespace core
