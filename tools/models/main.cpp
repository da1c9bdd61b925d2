// zarn_make_models <source folder> <output folder>
//
// Builds every model of the game from its readable source: each NAME.model
// in the source folder (with the shared colours of palette.colours) becomes
// NAME.x in the output folder. Prints each model's triangle count.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model_source.h"
#include "xfile_writer.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: zarn_make_models <source folder> <output folder>\n");
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path in = argv[1], out = argv[2];
  try {
    models::Palette palette;
    models::ReadPalette((in / "palette.colours").string(), palette);
    std::vector<fs::path> sources;
    for (const auto& entry : fs::directory_iterator(in))
      if (entry.path().extension() == ".model") sources.push_back(entry.path());
    std::sort(sources.begin(), sources.end());
    if (sources.empty()) throw models::SourceError(in.string() + ": no .model files");
    fs::create_directories(out);
    for (const auto& source : sources) {
      const std::string name = source.stem().string();
      const models::Mesh mesh = models::ReadModel(source.string(), palette);
      const fs::path target = out / (name + ".x");
      std::ofstream file(target, std::ios::binary);
      file << models::XFileText(mesh, name);
      if (!file.flush()) throw models::SourceError(target.string() + ": cannot be written");
      std::printf("%-10s %5zu triangles\n", (name + ".x").c_str(), mesh.Triangles().size());
    }
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zarn_make_models: %s\n", e.what());
    return 1;
  }
}
