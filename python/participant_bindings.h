#pragma once

#include <pybind11/pybind11.h>

namespace bruso {

// The participants of a study and their fits, one by one and hierarchically: the class
// Participant and the functions that bruso.read_participants, bruso.fit_participants and
// bruso.fit_hierarchical call, each fit a piece of work that runs wherever it is sent.
void AddParticipantBindings(pybind11::module_& m);

}  // namespace bruso
