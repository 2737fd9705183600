#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMenuBar>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include "support/window_fixture.h"
#include "ui/application.h"
#include "ui/fonts.h"
#include "ui/window_keys.h"
#include "ui/pictures.h"
#include "shoe/shoe_file.h"
#include "shoe/start_hand.h"
#include "ui/text_conversion.h"

namespace bruso {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WindowFixture;
using testing::WriteFile;

bool AllFilesOpen(SharedState& state) {
  for (const TextFile& file : state.outputFiles.handles) {
    if (!file.IsOpen()) return false;
  }
  return true;
}

bool AnyFileOpen(SharedState& state) {
  for (const TextFile& file : state.outputFiles.handles) {
    if (file.IsOpen()) return true;
  }
  return false;
}

TEST(MainWindowStartUp, TwoStartsKeepTheReadFilesAndEmptyTheWrittenOnes) {
  WindowFixture window;
  const auto out = window.OutputFolder();
  WriteFile(out / "Sperim.txt", "experiment\n");
  WriteFile(out / "Commands.txt", "commands\n");
  WriteFile(out / "Boards.txt", "boards\n");
  WriteFile(out / "Hands.txt", "old hands\n");
  WriteFile(out / "Print.txt", "old print\n");
  std::filesystem::remove(out / "Amik.txt");

  window.Start();
  ASSERT_NE(window.form, nullptr);
  window.form->State().outputFiles.Amik().WriteLine("first run");
  window.dialogs.QueueAnswer(Dialogs::Answer::Yes);
  window.form->QuitUno->trigger();
  EXPECT_EQ(ReadFile(out / "Amik.txt"), "first run\n");

  window.Start();
  ASSERT_NE(window.form, nullptr);
  EXPECT_EQ(ReadFile(out / "Sperim.txt"), "experiment\n");
  EXPECT_EQ(ReadFile(out / "Commands.txt"), "commands\n");
  EXPECT_EQ(ReadFile(out / "Boards.txt"), "boards\n");
  EXPECT_EQ(ReadFile(out / "Hands.txt"), "");
  EXPECT_EQ(ReadFile(out / "Print.txt"), "");
  EXPECT_EQ(ReadFile(out / "Amik.txt"), "");
}

TEST(MainWindowStartUp, MissingOutputFolderShowsTheErrorAndGivesNoWindow) {
  TempFolder start;
  ScriptedDialogs dialogs;
  ::testing::internal::CaptureStderr();
  std::unique_ptr<TForm1> form = CreateMainWindow(start.path(), dialogs, 1);
  const std::string errors = ::testing::internal::GetCapturedStderr();

  EXPECT_EQ(form, nullptr);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].kind, ScriptedDialogs::Kind::Error);
  // The folder is named as the folder, in the box and on standard error.
  const std::string text = "Output folder not found: " + (start.path() / OutputFolderName).string();
  EXPECT_EQ(dialogs.asked[0].text.toStdString(), text);
  EXPECT_EQ(errors, text + "\n");
  for (QWidget* window : QApplication::topLevelWidgets()) EXPECT_FALSE(window->isVisible());
}

// Two windows in one folder would empty and overwrite each other's files.
TEST(MainWindowStartUp, ASecondWindowInTheFolderSaysItIsInUseAndEmptiesNothing) {
  WindowFixture first;
  ASSERT_NE(first.form, nullptr);
  WriteFile(first.OutputFolder() / "Hands.txt", "the first window's hands\n");
  ScriptedDialogs dialogs;
  ::testing::internal::CaptureStderr();
  std::unique_ptr<TForm1> second = CreateMainWindow(first.start.path(), dialogs, 1);
  const std::string errors = ::testing::internal::GetCapturedStderr();

  EXPECT_EQ(second, nullptr);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].kind, ScriptedDialogs::Kind::Error);
  const std::string text = "Output folder in use by another run of Bruso: " + first.OutputFolder().string();
  EXPECT_EQ(dialogs.asked[0].text.toStdString(), text);
  EXPECT_EQ(errors, text + "\n");
  EXPECT_EQ(ReadFile(first.OutputFolder() / "Hands.txt"), "the first window's hands\n");
}

