// Writes the data of the command-line benchmarks (bench/speed.sh) to a folder:
//   make_bench_data FOLDER
// rules_ck.txt and rules_nk.txt (150 random rules each), play_shoe.txt (500 hands of one
// line), classify_shoe.txt (200,000 hands of 3 move lines) and window_shoe.txt (100,000
// hands of 3 move lines). Always the same bytes.
#include <filesystem>
#include <iostream>

#include "bench/bench_data.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_bench_data FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  using bruso::bench::RandomRulesText;
  using bruso::bench::RandomShoeText;
  using bruso::bench::WriteBenchFile;
  // The same draws as play_benchmark's random-rules run.
  bruso::Random rules(12);
  WriteBenchFile(folder / "rules_ck.txt", RandomRulesText(rules, 150));
  WriteBenchFile(folder / "rules_nk.txt", RandomRulesText(rules, 150));
  WriteBenchFile(folder / "play_shoe.txt", RandomShoeText(rules, 500, 1, 6));
  // The same draws as ui_benchmarks' shoes: the window's shoe is the first half of this one.
  bruso::Random hands(12);
  WriteBenchFile(folder / "classify_shoe.txt", RandomShoeText(hands, 200000, 3, 8));
  bruso::Random window_hands(12);
  WriteBenchFile(folder / "window_shoe.txt", RandomShoeText(window_hands, 100000, 3, 8));
  return 0;
}
