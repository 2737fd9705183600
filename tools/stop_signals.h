#pragma once

#include <string>

namespace bruso {

// Stopping a batch from outside. Ctrl-C (SIGINT), SIGTERM (kill, timeout, schedulers) and
// SIGHUP (a closed terminal) ask the run to stop after the unit of work in progress (a
// play, a move line), so that every file ends on a whole line and the summary tells how
// far the run got; a second signal ends the program at once. SIGPIPE is ignored: a reader
// that went away shows as a failed write, which the run turns into a stop of its own
// (RequestStop(SIGPIPE)). A stop signal that was ignored when the program started
// (`nohup`, the background jobs of a script) stays ignored.
//
// A command calls CatchStopSignals before its run, asks StopRequested after each unit of
// work, tells the cause with StopCause in its summary and exits with StoppedStatus.
void CatchStopSignals();
bool StopRequested();
// Asks the run to stop as the signal would (the first request is the one kept).
void RequestStop(int signal_number);
// The signal that asked for the stop; 0 when none did.
int StopSignal();
// "Ctrl-C", "SIGTERM", "SIGHUP", "SIGPIPE" (a reader of standard output that went away).
std::string StopCause();
// The exit status of a stopped run, as shells report a signal: 128 + its number.
int StoppedStatus();

}  // namespace bruso