TEST(MainWindowStartUp, TheFileDialogsKeepNoHistoryInTheHomeFolder) {
  TempFolder home;
  qputenv("HOME", QByteArray::fromStdString(home.path().string()));
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((home.path() / ".config").string()));
  QtDialogs dialogs;
  QTimer closer;  // the user cancels each dialog
  QObject::connect(&closer, &QTimer::timeout, [] {
    if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
  });
  closer.start(50);
  EXPECT_TRUE(dialogs.OpenFile(QString(), PathToQString(home.path()), QStringLiteral("Text file (*.txt)")).isEmpty());
  EXPECT_TRUE(dialogs.SaveFile(PathToQString(home.path()), QStringLiteral("Text file (*.txt)"), "txt").isEmpty());

  EXPECT_TRUE(std::filesystem::is_empty(home.path()));
  const QString settings = QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName();
  EXPECT_FALSE(QFile::exists(settings)) << settings.toStdString();
}

TEST(MainWindowStartUp, StartsWithTheDesignCaptionsAndNoHand) {
  WindowFixture window;
  TForm1& form = *window.form;
  EXPECT_EQ(form.windowTitle(), "Bruso");
  EXPECT_EQ(form.Edit2->text(), "");
  EXPECT_EQ(form.Label7->text(), "CK First Move");
  EXPECT_EQ(form.Label9->text(), "CK First Move");
  EXPECT_EQ(form.Passo->text(), "Pass Move");
  EXPECT_EQ(TextColor(form.Passo), QColor(Qt::black));
  EXPECT_EQ(form.LabelSyntax->text(), "C     CK     UP     T     N     NK   ");
  EXPECT_EQ(form.BitBtn4->property("tag").toInt(), 1);
  EXPECT_EQ(form.BitBtn5->property("tag").toInt(), 2);
  EXPECT_EQ(form.State().CurrentNode, nullptr);
  EXPECT_EQ(form.State().OutputFolder, window.OutputFolder());
  EXPECT_TRUE(AllFilesOpen(form.State()));
  for (QWidget* other : {static_cast<QWidget*>(form.Form2.get()), static_cast<QWidget*>(form.Form3.get()),
                         static_cast<QWidget*>(form.Form4.get()), static_cast<QWidget*>(form.FormHelp.get())}) {
    EXPECT_FALSE(other->isVisible());
  }
}

// The hand text lines up under the cell order above it only in a font of fixed pitch,
// whatever stands in for the Windows fonts the window names.
TEST(MainWindowStartUp, HandTextAndSyntaxLabelUseFixedPitchFonts) {
  WindowFixture window;
  TForm1& form = *window.form;
  for (QWidget* widget : {static_cast<QWidget*>(form.Edit1), static_cast<QWidget*>(form.Edit2),
                          static_cast<QWidget*>(form.LabelSyntax), static_cast<QWidget*>(form.Label8)}) {
    QFontInfo font(widget->font());
    EXPECT_TRUE(font.fixedPitch()) << font.family().toStdString();
  }
}

// The card display takes its six pictures from the faces the images show at start-up,
// so a Board drawn later shows each card's own face wherever it lies.
TEST(MainWindowStartUp, CardDisplayShowsEachCardsOwnFace) {
  WindowFixture window;
  TForm1& form = *window.form;
  form.State().display.ShowBoard(Board::FromText("2C3C2H4H4C3H"));
  const char* expected[] = {"2C", "3C", "2H", "4H", "4C", "3H"};
  for (int cell = 0; cell < PositionCount; ++cell) {
    EXPECT_EQ(form.CardImages[cell]->pixmap().toImage(), CardFace(expected[cell]).toImage())
        << "cell " << cell;
  }
}

struct Placement {
  QPoint image;
  QPoint frame;
  QPoint label;
};

// Board order C, CK, UP, T, N, NK.
const Placement Vertical[] = {{{192, 416}, {184, 408}, {280, 456}}, {{80, 448}, {72, 440}, {40, 496}},
                              {{192, 288}, {184, 280}, {280, 336}}, {{80, 288}, {72, 280}, {16, 328}},
                              {{192, 160}, {184, 152}, {280, 200}}, {{80, 136}, {72, 128}, {40, 176}}};
const Placement Horizontal[] = {{{32, 344}, {24, 336}, {64, 464}},   {{32, 178}, {24, 170}, {56, 298}},
                                {{144, 344}, {136, 336}, {176, 464}}, {{144, 178}, {136, 170}, {152, 298}},
                                {{256, 344}, {248, 336}, {288, 464}}, {{256, 178}, {248, 170}, {280, 298}}};

