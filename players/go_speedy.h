#pragma once

#include "players/rule_set.h"
#include "session/shared_state.h"

namespace bruso {

// A hand played by rules ends when 2H lies on T or after this many attempts.
inline constexpr int MaxArtificialMoves = 20;
inline constexpr const char* TooManyMovesMessage = "Mano terminata per numero eccessivo di mosse";

// The rules of the role to move: CK's for role 'C', NK's otherwise.
const RuleSet& RulesFor(const SharedState& state, char role);

// Chooses the move at the current node by the rules of its role (EvalAt: Eval on the node's
// history string). The letter goes to MoveChar and to the end of the move string.
void ChooseMoveByRules(SharedState& state);

// Plays the current hand again from its root by rules, until 2H lies on T or
// MaxArtificialMoves attempts are made; at least one move is attempted. An attempt whose
// letter cannot be played changes nothing but still counts and stays in the move string.
// Outside BatchMode the boards are shown and the 20th attempt brings the message
// TooManyMovesMessage; in BatchMode the move string goes as one line to the results file
// and to the output window. Returns whether 2H lies on T at the end. Does nothing without
// a current node.
bool GoSpeedy(SharedState& state);

}  // namespace bruso
