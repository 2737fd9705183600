#include "session/shared_state.h"

namespace bruso {

SharedState::~SharedState() {
  // Free the hand's tree quietly: the memos may already be gone.
  io.SetMemo(nullptr);
  io.SetOutputWindow(nullptr);
  tree.DeleteTree(CurrentNode, RootNode);
}

void StartUp(SharedState& state, const StartUpOptions& options) {
  state.RulesFileCK.clear();
  state.RulesFileNK.clear();
  state.MoveString.clear();
  state.HandIndex = 0;
  state.StartDirectory = options.startDirectory;
  state.OutputFolder = options.outputFolder.empty() ? options.startDirectory / OutputFolderName
                                                    : options.outputFolder;

  state.tree.SetIodef(&state.iodef);
  state.display.Init(&state.iodef, &state.tree, options.cardImages);
  state.moves.Init(&state.iodef, &state.tree, &state.display);
  state.score.Init(&state.iodef, &state.tree, &state.moves, &state.display);

  if (options.discardFiles) {
    state.iodef.OpenDiscarding(state.outputFiles);
  } else {
    state.iodef.OpenFiles(state.OutputFolder, state.outputFiles);
  }
  state.iodef.DefaultParameters(state.analysis.ProbTable);
  state.iodef.DefaultModes(state.analysis.AnalysisMode);

  state.iodef.SetIO(&state.io);
  state.tree.SetIO(&state.io);
  state.display.SetIO(&state.io);
  state.moves.SetIO(&state.io);
  state.score.SetIO(&state.io);
  state.io.SetOutputWindow(options.outputWindow);

  state.HandBuffer.Clear();
  state.random.Seed(options.seed);
  state.RunSeed = options.seed;
  state.CurrentNode = nullptr;
}

}  // namespace bruso