void ExpectLayout(TForm1& form, const Placement (&layout)[PositionCount], const char* name) {
  QWidget* frames[] = {form.Shape6, form.Shape5, form.Shape4, form.Shape3, form.Shape2, form.Shape1};
  QWidget* labels[] = {form.Label5, form.Label1, form.Label4, form.Label3, form.Label6, form.Label2};
  for (int cell = 0; cell < PositionCount; ++cell) {
    SCOPED_TRACE(std::string(name) + " cell " + std::to_string(cell));
    EXPECT_EQ(form.CardImages[cell]->pos(), layout[cell].image);
    EXPECT_EQ(frames[cell]->pos(), layout[cell].frame);
    EXPECT_EQ(labels[cell]->pos(), layout[cell].label);
  }
}

TEST(MainWindowLayout, SwitchMovesTheBoardAndRenamesTheItemBothWays) {
  WindowFixture window;
  TForm1& form = *window.form;
  EXPECT_EQ(form.Image4, form.CardImages[0]);
  EXPECT_EQ(form.Image1, form.CardImages[5]);
  ExpectLayout(form, Vertical, "at start");
  EXPECT_EQ(PlainCaption(form.stLayout), "Horizontal Layout");

  form.stLayout->trigger();
  ExpectLayout(form, Horizontal, "after one switch");
  EXPECT_EQ(PlainCaption(form.stLayout), "Vertical Layout");

  form.stLayout->trigger();
  ExpectLayout(form, Vertical, "after two switches");
  EXPECT_EQ(PlainCaption(form.stLayout), "Horizontal Layout");
}

// One menu item as a line of the table below. Qt counts a hidden item as disabled, so a
// hidden item shows only that it is hidden.
QString Row(const QString& menu, QAction* item) {
  if (item->isSeparator()) return menu + " | -";
  const char* state = !item->isVisible() ? "hidden" : item->isEnabled() ? "enabled" : "disabled";
  return QStringLiteral("%1 | %2 | %3 | %4").arg(menu, PlainCaption(item), item->shortcut().toString(), state);
}

TEST(MainWindowMenu, HoldsEveryItemInOrder) {
  WindowFixture window;
  QStringList rows;
  for (QAction* top : window.form->menuBar()->actions()) {
    for (QAction* item : top->menu()->actions()) rows << Row(PlainCaption(top), item);
  }
  const QStringList expected = {
      "File | Open Shoe | F1 | enabled",
      "File | Open Study... |  | enabled",
      "File | -",
      "File | Load Rules CK | F2 | enabled",
      "File | Load Rules NK | F3 | enabled",
      "File | -",
      "File | Horizontal Layout |  | enabled",
      "File | NK First Move |  | hidden",
      "File | -",
      "File | Save | F10 | enabled",
      "File | Quit |  | enabled",
      "Edit | cut |  | disabled",
      "Edit | Copy |  | enabled",
      "Edit | paste |  | disabled",
      "Edit | -",
      "Edit | ShowRules | Ctrl+F1 | enabled",
      "Edit | Clear Hand | Ctrl+F2 | enabled",
      "Analysis | Classify All Hands | Shift+F1 | enabled",
      "Analysis | Play All Hands Artificially | Shift+F2 | enabled",
      "Analysis | Show Output |  | enabled",
      "Analysis | -",
      "Analysis | Model Settings... |  | enabled",
      "Analysis | Statistics |  | enabled",
      "Analysis | Fit Model... |  | enabled",
      "Analysis | Fit Weights... |  | enabled",
      "Analysis | Check Fitted Model... |  | enabled",
      "Analysis | Check Recovery... |  | enabled",
      "Analysis | -",
      "Analysis | Run Experiment... |  | enabled",
      "Help | Help |  | enabled",
      "Help | About |  | enabled",
  };
  EXPECT_EQ(rows, expected);
}

TEST(MainWindowMenu, SaveDoesNothing) {
  WindowFixture window;
  TForm1& form = *window.form;
  form.show();
  form.SaveUno->trigger();
  EXPECT_TRUE(window.dialogs.asked.empty());
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(AllFilesOpen(form.State()));
  EXPECT_TRUE(form.Memo1->Lines().isEmpty());
  EXPECT_FALSE(form.Form3->isVisible());
}

