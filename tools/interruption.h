#pragma once

namespace bruso {

// Ctrl-C during a batch: the first one asks the run to stop after the current unit of
// work, so that its summary still tells what was done; a second one ends the program.
void CatchInterruption();
bool Interrupted();

}  // namespace bruso
