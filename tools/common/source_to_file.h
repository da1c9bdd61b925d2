#pragma once
// The shape every asset tool shares: pairs of SOURCE OUTPUT arguments, each
// readable source turned into the bytes of one output file. A source that
// cannot be read or converted stops the tool with the file named.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace asset_tool {

using Convert = std::function<bool(const std::string& text, std::vector<std::uint8_t>* bytes, std::string* error)>;

inline int ConvertPairs(int argc, char** argv, const char* outputExtension, const Convert& convert) {
  if (argc < 3 || argc % 2 != 1) {
    std::fprintf(stderr, "usage: %s SOURCE.txt OUTPUT%s [SOURCE.txt OUTPUT%s ...]\n", argv[0], outputExtension,
                 outputExtension);
    return 2;
  }
  for (int i = 1; i < argc; i += 2) {
    std::ifstream in(argv[i]);
    if (!in) {
      std::fprintf(stderr, "%s: cannot be read\n", argv[i]);
      return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!convert(text.str(), &bytes, &error)) {
      std::fprintf(stderr, "%s: %s\n", argv[i], error.c_str());
      return 1;
    }
    std::ofstream out(argv[i + 1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::fprintf(stderr, "%s: cannot be written\n", argv[i + 1]);
      return 1;
    }
  }
  return 0;
}

}  // namespace asset_tool