TEST(MainWindowQuit, NoAndCancelKeepTheWindowAndItsFiles) {
  WindowFixture window;
  TForm1& form = *window.form;
  form.show();

  window.dialogs.QueueAnswer(Dialogs::Answer::No);
  form.QuitUno->trigger();
  window.dialogs.QueueAnswer(Dialogs::Answer::Cancel);
  EXPECT_FALSE(form.close());  // the close box asks the same question

  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(AllFilesOpen(form.State()));
  ASSERT_EQ(window.dialogs.asked.size(), 2u);
  for (const auto& asked : window.dialogs.asked) {
    EXPECT_EQ(asked.kind, ScriptedDialogs::Kind::Question);
    EXPECT_EQ(asked.text, "Are you sure you want to quit the program?");
  }
}

TEST(MainWindowQuit, YesFromTheCloseBoxClosesTheFilesAndTheWindow) {
  WindowFixture window;
  TForm1& form = *window.form;
  form.show();
  form.State().outputFiles.Amik().WriteLine("kept");

  window.dialogs.QueueAnswer(Dialogs::Answer::Yes);
  EXPECT_TRUE(form.close());

  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(AnyFileOpen(form.State()));
  EXPECT_EQ(ReadFile(window.OutputFolder() / "Amik.txt"), "kept\n");
}

TEST(MainWindowOutputLine, ClickFoldsItShutThenOpenInTurn) {
  WindowFixture window;
  TForm1& form = *window.form;
  EXPECT_EQ(form.Memo1->geometry(), QRect(359, 576, 442, 25));
  QTest::mouseClick(form.Memo1->viewport(), Qt::LeftButton);
  EXPECT_EQ(form.Memo1->geometry(), QRect(359, 528, 442, 25));
  QTest::mouseClick(form.Memo1->viewport(), Qt::LeftButton);
  EXPECT_EQ(form.Memo1->geometry(), QRect(359, 376, 442, 177));
  QTest::mouseClick(form.Memo1->viewport(), Qt::LeftButton);
  EXPECT_EQ(form.Memo1->geometry(), QRect(359, 528, 442, 25));
}

TEST(MainWindowCopy, CopiesTheSelectedTextOfTheMoveLines) {
  WindowFixture window;
  TForm1& form = *window.form;
  form.State().view.moveLines = {"CUT", "NNPT"};
  form.ShowState();
  QTextCursor cursor = form.Memo2->textCursor();
  cursor.setPosition(4);
  cursor.setPosition(8, QTextCursor::KeepAnchor);
  form.Memo2->setTextCursor(cursor);

  form.CopyUno->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "NNPT");
  EXPECT_EQ(form.Memo2->Lines(), QStringList({"CUT", "NNPT"}));
}

TEST(MainWindowShowState, DrawsWhatTheCommandsLeftInTheState) {
  WindowFixture window;
  TForm1& form = *window.form;
  SharedState& state = form.State();
  state.MoveString = "CUN";
  state.view.selectionStart = 1;
  state.view.selectionLength = 1;
  state.view.handText = "4H 4C 3H 3C 2H 2C";
  state.view.handNumber = "3";
  state.view.firstMoveCaption = "NK first move";
  state.view.handFirstMoveCaption = "NK first move";
  state.view.moveLines = {"CUT", "", "NNP"};
  state.view.frameMarked = {true, true, false, false, false, false};
  state.view.highlightedRole = RoleNK;
  state.view.passCaption = "PASSO";
  state.view.passMarked = true;
  state.view.changeRoleCaption = "CK First Move";
  form.ShowState();

  EXPECT_EQ(form.Edit2->text(), "CUN");
  EXPECT_EQ(form.Edit2->selectedText(), "U");
  EXPECT_EQ(form.Edit1->text(), "4H 4C 3H 3C 2H 2C");
  EXPECT_EQ(form.Edit4->text(), "3");
  EXPECT_EQ(form.Label7->text(), "NK first move");
  EXPECT_EQ(form.Label9->text(), "NK first move");
  EXPECT_EQ(form.Memo2->Lines(), QStringList({"CUT", "", "NNP"}));
  for (FrameShape* marked : {form.Shape6, form.Shape5}) {
    EXPECT_EQ(marked->PenColor(), QColor(0, 255, 255));
    EXPECT_EQ(marked->PenWidth(), 3);
  }
  for (FrameShape* rest : {form.Shape4, form.Shape3, form.Shape2, form.Shape1}) {
    EXPECT_EQ(rest->PenColor(), QColor(128, 128, 128));
    EXPECT_EQ(rest->PenWidth(), 1);
  }
  EXPECT_EQ(TextColor(form.Label2), QColor(0, 255, 255));
  EXPECT_EQ(TextColor(form.Label1), QColor(Qt::black));
  EXPECT_EQ(form.Passo->text(), "PASSO");
  EXPECT_EQ(form.Passo->palette().color(QPalette::ButtonText), QColor(0, 255, 255));
  EXPECT_EQ(PlainCaption(form.changerole), "CK First Move");

  state.view.selectionStart = 0;
  state.view.selectionLength = 0;
  state.view.highlightedRole = RoleCK;
  state.view.frameMarked = {};
  state.view.passMarked = false;
  form.ShowState();
  EXPECT_FALSE(form.Edit2->hasSelectedText());
  EXPECT_EQ(form.Edit2->cursorPosition(), 0);
  EXPECT_EQ(TextColor(form.Label1), QColor(0, 255, 255));
  EXPECT_EQ(TextColor(form.Label2), QColor(Qt::black));
  EXPECT_EQ(form.Shape6->PenWidth(), 1);
  EXPECT_EQ(form.Passo->palette().color(QPalette::ButtonText), QColor(Qt::black));
}

