#include "platform/rm/portable_math.h"

#include <cmath>
#include <cstdint>

namespace platform::rm {

namespace {

// sin and cos on [-pi/4, pi/4]: minimax polynomials in r*r.
double SinNear(double r) {
  const double z = r * r;
  const double p =
      8.33333333332248946124e-03 +
      z * (-1.98412698298579493134e-04 +
           z * (2.75573137070700676789e-06 + z * (-2.50507602534068634195e-08 + z * 1.58969099521155010221e-10)));
  return r + (z * r) * (-1.66666666666666324348e-01 + z * p);
}

double CosNear(double r) {
  const double z = r * r;
  const double p = z * (4.16666666666666019037e-02 +
                        z * (-1.38888888888741095749e-03 +
                             z * (2.48015872894767294178e-05 +
                                  z * (-2.75573143513906633035e-07 +
                                       z * (2.08757232129817482790e-09 + z * -1.13596475577881948265e-11)))));
  const double half = 0.5 * z;
  const double w = 1.0 - half;
  // Carries what 1 - half lost to rounding.
  return w + (((1.0 - w) - half) + z * p);
}

// x = n * pi/2 + r with |r| <= pi/4; pi/2 is split in three so that the first
// two products are exact for the quadrant counts a game reaches.
struct Reduced {
  double r;
  int quadrant;  // n mod 4
};

Reduced ReduceByHalfPi(double x) {
  constexpr double kTwoOverPi = 6.36619772367581382433e-01;
  constexpr double kHalfPi1 = 1.57079632673412561417e+00;
  constexpr double kHalfPi2 = 6.07710050630396597660e-11;
  constexpr double kHalfPi3 = 2.02226624871116645580e-21;
  const double n = std::floor(x * kTwoOverPi + 0.5);
  const double r = ((x - n * kHalfPi1) - n * kHalfPi2) - n * kHalfPi3;
  const auto count = static_cast<std::int64_t>(std::fmod(n, 4.0));
  return {r, static_cast<int>((count + 4) % 4)};
}

// atan on [0, inf): the argument is moved near one of four points whose
// arc tangents are known (as a high and a low part), then a polynomial.
double AtanOfNonNegative(double x) {
  constexpr double kHigh[] = {4.63647609000806093515e-01, 7.85398163397448278999e-01, 9.82793723247329054082e-01,
                              1.57079632679489655800e+00};
  constexpr double kLow[] = {2.26987774529616870924e-17, 3.06161699786838301793e-17, 1.39033110312309984516e-17,
                             6.12323399573676603587e-17};
  if (x > 7.3786976294838206464e19) return kHigh[3] + kLow[3];  // 2^66: atan is pi/2 to the last bit
  int id = -1;
  if (x < 0.4375) {
    if (x < 7.450580596923828125e-9) return x;  // 2^-27: atan(x) rounds to x
  } else if (x < 1.1875) {
    if (x < 0.6875) {
      id = 0;
      x = (2.0 * x - 1.0) / (2.0 + x);
    } else {
      id = 1;
      x = (x - 1.0) / (x + 1.0);
    }
  } else if (x < 2.4375) {
    id = 2;
    x = (x - 1.5) / (1.0 + 1.5 * x);
  } else {
    id = 3;
    x = -1.0 / x;
  }
  const double z = x * x;
  const double w = z * z;
  const double odd = z * (3.33333333333329318027e-01 +
                          w * (1.42857142725034663711e-01 +
                               w * (9.09088713343650656196e-02 +
                                    w * (6.66107313738753120669e-02 +
                                         w * (4.97687799461593236017e-02 + w * 1.62858201153657823623e-02)))));
  const double even =
      w *
      (-1.99999999998764832476e-01 +
       w * (-1.11111104054623557880e-01 +
            w * (-7.69187620504482999495e-02 + w * (-5.83357013379057348645e-02 + w * -3.65315727442169155270e-02))));
  if (id < 0) return x - x * (odd + even);
  return kHigh[id] - ((x * (odd + even) - kLow[id]) - x);
}

constexpr double kPi = 3.1415926535897931160e+00;
constexpr double kPiLow = 1.2246467991473531772e-16;

}  // namespace

double Sin(double x) {
  if (!std::isfinite(x)) return x - x;
  const Reduced d = ReduceByHalfPi(x);
  switch (d.quadrant) {
    case 0: return SinNear(d.r);
    case 1: return CosNear(d.r);
    case 2: return -SinNear(d.r);
    default: return -CosNear(d.r);
  }
}

double Cos(double x) {
  if (!std::isfinite(x)) return x - x;
  const Reduced d = ReduceByHalfPi(x);
  switch (d.quadrant) {
    case 0: return CosNear(d.r);
    case 1: return -SinNear(d.r);
    case 2: return -CosNear(d.r);
    default: return SinNear(d.r);
  }
}

double Atan2(double y, double x) {
  if (std::isnan(x) || std::isnan(y)) return x + y;
  if (y == 0) return (x < 0 || (x == 0 && std::signbit(x))) ? std::copysign(kPi, y) : y;
  if (x == 0) return std::copysign(0.5 * kPi, y);
  double a;
  if (std::isinf(x) && std::isinf(y)) {
    a = x > 0 ? 0.25 * kPi : 0.75 * kPi;
  } else {
    a = AtanOfNonNegative(std::fabs(y / x));
    if (x < 0) a = kPi - (a - kPiLow);
  }
  return std::copysign(a, y);
}

double Acos(double x) {
  if (!(std::fabs(x) <= 1.0)) return (x - x) / (x - x);  // NaN outside [-1, 1]
  return Atan2(std::sqrt((1.0 - x) * (1.0 + x)), x);
}

double Hypot(double x, double y) { return std::sqrt(x * x + y * y); }

}  // namespace platform::rm
