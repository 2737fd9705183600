// Writes the data of the command-line benchmarks (bench/speed.sh) to a folder:
//   make_bench_data FOLDER
// rules_ck.txt and rules_nk.txt (150 random rules each), play_shoe.txt (500 hands),
// classify_shoe.txt (200,000 hands of 3 move lines), long_line_shoe.txt (one hand with
// one move line of 10,000,000 letters). Always the same bytes.
#include <filesystem>
#include <iostream>

#include "bench/bench_data.h"
#include "engine/text_file.h"

namespace {

void Write(const std::filesystem::path& path, const std::string& text) {
  bruso::TextFile file;
  file.Open(path.string(), bruso::TextFile::Mode::Write);
  file.Write(text);
  file.Close();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_bench_data FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  bruso::Random random(12);
  Write(folder / "rules_ck.txt", bruso::bench::RandomRulesText(random, 150));
  Write(folder / "rules_nk.txt", bruso::bench::RandomRulesText(random, 150));
  Write(folder / "play_shoe.txt", bruso::bench::RandomShoeText(random, 500, 1, 6));
  Write(folder / "classify_shoe.txt", bruso::bench::RandomShoeText(random, 200000, 3, 8));
  Write(folder / "window_shoe.txt", bruso::bench::RandomShoeText(random, 100000, 3, 8));
  Write(folder / "long_line_shoe.txt", bruso::bench::RandomShoeText(random, 1, 1, 10000000));
  return 0;
}
