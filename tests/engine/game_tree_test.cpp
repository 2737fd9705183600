#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/game_tree.h"
#include "engine/move_engine.h"
#include "support/recorders.h"
#include "support/wired_engine.h"

namespace bruso {
namespace {

using testing::ReadFile;
using testing::RecordingSink;
using testing::TempFolder;
using Lines = std::vector<std::string>;

constexpr const char* StartBoard = "4H4C3H3C2H2C";

// A tree wired to recording memos, with its root made and its tree freed at the end.
struct TreeFixture : testing::WiredEngine {
  TreeFixture() {
    tree.AddChild(current, Board::FromText(StartBoard));
    root = current;
  }
  ~TreeFixture() { tree.DeleteTree(current, root); }

  void Play(const std::string& letters) {
    for (char letter : letters) moves.ApplyMove(current, scratch, letter);
  }

  TreeNode* current = nullptr;
  TreeNode* root = nullptr;
  Board scratch;
};

TEST(GameTree, RootIsCKAndChildrenAlternateAndQueueUp) {
  TreeFixture t;
  EXPECT_EQ(t.root->role, 'C');
  EXPECT_EQ(t.root->parent, nullptr);
  t.root->role = 'N';  // a hand opened by NK

  TreeNode* node = t.root;
  t.tree.CreateRoot(node, Board::FromText("xxxxxxxxxxxx"));  // a root exists: nothing happens
  EXPECT_EQ(node, t.root);

  t.tree.AddChild(node, Board::FromText("AAAAAAAAAAAA"));
  t.tree.AddChild(node, Board::FromText("BBBBBBBBBBBB"));
  EXPECT_EQ(node, t.root);  // AddChild does not move the variable
  ASSERT_NE(t.root->firstChild, nullptr);
  EXPECT_EQ(t.root->firstChild->board, Board::FromText("AAAAAAAAAAAA"));
  EXPECT_EQ(t.root->firstChild->role, 'C');
  ASSERT_NE(t.root->firstChild->nextSibling, nullptr);
  EXPECT_EQ(t.root->firstChild->nextSibling->board, Board::FromText("BBBBBBBBBBBB"));
  EXPECT_EQ(t.root->firstChild->nextSibling->parent, t.root);

  t.tree.GoDown(node);
  EXPECT_EQ(node, t.root->firstChild);  // the older child
}

TEST(GameTree, NavigationStopsAtTheEndsWithItsLines) {
  TreeFixture t;
  t.tree.GoUp(t.current);
  t.tree.GoDown(t.current);
  t.tree.GoTop(t.current);
  EXPECT_EQ(t.current, t.root);
  EXPECT_EQ(t.memo.lines, (Lines{" Top ", "", " Bottom ", "", " Top ", ""}));

  t.Play("CUN");
  TreeNode* leaf = t.current;
  t.memo.lines.clear();
  t.io.AddText("pending");
  t.tree.GoDown(t.current);
  EXPECT_EQ(t.current, leaf);
  EXPECT_EQ(t.memo.lines, (Lines{" Bottom ", "pending"}));

  t.memo.lines.clear();
  t.tree.GoUp(t.current);
  EXPECT_EQ(t.current, leaf->parent);
  EXPECT_TRUE(t.memo.lines.empty());
  t.tree.GoTop(t.current);
  EXPECT_EQ(t.current, t.root);
  t.tree.GoBottom(t.current);
  EXPECT_EQ(t.current, leaf);
  EXPECT_EQ(t.memo.lines, (Lines{" Top ", "", " Bottom ", ""}));
}

TEST(GameTree, DeletingFreesEverythingBelowAndTheWholeTree) {
  TreeFixture t;
  t.tree.DeleteBelow(t.current, t.root);  // nothing below: nothing happens
  EXPECT_EQ(t.current, t.root);

  t.Play("CUNPCUNP");
  TreeNode* middle = t.root->firstChild->firstChild;
  t.tree.AddChild(middle, Board::FromText(StartBoard));  // a side branch
  t.current = middle->firstChild->firstChild;
  t.tree.GoUp(t.current);  // back to the child of middle
  t.tree.GoUp(t.current);  // middle
  t.tree.DeleteBelow(t.current, middle);
  EXPECT_EQ(t.current, middle);
  EXPECT_EQ(middle->firstChild, nullptr);
  EXPECT_EQ(t.root->firstChild->firstChild, middle);

  t.tree.FreeIfAlone(middle);  // it has a parent: stays
  EXPECT_NE(middle, nullptr);

  t.memo.lines.clear();
  t.tree.DeleteTree(t.current, t.root);
  EXPECT_EQ(t.current, nullptr);
  EXPECT_EQ(t.root, nullptr);
  EXPECT_EQ(t.memo.lines, (Lines{" Top ", ""}));

  t.tree.DeleteTree(t.current, t.root);  // empty: nothing at all
  EXPECT_EQ(t.memo.lines.size(), 2u);
  // The sanitizer run reports any node that was not freed.
}

// Freed nodes are used again: one must come back as a new node, whatever it held.
TEST(GameTree, AFreedNodeComesBackAsNew) {
  TreeFixture t;
  t.Play("CUNP");
  for (TreeNode* node = t.root->firstChild; node != nullptr; node = node->firstChild) node->mark = {'2', 'H'};
  t.tree.GoTop(t.current);
  t.tree.DeleteBelow(t.current, t.root);
  for (int child = 0; child < 3; ++child) t.tree.AddChild(t.current, Board::FromText("2H2C3H3C4H4C"));
  int children = 0;
  for (const TreeNode* node = t.root->firstChild; node != nullptr; node = node->nextSibling, ++children) {
    EXPECT_EQ(node->board, Board::FromText("2H2C3H3C4H4C"));
    EXPECT_EQ(node->role, OtherRole(t.root->role));
    EXPECT_EQ(node->move, ' ');
    EXPECT_EQ(node->mark, BlankMark);
    EXPECT_EQ(node->firstChild, nullptr);
    EXPECT_EQ(node->parent, t.root);
  }
  EXPECT_EQ(children, 3);
}

TEST(GameTree, DeletingAVeryLongHandDoesNotRecurse) {
  TreeFixture t;
  for (int i = 0; i < 200000; ++i) t.moves.ApplyMove(t.current, t.scratch, 'P');
  t.tree.DeleteTree(t.current, t.root);
  EXPECT_EQ(t.root, nullptr);
}

TEST(GameTree, PrintPathWritesMovesTargetHistoryAndDetail) {
  TempFolder folder;
  TextFile file;
  file.Open((folder.path() / "Amik.txt").string(), TextFile::Mode::Write);

  TreeFixture t;
  t.Play("TN");  // CK takes 3C with 4C, then NK swaps N
  t.root->mark = {'2', 'H'};
  t.root->firstChild->mark = {'#', '#'};
  t.current->mark = {'9', '9'};  // the leaf's mark is not printed
  t.memo.lines.clear();

  t.tree.GoTop(t.current);
  t.root = t.current;
  t.tree.PrintPath(t.current, t.root, file);
  file.Close();

  EXPECT_EQ(t.current, t.root);
  EXPECT_EQ(ReadFile(folder.path() / "Amik.txt"), "TN \t3C4C\n");
  EXPECT_EQ(t.output.lines, (Lines{"TN \t3C4C"}));
  EXPECT_EQ(t.memo.lines, (Lines{" Top ", "", "TN ", "", "", "3C2H##", "", "3C4C"}));
}

TEST(GameTree, PrintPathOnALoneRootAndOnAnUnchangedTarget) {
  TempFolder folder;
  TextFile file;
  file.Open((folder.path() / "Amik.txt").string(), TextFile::Mode::Write);

  TreeFixture t;
  t.tree.PrintPath(t.current, t.root, file);
  EXPECT_EQ(t.current, t.root);
  EXPECT_EQ(t.memo.lines, (Lines{"", "", "", "3C", "", ""}));

  t.Play("CUNP");  // the Target card stays 3C
  t.tree.GoTop(t.current);
  t.memo.lines.clear();
  t.tree.PrintPath(t.current, t.root, file);
  file.Close();
  EXPECT_EQ(ReadFile(folder.path() / "Amik.txt"), "\t\nCUNP \t3C\n");
  EXPECT_EQ(t.memo.lines.back(), "3C");
}

TEST(GameTree, PrintPathCutsEachTextAt255Characters) {
  TempFolder folder;
  TextFile file;
  file.Open((folder.path() / "Amik.txt").string(), TextFile::Mode::Write);

  TreeFixture t;
  // CK takes the Target back and forth while NK passes: 300 moves, 151 Target changes.
  for (int i = 0; i < 150; ++i) t.Play("TP");
  t.tree.GoTop(t.current);
  t.tree.PrintPath(t.current, t.root, file);
  file.Close();
  const std::string line = ReadFile(folder.path() / "Amik.txt");
  const std::size_t tab = line.find('\t');
  EXPECT_EQ(tab, MaxLineText);
  EXPECT_EQ(line.size() - tab - 2, MaxLineText);
  const std::size_t n = t.memo.lines.size();
  EXPECT_EQ(t.memo.lines[n - 6].size(), MaxLineText);  // moves
  EXPECT_EQ(t.memo.lines[n - 3].size(), MaxLineText);  // detail
  EXPECT_EQ(t.memo.lines[n - 1].size(), MaxLineText);  // Target history
}

}  // namespace
}  // namespace bruso
