#pragma once
// The few transcendental functions the game decides and draws with, computed
// here rather than by the C library: C libraries round some results
// differently in the last bit, and one such bit is enough to send a scripted
// run down another path. These use only +, -, *, / and sqrt in double, in a
// fixed order (the build forbids fused multiply-adds), so every platform gets
// the same bits. Within two units in the last place of a double for
// the angles a game meets (|x| below a million radians).

namespace platform::rm {

double Sin(double x);
double Cos(double x);
double Atan2(double y, double x);
double Acos(double x);
// sqrt(x*x + y*y): no guard against overflow, which game distances never reach.
double Hypot(double x, double y);

inline float Sin(float x) { return static_cast<float>(Sin(static_cast<double>(x))); }
inline float Cos(float x) { return static_cast<float>(Cos(static_cast<double>(x))); }

}  // namespace platform::rm
