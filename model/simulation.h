#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "analysis/analysis_settings.h"
#include "engine/random.h"
#include "shoe/shoe_file.h"

namespace bruso {

// The first line after each hand line of a simulated shoe: how its lines were made. It
// never holds "2H", which would make it a hand line.
std::string SimulationNote(int lines, const AnalysisSettings& settings, double lapse, std::uint64_t seed);

// The hand with `lines` lines played by the model (see HeadlessHand::Play), after a first
// line `note` that says how they were made (the first line after a hand line is never
// replayed). When `stopRequested` says so, it stops after the line in progress and the
// hand holds fewer lines: a caller that asks to stop throws the hand away.
Fhand SimulateHand(const Fhand& hand, int lines, const AnalysisSettings& settings, double lapse, Random& random,
                   const std::string& note, const std::function<bool()>& stopRequested = {});

// The hand as a shoe holds it: its hand line with its role mark, then its move lines, each
// ended by a line end.
std::string ShoeText(const Fhand& hand);

}  // namespace bruso
