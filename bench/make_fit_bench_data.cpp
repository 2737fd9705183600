// Writes the data of the fit benchmarks (bench/fit_speed.sh) to a folder:
//   make_fit_bench_data FOLDER [HANDS]
// fit_shoe.txt: HANDS random deals (default 200,000), each with a line that is never
// replayed and 3 lines of 5 to 30 random letters; repeated_shoe.txt: 2,000 random deals,
// each with one line of 6 random letters recorded 300 times (600,000 lines, most of them
// alike). Always the same bytes for the same HANDS.
#include <filesystem>
#include <iostream>
#include <string>

#include "bench/bench_data.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::cerr << "usage: make_fit_bench_data FOLDER [HANDS]\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const int hands = argc == 3 ? std::stoi(argv[2]) : 200000;
  std::filesystem::create_directories(folder);
  bruso::Random random(24);
  bruso::bench::WriteBenchFile(folder / "fit_shoe.txt", bruso::bench::RandomVaryingShoeText(random, hands, 3, 5, 30, "random letters"));
  bruso::Random repeated(25);
  bruso::bench::WriteBenchFile(folder / "repeated_shoe.txt", bruso::bench::RepeatedLinesShoeText(repeated, 2000, 300, 6));
  return 0;
}
