#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/board.h"

namespace bruso {

inline constexpr const char* CKFirstMoveCaption = "CK First Move";
inline constexpr const char* NKFirstMoveCaption = "NK First Move";

// What the main window shows besides the cards and the two memos. The commands keep it;
// the window draws it after each command (and tests read it without a window).
struct WindowState {
  std::string handText;                      // Edit1
  std::string handNumber;                    // Edit4
  std::string firstMoveCaption = CKFirstMoveCaption;      // Label7, under the move string
  std::string handFirstMoveCaption = CKFirstMoveCaption;  // Label9, under the hand text
  std::vector<std::string> moveLines;        // Memo2, the hand's move lines from the second on
  std::array<bool, PositionCount> frameMarked{};  // aqua frames, in board order
  char highlightedRole = ' ';                // role label in aqua: 'C', 'N', or ' ' for none
  std::string passCaption = "Pass Move";     // the pass button: "Pass Move", "Passo", "PASSO"
  bool passMarked = false;                   // aqua font on the pass button
  int selectionStart = 0;                    // Edit2's selection over the move string
  int selectionLength = 0;
  std::string changeRoleCaption = NKFirstMoveCaption;  // the hidden "NK First Move" item

  bool operator==(const WindowState&) const = default;
};

// Message boxes, as the window shows them; tests record them.
class UserMessages {
 public:
  virtual ~UserMessages() = default;
  virtual void ShowMessage(std::string_view text) = 0;
};

}  // namespace bruso
