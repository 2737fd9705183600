#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMimeData>
#include <QMenu>
#include <QPointer>
#include <QPushButton>

#include "engine/folder_lock.h"
#include "session/shared_state.h"
#include "ui/about_box.h"
#include "ui/board_widgets.h"
#include "ui/classify_progress.h"
#include "ui/check_window.h"
#include "ui/dialogs.h"
#include "ui/experiment_runner.h"
#include "ui/fit_weights_dialog.h"
#include "ui/help_window.h"
#include "ui/line_memo.h"
#include "ui/output_window.h"
#include "ui/participants_window.h"
#include "ui/recovery_window.h"
#include "ui/rules_window.h"
#include "ui/statistics_window.h"
#include "ui/text_memo.h"

namespace bruso {

inline constexpr const char* QuitQuestion = "Are you sure you want to quit the program?";
inline constexpr const char* InputFileFilter = "File di Input (*.doc *.txt)";
inline constexpr const char* HorizontalLayoutCaption = "Horizontal Layout";
inline constexpr const char* VerticalLayoutCaption = "Vertical Layout";

// The main window. It owns the shared state with the engine objects and the four other
// windows, carries every control and menu command, and redraws itself from the state
// after each command. The commands themselves are core functions over the state.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // Builds the window, runs the start-up and creates the other windows, hidden. Throws
  // IoError when the output files cannot be opened (the output folder is missing, say).
  TForm1(const std::filesystem::path& start_directory, Dialogs& dialogs, std::uint64_t seed);
  ~TForm1() override;

  SharedState& State() { return state_; }

  // Draws everything the state describes besides the cards: the move string and its
  // selection, the hand texts, captions, move lines, frame marks, role labels and the
  // pass button. Runs after every command.
  void ShowState();

  // Applies the board layout that LayoutFlag names and switches the layout item's caption.
  void SetLayOut();

  // The file-open dialog of shoes and rules files, with its title: the chosen file, or empty.
  QString OpenDialog1(const QString& title = {});

  // The controls at their designed places, inside a scroll area for small screens.
  QWidget* Client;

  // --- Board ---
  QFrame* BoardFrame;
  QFrame* ButtonsFrame;
  CardImage *Image1, *Image2, *Image3, *Image4, *Image5, *Image6;
  FrameShape *Shape1, *Shape2, *Shape3, *Shape4, *Shape5, *Shape6;
  QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
  CardImageList CardImages;  // the six images in board order, for the card display

  // --- Buttons ---
  QPushButton *BitBtn1, *BitBtn2, *BitBtn3, *BitBtn4, *BitBtn5, *BitBtn6, *BitBtn7, *BitBtn8;
  QPushButton* Passo;

  // --- Text ---
  QLineEdit *Edit1, *Edit2, *Edit4;
  QLabel *Label7, *Label8, *Label9, *LabelSyntax;
  LineMemo* Memo1;
  TextMemo* Memo2;
  QLabel* ModelStatus;  // the status bar: the model settings changed and the seed of the last run

  // --- Menu ---
  QMenu *FileMenu, *EditMenu, *AnalysisMenu, *HelpMenu;
  QAction *ApriUno, *ArtificialPlayer1, *LoadRulesNK1, *stLayout, *changerole, *SaveUno, *QuitUno;
  QAction *CutUno, *CopyUno, *PasteUno, *ShowRules1, *Clear1;
  QAction *automatic1, *Players1, *ShowOutput, *ModelSettings1, *Statistics1, *FitModel1;
  QAction *Quitdoi, *Aboutunh;
  QAction* RunExperiment1;
  QAction* FitWeights1;
  QAction *OpenStudy1, *CheckFitted1, *CheckRecovery1;

  // When Classify All Hands shows its progress and Cancel.
  ProgressTiming ClassifyProgressTiming;

  // --- The other windows, created hidden after the start-up ---
  std::unique_ptr<TForm2> Form2;
  std::unique_ptr<TForm3> Form3;
  std::unique_ptr<TForm4> Form4;
  std::unique_ptr<TFormHelp> FormHelp;
  std::unique_ptr<StatisticsWindow> FormStatistics;
  std::unique_ptr<RecoveryWindow> FormRecovery;
  std::unique_ptr<CheckWindow> FormCheck;
  std::unique_ptr<ParticipantsWindow> FormParticipants;