// Lines are collected while a command runs and shown when it ends.
TEST(MainWindowCommands, OutputLinesOfACommandReachBothMemosWhenItEnds) {
  WindowFixture window;
  TForm1& form = *window.form;
  form.State().io.AddLine(" Top ");
  form.State().io.OutputLine("   ");
  form.stLayout->trigger();  // any command redraws the window
  EXPECT_EQ(form.Memo1->toPlainText(), " Top \n");
  EXPECT_EQ(form.Form3->Memo1->toPlainText(), "   \n");
}

void LoadShoe(SharedState& state, std::string_view text) { state.HandList = ReadShoe(text).hands; }

TEST(MainWindowCommands, ClassifyAllHandsReportsAndShowsTheOutputWindow) {
  WindowFixture window;
  TForm1& form = *window.form;
  LoadShoe(form.State(), "4H 4C 3H 3C 2H 2C\nnot replayed\nUT\n");
  form.automatic1->trigger();

  EXPECT_EQ(window.dialogs.Messages(), QStringList({"Automatic analysis succesfully done!"}));
  EXPECT_TRUE(form.Form3->isVisible());
  const QStringList output = form.Form3->Memo1->Lines();
  ASSERT_GE(output.size(), 2);
  EXPECT_EQ(output[0], "   ");
  EXPECT_EQ(output[1], "   4H   4C   3H   3C   2H   2C CK");
  EXPECT_EQ(form.Edit2->text(), "");  // the command draws nothing on the board
}

// Double-clicks the first word of the move-lines list, as a user does.
void DoubleClickFirstMoveLine(TForm1& form) {
  QTextCursor start = form.Memo2->textCursor();
  start.setPosition(1);
  QTest::mouseDClick(form.Memo2->viewport(), Qt::LeftButton, {}, form.Memo2->cursorRect(start).center());
}

TEST(MainWindowCommands, DoubleClickOnAMoveLineReplaysTheWordUnderThePointer) {
  WindowFixture window;
  TForm1& form = *window.form;
  SharedState& state = form.State();
  LoadShoe(state, "4H 4C 3H 3C 2H 2C\nnot replayed\nUT\n");
  StartHand(state, state.HandList[0]);
  state.view.moveLines = {"UT"};
  form.ShowState();

  DoubleClickFirstMoveLine(form);
  EXPECT_EQ(form.Edit2->text(), "UT");
  EXPECT_TRUE(form.Memo1->Lines().contains("UT"));
  EXPECT_TRUE(window.dialogs.asked.empty());
}

TEST(MainWindowCommands, DoubleClickWithoutAHandSaysSo) {
  WindowFixture window;
  TForm1& form = *window.form;
  form.State().view.moveLines = {"UT"};
  form.ShowState();
  DoubleClickFirstMoveLine(form);
  EXPECT_EQ(window.dialogs.Messages(), QStringList({"ACTUAL = NIL !!!"}));
}

}  // namespace
}  // namespace bruso
