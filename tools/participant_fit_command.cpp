#include <cstdio>
#include <optional>
#include <string>

#include "engine/csv_row.h"
#include "engine/io_error.h"
#include "engine/text_file.h"
#include "session/file_overlap.h"
#include "study/fit_options.h"
#include "study/hierarchical_fit.h"
#include "study/participant_fits.h"
#include "study/study_options.h"
#include "tools/batch_commands.h"
#include "tools/hierarchical_table.h"
#include "tools/participant_table.h"
#include "tools/progress_line.h"
#include "tools/stop_signals.h"

namespace bruso {

namespace {

// Who played each line, or OptionValueError naming the file and row that does not say.
std::vector<Participant> LoadParticipants(const std::vector<std::string>& shoe_paths, const FitOptions& options) {
  std::vector<NamedFile> inputs;
  for (const std::string& path : shoe_paths) inputs.push_back({"the shoe", path});
  if (options.groups) inputs.push_back({"--groups", *options.groups});
  if (options.conditions) inputs.push_back({"--conditions", *options.conditions});
  if (options.csv) RefuseOverlaps(inputs, {{"--csv", *options.csv}});
  std::vector<Participant> participants;
  if (options.groups) {
    const HandList hands = ReadShoeFile(shoe_paths.front()).hands;
    participants = SplitByOwner(hands, ReadGroupsOption(hands, *options.groups));
  } else {
    participants = ParticipantsFromShoesOption(shoe_paths, options.conditions);
  }
  if (options.hierarchical && participants.size() < 2) {
    throw UsageError("fit --hierarchical needs two participants at least");
  }
  return participants;
}

void WriteStandardOutput(const std::string& text) {
  std::fputs(text.c_str(), stdout);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) throw IoError::FromErrno("standard output");
}

// Each participant's fits, until a stop is requested.
std::vector<ParticipantFit> FitEachParticipant(const std::vector<Participant>& participants, const FitOptions& options) {
  std::vector<ParticipantFit> fits;
  ProgressLine progress(static_cast<long long>(participants.size()), "participants");
  for (const Participant& participant : participants) {
    if (StopRequested()) break;
    try {
      fits.push_back(FitParticipant(participant, options.variants, options.fixed, options.jobs, options.level));
    } catch (const NothingToFit& nothing) {
      throw std::runtime_error("participant " + participant.id + ": " + nothing.what());
    }
    progress.Update(static_cast<long long>(fits.size()));
  }
  return fits;
}

int RunPerParticipant(const std::vector<Participant>& participants, const FitOptions& options) {
  std::optional<TextFile> csv;
  if (options.csv) csv.emplace(OpenTable(*options.csv, ParticipantCsvHeader));
  CatchStopSignals();
  const std::vector<ParticipantFit> fits = FitEachParticipant(participants, options);
  if (csv) {
    for (const ParticipantFit& fit : fits) {
      for (const std::vector<std::string>& row : ParticipantCsvRows(fit)) csv->WriteLine(CsvRow(row));
    }
    csv->Close();
  }
  std::string text;
  for (const ParticipantFit& fit : fits) text += ParticipantFitText(fit);
  if (!fits.empty()) text += GroupSummaryText(SummariseGroup(fits, ""));
  for (const std::string& condition : ConditionsOf(participants)) {
    text += GroupSummaryText(SummariseGroup(fits, condition));
  }
  WriteStandardOutput(text);
  std::fprintf(stderr, "fit: %zu of %zu participants\n", fits.size(), participants.size());
  if (fits.size() < participants.size() || StopRequested()) {
    std::fprintf(stderr, "fit: stopped by %s\n", StopCause().c_str());
    return StoppedStatus();
  }
  return 0;
}

// The group fitted hierarchically under each variant, until a stop is requested.
int RunHierarchical(const std::vector<Participant>& participants, const FitOptions& options) {
  std::optional<TextFile> csv;
  if (options.csv) csv.emplace(OpenTable(*options.csv, HierarchicalCsvHeader));
  CatchStopSignals();
  std::vector<HierarchicalFit> fits;
  ProgressLine progress(static_cast<long long>(options.variants.size()), "variants");
  for (const ModelVariant& variant : options.variants) {
    if (StopRequested()) break;
    try {
      fits.push_back(FitHierarchicalVariant(participants, variant, options.fixed, options.jobs,
                                            {.stopRequested = StopRequested}));
    } catch (const FitCancelled&) {
      break;  // the variant in progress is left out whole
    } catch (const NothingToFit& nothing) {
      if (csv) csv->Close();  // the header only
      std::fprintf(stderr, "bruso-batch: %s\n", nothing.what());
      return 1;
    }
    progress.Update(static_cast<long long>(fits.size()));
  }
  if (csv) {
    for (const HierarchicalFit& fit : fits) {
      for (const std::vector<std::string>& row : HierarchicalCsvRows(fit, participants)) csv->WriteLine(CsvRow(row));
    }
    csv->Close();
  }
  std::string text;
  for (const HierarchicalFit& fit : fits) text += HierarchicalFitText(fit, participants);
  WriteStandardOutput(text + LowestGroupBicText(fits));
  std::fprintf(stderr, "fit: %zu participants, %zu of %zu variants\n", participants.size(), fits.size(),
               options.variants.size());
  if (fits.size() < options.variants.size() || StopRequested()) {
    std::fprintf(stderr, "fit: stopped by %s\n", StopCause().c_str());
    return StoppedStatus();
  }
  return 0;
}

}  // namespace

int RunParticipantFits(const std::vector<std::string>& shoe_paths, const FitOptions& options) {
  const std::vector<Participant> participants = LoadParticipants(shoe_paths, options);
  return options.hierarchical ? RunHierarchical(participants, options) : RunPerParticipant(participants, options);
}

}  // namespace bruso
