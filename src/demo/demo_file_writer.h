#pragma once
// Writing the demo file: one value a line, CR LF line ends, floats in the
// general notation of 6 significant digits with exponents of at least three
// digits (1.23457e-005, 1e+006), as the files the attract demo reads.
#include <ostream>
#include <string>

namespace demo {

std::string FormatDemoFloat(float value);

// The recording in memory in the file's layout: stage, count, milk and sugar
// flags (worked out from the order, and kept in the game record), the props,
// then every sample. False when the stream failed.
bool WriteDemo(std::ostream& out);

}  // namespace demo
