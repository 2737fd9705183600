#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "analysis/analysis_settings.h"
#include "analysis/score.h"
#include "engine/board.h"
#include "engine/card_display.h"
#include "engine/game_tree.h"
#include "engine/hand_buffer.h"
#include "engine/move_engine.h"
#include "engine/output_channel.h"
#include "engine/output_files.h"
#include "engine/random.h"
#include "engine/text_file.h"
#include "players/rule_set.h"
#include "session/window_state.h"
#include "shoe/shoe_file.h"

namespace bruso {

// The share of moves a player makes without reasoning, at random; the likelihood of the
// recorded moves needs it strictly between 0 and 1.
inline constexpr double DefaultLapseRate = 0.01;

// Everything the commands of the main window share that is not a widget: the engine
// objects, the open output files and the state of the hand on screen. The window owns one;
// the headless tools and the tests make their own. Names are the system's own.
struct SharedState {
  SharedState() = default;
  SharedState(const SharedState&) = delete;
  SharedState& operator=(const SharedState&) = delete;
  ~SharedState();

  // The engine objects, one each, wired by StartUp.
  TIO io;
  Iodef iodef;
  Tree tree;
  Iospec display;
  typogr moves;
  Score score;

  OutputFiles outputFiles;
  Random random;

  // --- Hand analysis ---
  // The settings, card tables and memory boards that the replay commands hand to the
  // analysis. StartUp gives them their start values; the window's model settings change
  // the modes and the probabilities.
  AnalysisSettings analysis;
  double LapseRate = DefaultLapseRate;

  // --- The seed of the window's batch runs ---
  std::uint64_t RunSeed = 0;  // the next run starts the generator from it (StartUp: its seed)
  bool SameSeedEveryRun = false;
  std::optional<std::uint64_t> LastRunSeed;

  bruso::HandList HandList;
  Fhand* CurrentHand = nullptr;
  int HandIndex = 0;
  int HandNumber = 0;
  int MovePosition = 0;
  bool BatchMode = false;
  std::string RulesFileCK;
  std::string RulesFileNK;
  std::filesystem::path StartDirectory;
  std::filesystem::path OutputFolder;
  std::string FirstMover = "C";
  TreeNode* CurrentNode = nullptr;
  TreeNode* RootNode = nullptr;
  bruso::HandBuffer HandBuffer;
  char MoveChar = '\0';
  Board ScratchBoard;
  bool LayoutFlag = false;
  std::string MoveString;  // the move string the window shows in Edit2

  // --- Artificial players ---
  // The rules of each role (loaded by "Load Rules CK" and "Load Rules NK"; RulesFileCK
  // and RulesFileNK name their files) and the results file "Automa.txt", open only while
  // all hands are played artificially.
  RuleSet RulesCK;
  RuleSet RulesNK;
  TextFile ResultsFile;

  WindowState view;
  UserMessages* messages = nullptr;  // message boxes; none in a headless run
  void ShowMessage(std::string_view text) {
    if (messages != nullptr) messages->ShowMessage(text);
  }
};

// What the start-up needs from its surroundings.
struct StartUpOptions {
  std::filesystem::path startDirectory;
  std::filesystem::path outputFolder;  // empty: the folder "outputFile" below the start directory
  CardImages* cardImages = nullptr;  // the board's six images, or none without a window
  TextSink* outputWindow = nullptr;  // the output window's memo, or none
  std::uint64_t seed = 0;
  // No output folder: the six files write to nothing (a caller that wants results, not files).
  bool discardFiles = false;
};

// The start-up of the main window that needs no window: wires the engine objects, opens
// the six output files in the output folder below the start directory (throws IoError
// naming the file when the folder is missing), sets the analysis defaults and seeds the
// generator. The caller attaches the main window's memo afterwards (TIO::SetMemo).
void StartUp(SharedState& state, const StartUpOptions& options);

}  // namespace bruso
