#include "model/fitted_rules.h"

#include <filesystem>

#include "engine/text_file.h"
#include "study/fit_table.h"

namespace bruso {

std::string FittedName(const std::string& path) {
  std::filesystem::path fitted(path);
  fitted.replace_filename(fitted.stem().string() + "_fitted" + fitted.extension().string());
  return fitted.string();
}

std::string WeightsLine(const RuleSet& rules) {
  std::string line;
  for (int field = 1; field <= RuleFieldCount; ++field) {
    if (field > 1) line += ' ';
    line += std::to_string(rules.Weight(field));
  }
  return line;
}

std::string WeightSearchReport(const WeightSearchResult& result) {
  return BeforeAfterTableText(result.before, result.after) + "CK weights: " + WeightsLine(result.player.ck) +
         "\nNK weights: " + WeightsLine(result.player.nk) + "\n";
}

void WriteFittedRules(const std::string& path, const std::string& original, const RuleSet& rules,
                      const std::string& shoe) {
  TextFile file;
  file.Open(path, TextFile::Mode::Write);
  file.Write(original);
  if (!original.empty() && original.back() != '\n') file.Write("\n");
  file.WriteLine(WeightsLine(rules));
  file.WriteLine(WeightsFittedComment(FittedWeightsPerSide, shoe));
  file.Close();
}

FitResult RulePlayerRow(const RuleData& data, const LoadedRulePlayer& loaded, const RuleFiles& files,
                        std::optional<double> fixed_lapse) {
  std::vector<ChanceCount> chances;
  AddRecordedChances(data, loaded.player, '\0', chances);
  FitResult row = FitRulePlayer(chances, fixed_lapse, loaded.weightsFitted);
  row.rules = files.Text();
  return row;
}

}  // namespace bruso
