#pragma once

#include <filesystem>
#include <string>

#include "engine/random.h"

namespace bruso::bench {

// The data of the benchmarks, drawn from a fixed seed so that every run measures the same
// work.

// A rules file of `count` random rules: an action from C, U, N, T and P; in fields 2 to 4
// a card (chance 0.45) or "#"; in field 5 a move letter (chance 0.3) or "#"; wildcards
// after that; one weights line of 18 numbers from 1 to 6.
std::string RandomRulesText(Random& random, int count);

// A shoe of `hands` random deals, each with its first mover marked and `lines` move lines
// of `length` random move letters under its hand line.
std::string RandomShoeText(Random& random, int hands, int lines, int length);

// A shoe of `hands` random deals, each with a first line that is never replayed (`note`)
// and `lines` move lines of `shortest` to `longest` random move letters.
std::string RandomVaryingShoeText(Random& random, int hands, int lines, int shortest, int longest,
                                  const std::string& note);

// A shoe of recorded data that repeat: `hands` random deals, each with a first line that is
// never replayed and then `copies` times the same line of `length` random move letters.
std::string RepeatedLinesShoeText(Random& random, int hands, int copies, int length);

// Writes the text to the file, replacing it; throws IoError when it cannot.
void WriteBenchFile(const std::filesystem::path& path, const std::string& text);

}  // namespace bruso::bench
