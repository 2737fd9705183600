#include "engine/game_tree.h"

#include <cassert>
#include <string>

namespace bruso {

namespace {

// Appends to a text of one output line, which never grows past MaxLineText characters.
void AppendCut(std::string& text, char c) {
  if (text.size() < MaxLineText) text.push_back(c);
}

void AppendCut(std::string& text, std::array<char, 2> pair) {
  AppendCut(text, pair[0]);
  AppendCut(text, pair[1]);
}

}  // namespace

Tree::~Tree() {
  for (TreeNode* node : spare_) delete node;
}

TreeNode* Tree::NewNode(const Board& board, char role, TreeNode* parent) {
  TreeNode* node = nullptr;
  if (spare_.empty()) {
    node = new TreeNode;
  } else {
    node = spare_.back();
    spare_.pop_back();
    *node = TreeNode{};
  }
  node->board = board;
  node->role = role;
  node->parent = parent;
  return node;
}

void Tree::Free(TreeNode* node) {
  if (spare_.size() < spare_.capacity()) spare_.push_back(node);
  else delete node;
}

void Tree::AddLine(std::string_view text) {
  if (channel_ != nullptr) channel_->AddLine(text);
}

void Tree::CreateRoot(TreeNode*& node, const Board& board) {
  if (node == nullptr) node = NewNode(board, RoleCK, nullptr);
}

void Tree::AddChild(TreeNode*& node, const Board& board) {
  if (node == nullptr) {
    CreateRoot(node, board);
    return;
  }
  TreeNode* child = NewNode(board, OtherRole(node->role), node);
  if (node->firstChild == nullptr) {
    node->firstChild = child;
    return;
  }
  TreeNode* last = node->firstChild;
  while (last->nextSibling != nullptr) last = last->nextSibling;
  last->nextSibling = child;
}

void Tree::GoDown(TreeNode*& node) {
  if (node->firstChild != nullptr) node = node->firstChild;
  else AddLine(" Bottom ");
}

void Tree::GoUp(TreeNode*& node) {
  if (node->parent != nullptr) node = node->parent;
  else AddLine(" Top ");
}

void Tree::GoTop(TreeNode*& node) {
  while (node->parent != nullptr) node = node->parent;
  AddLine(" Top ");
}

void Tree::GoBottom(TreeNode*& node) {
  while (node->firstChild != nullptr) node = node->firstChild;
  AddLine(" Bottom ");
}

void Tree::FreeIfAlone(TreeNode*& node) {
  if (node == nullptr || node->parent != nullptr || node->firstChild != nullptr ||
      node->nextSibling != nullptr) {
    return;
  }
  Free(node);
  node = nullptr;
}

// Frees from the leaves upwards, without recursion, so that a long hand cannot exhaust
// the stack.
void Tree::DeleteBelow(TreeNode*& node, TreeNode* top) {
  while (top->firstChild != nullptr) {
    while (node->firstChild != nullptr) {
      while (node->firstChild->firstChild != nullptr) node = node->firstChild;
      TreeNode* leaf = node->firstChild;
      node->firstChild = leaf->nextSibling;
      Free(leaf);
    }
    if (node != top) node = node->parent;
  }
  node = top;
}

void Tree::DeleteTree(TreeNode*& node, TreeNode*& root) {
  if (node == nullptr) return;
  GoTop(node);
  DeleteBelow(node, node);
  FreeIfAlone(node);
  node = nullptr;
  root = nullptr;
}

// Each H goes through the memo's marking, the text between in one piece.
void Tree::AppendDetail(std::string_view text) {
  while (!text.empty()) {
    const std::size_t h = iodef_ != nullptr ? text.find('H') : std::string_view::npos;
    const std::string_view plain = text.substr(0, h);
    if (channel_ != nullptr && !plain.empty()) channel_->AddText(plain);
    if (h == std::string_view::npos) return;
    iodef_->WriteMarked('H');
    text.remove_prefix(h + 1);
  }
}

void Tree::PrintPath(TreeNode*& node, TreeNode* stop, TextFile& file) {
  TreeNode* start = node;
  // The texts are kept from path to path, so that printing one does not allocate.
  std::string& moves = pathMoves_;
  std::string& history = pathHistory_;
  std::string& detail = pathDetail_;
  moves.clear();
  history.clear();
  detail = start->TargetCard();
  std::size_t steps_down = 0;

  auto record = [&](const TreeNode* reached) {
    AppendCut(moves, reached->move);
    AppendCut(detail, reached->mark);
    const std::string_view card = reached->TargetCard();
    const std::size_t size = history.size();
    if (size < 2 || history[size - 2] != card[0] || history[size - 1] != card[1]) AppendCut(history, {card[0], card[1]});
  };

  if (start->firstChild != nullptr) {
    history = start->TargetCard();
    AppendCut(moves, start->move);
    AppendCut(detail, start->mark);
    TreeNode* current = start;
    bool walking = true;
    while (walking) {
      if (current->firstChild != nullptr) {
        current = current->firstChild;
        ++steps_down;
        record(current);
      } else if (current->nextSibling != nullptr) {
        current = current->nextSibling;  // not recorded; the walk goes on below it
      } else {
        walking = false;
        while (current->parent != stop && current->parent != nullptr) {
          current = current->parent;
          if (current->nextSibling != nullptr) {
            current = current->nextSibling;
            walking = true;
            break;
          }
        }
      }
    }
    node = stop;
  }

  if (channel_ != nullptr) channel_->AddLine(moves);
  file.Write(moves);
  file.Write("\t");
  file.WriteLine(history);
  if (channel_ != nullptr) {
    std::string& line = pathLine_;
    line = moves;
    line += '\t';
    line += history;
    channel_->OutputLine(line);
  }
  // The detail line and the Target history go to the memo only: without one, nothing is
  // left of them.
  if (channel_ == nullptr || !channel_->HasMemo()) return;
  AppendDetail(std::string_view(detail).substr(0, 2 + 2 * steps_down));
  AddLine("");
  AppendDetail(history);
  AddLine("");
}

}  // namespace bruso