 public slots:
  // Hands and moves.
  void BitBtn1Click();
  void BitBtn2Click();
  void Button9Click();
  void BottoneDXClick(int tag);
  void Button10Click();
  void Image4Click();
  void Image5Click();
  void Image2Click();
  void Image6Click();
  void passoClick();
  void Clear1Click();
  void changeroleClick();
  void Memo1Click();
  void Memo2DblClick();

  // Artificial play and rules.
  void BitBtn3Click();
  void Button1Click();
  void ArtificialPlayer1Click();
  void LoadRulesNK1Click();
  void ShowRules1Click();
  void Players1Click();

  // Shoes, analysis and the window itself.
  void ApriUnoClick();
  // Opens the shoe file as Open Shoe does once the file is chosen (a shoe dropped on the
  // window comes here too).
  void OpenShoeFile(const QString& file);
  void automatic1Click();
  void stLayoutClick();
  void SaveUnoClick();
  void QuitUnoClick();
  void CopyUnoClick();
  void ShowOutputClick();
  void ModelSettings1Click();
  void Statistics1Click();
  void FitModel1Click();
  // "Fit Weights...": fits the weights of the loaded rules files to the open shoe.
  void FitWeights1Click();
  // "Open Study...": a shoe with its groups file, or several shoes, replace the open shoe as
  // one study, and the participants window shows it.
  void OpenStudy1Click();
  // "Check Recovery..." and "Check Fitted Model...": their windows, set to the open shoe.
  void CheckRecovery1Click();
  void CheckFitted1Click();
  // "Run Experiment...": asks for the session's plan and starts it.
  void RunExperiment1Click();
  // Takes a fit's variant and estimates into the model settings.
  void UseFitSettings(const FitResult& fit);
  // What the figures of each of the statistics window's tabs would be made from now: the
  // open shoe, the settings that bear on them and the seed of the last run.
  FiguresOrigin ClassifyOrigin() const;
  FiguresOrigin PlayOrigin() const;
  FiguresOrigin FitOrigin() const;
  void QuitdoiClick();
  void AboutunhClick();

 protected:
  // Every request to close the window goes through the quit question.
  void closeEvent(QCloseEvent* event) override;
  // A shoe file dragged from a file manager and dropped on the window opens.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildBoard();
  void BuildButtons();
  void BuildTextControls();
  void BuildMenu();
  void ConnectCommands();
  void FormCreate(const std::filesystem::path& start_directory, std::uint64_t seed);
  void CreateOtherWindows();

  // Runs a command: its input/output error ends it with a message box; then the window
  // redraws from the state.
  void Run(const std::function<void()>& command);
  // The handler as a command to connect to a control.
  std::function<void()> Command(void (TForm1::*handler)());

  // Asks the quit question; on Yes closes the output files. True when the program may end.
  bool ConfirmQuit();
  void ShowMoveLines();
  // The loaded rules files read afresh, for a fit; none unless both are loaded. Throws
  // IoError when one cannot be read now.
  std::optional<RulesToFit> LoadedRulesToFit() const;
  // The one local file that a drag carries, or empty.
  static QString DroppedFile(const QMimeData* data);

  // A click on a card or the pass button: a move of manual play, or the person's click in
  // an experiment session.
  void PlayCard(char letter);

  // The experiment session runs in the window and drives its commands and boxes.
  friend class ExperimentRunner;

  Dialogs& dialogs_;
  // Held while the window runs, so that no other run empties its files; declared before
  // the state, so that it goes after the files are closed.
  std::optional<FolderLock> outputLock_;
  SharedState state_;
  std::array<FrameShape*, PositionCount> frames_{};   // in board order
  std::array<QLabel*, PositionCount> positionLabels_{};  // in board order
  QStringList shownMoveLines_;
  bool quitting_ = false;
  QString shoeFile_;  // the shoe last opened
  int shoeOpenings_ = 0;  // how many times a shoe was opened: tells the figures of each apart
  QPointer<ExperimentRunner> experiment_;  // the session running, if any
};

}  // namespace bruso
