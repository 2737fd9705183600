#include "ui/main_window.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QStatusBar>
#include <QWindow>

#include "engine/io_error.h"
#include "engine/text_file.h"
#include "model/fit_data.h"
#include "session/artificial_play.h"
#include "session/classify_commands.h"
#include "session/hand_navigation.h"
#include "session/model_settings.h"
#include "session/play_commands.h"
#include "session/rules_commands.h"
#include "session/run_statistics.h"
#include "session/shoe_commands.h"
#include "ui/experiment_dialog.h"
#include "ui/fit_model_dialog.h"
#include "ui/fit_weights_dialog.h"
#include "ui/study_opening.h"
#include "ui/fonts.h"
#include "ui/model_settings_dialog.h"
#include "ui/text_conversion.h"
#include "ui/window_geometry.h"
#include "ui/window_keys.h"

namespace bruso {

namespace {

// The client area as designed, below the menu bar.
constexpr QSize ClientSize{823, 645};

// The hourglass while a batch command runs through all hands.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// What "Play All Hands Artificially" asks of the window: the iteration number and the
// hourglass; it counts the plays for the statistics window.
class WindowPlayAllPrompts : public PlayAllPrompts {
 public:
  explicit WindowPlayAllPrompts(Dialogs& dialogs) : dialogs_(dialogs) {}
  ~WindowPlayAllPrompts() override {
    if (busy_) QApplication::restoreOverrideCursor();
  }
  std::string AskIterationNumber() override {
    const QString title = QStringLiteral("Iteration Number");
    return ToBytes(dialogs_.InputBox(title, title, QStringLiteral("1")));
  }
  void ShowBusyCursor(bool on) override {
    if (on == busy_) return;
    busy_ = on;
    if (on) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
  }
  bool HandPlayed(int hands_done) override {
    tally.HandBegun(hands_done);
    return true;
  }
  bool Played(const PlayRecord& play) override {
    tally.Played(play);
    return true;
  }

  PlayTally<HandPlays> tally;

 private:
  Dialogs& dialogs_;
  bool busy_ = false;
};

// The ">" button's tag; "<" has tag 1.
constexpr int NextMoveTag = 2;

}  // namespace

TForm1::TForm1(const std::filesystem::path& start_directory, Dialogs& dialogs, std::uint64_t seed)
    : dialogs_(dialogs) {
  setWindowTitle(QStringLiteral("Bruso"));
  setFont(PixelFont("MS Sans Serif", 11));
  Client = new QWidget;
  Client->setFixedSize(ClientSize);
  Client->setToolTip(QStringLiteral("Bruso"));
  setCentralWidget(ScrollingArea(Client));
  setAcceptDrops(true);

  BuildBoard();
  BuildButtons();
  BuildTextControls();
  BuildMenu();
  ModelStatus = new QLabel;
  // A long account of the settings (fitted probabilities) goes on over more lines.
  ModelStatus->setWordWrap(true);
  statusBar()->addWidget(ModelStatus, 1);
  // The controls' area as large as the controls where the screen has room, so that nothing
  // scrolls there; on a smaller screen it leaves room for the menu and two lines of status.
  const int bars = menuBar()->sizeHint().height() + 2 * ModelStatus->fontMetrics().lineSpacing() + 8;
  centralWidget()->setMinimumSize(ClientSize.boundedTo(ScreenRoom(this) - QSize(0, bars)));
  ConnectCommands();
  FormCreate(start_directory, seed);
  CreateOtherWindows();
  AddButtonKeys(this, {{QKeySequence(Qt::Key_Left), BitBtn4},
                       {QKeySequence(Qt::Key_Right), BitBtn5},
                       {QKeySequence(Qt::Key_PageUp), BitBtn1},
                       {QKeySequence(Qt::Key_PageDown), BitBtn2}});
  ShowState();
  adjustSize();
}

TForm1::~TForm1() {
  delete experiment_;  // a session still running goes before the state it plays on
  // The memos go with the windows; nothing may write to them afterwards.
  state_.io.SetMemo(nullptr);
  state_.io.SetOutputWindow(nullptr);
}

void TForm1::FormCreate(const std::filesystem::path& start_directory, std::uint64_t seed) {
  state_.messages = &dialogs_;
  CardImages.SetImages({Image4, Image3, Image5, Image2, Image6, Image1});
  SetTextColor(Passo, Qt::black);
  // The folder's lock before its files, then the engine objects, the output files, the
  // analysis defaults and the seed.
  const std::filesystem::path output_folder = start_directory / OutputFolderName;
  outputLock_.emplace(output_folder);
  StartUp(state_, {.startDirectory = start_directory, .outputFolder = output_folder, .cardImages = &CardImages,
                   .seed = seed});
  state_.io.SetMemo(Memo1);
  SetLayOut();
}

void TForm1::CreateOtherWindows() {
  Form2 = std::make_unique<TForm2>(this);
  Form3 = std::make_unique<TForm3>(dialogs_, state_.OutputFolder);
  Form4 = std::make_unique<TForm4>();
  FormHelp = std::make_unique<TFormHelp>();
  FormStatistics = std::make_unique<StatisticsWindow>(dialogs_, state_.OutputFolder);
  FormRecovery = std::make_unique<RecoveryWindow>(dialogs_, state_.OutputFolder);
  FormCheck = std::make_unique<CheckWindow>(dialogs_, state_.OutputFolder);
  FormParticipants = std::make_unique<ParticipantsWindow>(dialogs_, state_.OutputFolder);
  FormStatistics->onUseSettings = [this](const FitResult& fit) { Run([this, &fit] { UseFitSettings(fit); }); };
  FormStatistics->onFitWeights = [this] {
    if (FitWeights1->isEnabled()) FitWeights1->trigger();
  };
  state_.io.SetOutputWindow(Form3->Memo1);
}

void TForm1::Run(const std::function<void()>& command) {
  try {
    command();
    // What the command wrote is on disk when it ends, for whoever opens the files now.
    state_.iodef.FlushFiles(state_.outputFiles);
  } catch (const IoError& error) {
    dialogs_.Error(ErrorText(error));
  }
  ShowState();
}

std::function<void()> TForm1::Command(void (TForm1::*handler)()) {
  return [this, handler] { Run([this, handler] { (this->*handler)(); }); };
}

void TForm1::ConnectCommands() {
  const std::pair<QPushButton*, void (TForm1::*)()> button_commands[] = {
      {BitBtn1, &TForm1::BitBtn1Click}, {BitBtn2, &TForm1::BitBtn2Click},
      {BitBtn3, &TForm1::BitBtn3Click}, {BitBtn6, &TForm1::Button9Click},
      {BitBtn7, &TForm1::Button10Click}, {BitBtn8, &TForm1::Button1Click},
      {Passo, &TForm1::passoClick}};
  for (auto [button, handler] : button_commands) connect(button, &QPushButton::clicked, this, Command(handler));
  for (QPushButton* step : {BitBtn4, BitBtn5}) {
    connect(step, &QPushButton::clicked, this,
            [this, step] { Run([this, step] { BottoneDXClick(step->property("tag").toInt()); }); });
  }

  const std::pair<CardImage*, void (TForm1::*)()> card_commands[] = {
      {Image4, &TForm1::Image4Click}, {Image5, &TForm1::Image5Click},
      {Image2, &TForm1::Image2Click}, {Image6, &TForm1::Image6Click}};
  for (auto [image, handler] : card_commands) {
    connect(image, &CardImage::clicked, this, Command(handler));
  }
  connect(Memo1, &LineMemo::clicked, this, Command(&TForm1::Memo1Click));
  connect(Memo2, &TextMemo::doubleClicked, this, Command(&TForm1::Memo2DblClick));

  const std::pair<QAction*, void (TForm1::*)()> menu_commands[] = {
      {ApriUno, &TForm1::ApriUnoClick},
      {ArtificialPlayer1, &TForm1::ArtificialPlayer1Click},
      {LoadRulesNK1, &TForm1::LoadRulesNK1Click},
      {stLayout, &TForm1::stLayoutClick},
      {changerole, &TForm1::changeroleClick},
      {SaveUno, &TForm1::SaveUnoClick},
      {QuitUno, &TForm1::QuitUnoClick},
      {CopyUno, &TForm1::CopyUnoClick},
      {ShowRules1, &TForm1::ShowRules1Click},
      {Clear1, &TForm1::Clear1Click},
      {automatic1, &TForm1::automatic1Click},
      {Statistics1, &TForm1::Statistics1Click},
      {FitModel1, &TForm1::FitModel1Click},
      {FitWeights1, &TForm1::FitWeights1Click},
      {RunExperiment1, &TForm1::RunExperiment1Click},
      {OpenStudy1, &TForm1::OpenStudy1Click},
      {CheckRecovery1, &TForm1::CheckRecovery1Click},
      {CheckFitted1, &TForm1::CheckFitted1Click},
      {Players1, &TForm1::Players1Click},
      {ShowOutput, &TForm1::ShowOutputClick},
      {ModelSettings1, &TForm1::ModelSettings1Click},
      {Quitdoi, &TForm1::QuitdoiClick},
      {Aboutunh, &TForm1::AboutunhClick},
  };
  for (auto [action, handler] : menu_commands) connect(action, &QAction::triggered, this, Command(handler));
}

void TForm1::ShowState() {
  const WindowState& view = state_.view;
  Edit2->setText(ToQString(state_.MoveString));
  // A selection left from a longer move string selects what is left of it, or nothing.
  const int length = static_cast<int>(Edit2->text().size());
  const int start = std::min(view.selectionStart, length);
  if (view.selectionLength > 0 && start < length) {
    Edit2->setSelection(start, std::min(view.selectionLength, length - start));
  } else {
    Edit2->setCursorPosition(start);
  }
  Edit1->setText(ToQString(view.handText));
  Edit4->setText(ToQString(view.handNumber));
  Label7->setText(ToQString(view.firstMoveCaption));
  Label7->adjustSize();
  Label9->setText(ToQString(view.handFirstMoveCaption));
  Label9->adjustSize();
  ShowMoveLines();

  for (int cell = 0; cell < PositionCount; ++cell) frames_[cell]->SetMarked(view.frameMarked[cell]);
  SetTextColor(Label1, view.highlightedRole == RoleCK ? AquaColor : QColor(Qt::black));
  SetTextColor(Label2, view.highlightedRole == RoleNK ? AquaColor : QColor(Qt::black));
  Passo->setText(ToQString(view.passCaption));
  SetTextColor(Passo, view.passMarked ? AquaColor : QColor(Qt::black));
  changerole->setText(WithMnemonic(ToQString(view.changeRoleCaption), QStringLiteral("First")));
  setWindowTitle(shoeFile_.isEmpty() ? QStringLiteral("Bruso")
                                     : QFileInfo(shoeFile_).fileName() + QStringLiteral(" - Bruso"));
  ModelStatus->setText(ToQString(ModelSettingsLine(state_)));
  FormStatistics->SetCurrent(ClassifyOrigin(), PlayOrigin(), FitOrigin());

  Memo1->Flush();
  Form3->Memo1->Flush();
}

void TForm1::ShowMoveLines() {
  QStringList lines;
  for (const std::string& line : state_.view.moveLines) lines << ToQString(line);
  // Refilling the list on every command would lose the user's place and selection in it.
  if (lines == shownMoveLines_) return;
  Memo2->SetLines(lines);
  shownMoveLines_ = lines;
}

QString TForm1::OpenDialog1(const QString& title) {
  return dialogs_.OpenFile(title, PathToQString(state_.StartDirectory), QString::fromLatin1(InputFileFilter));
}

// --- Hands and moves: the commands of manual play ---

void TForm1::BitBtn1Click() {
  bruso::PreviousHand(state_);
}

void TForm1::BitBtn2Click() {
  bruso::NextHand(state_);
}

void TForm1::Button9Click() {
  bruso::GoToStart(state_);
}

void TForm1::BottoneDXClick(int tag) {
  bruso::StepMove(state_, tag == NextMoveTag);
}

void TForm1::Button10Click() {
  bruso::GoToEnd(state_);
}

void TForm1::Image4Click() {
  PlayCard('C');
}

void TForm1::Image5Click() {
  PlayCard('U');
}

void TForm1::Image2Click() {
  PlayCard('T');
}

void TForm1::Image6Click() {
  PlayCard('N');
}

void TForm1::passoClick() {
  PlayCard('P');
}

void TForm1::PlayCard(char letter) {
  if (experiment_ && experiment_->Running()) {
    experiment_->PersonClick(std::string(1, letter));
  } else {
    bruso::PlayMove(state_, letter);
  }
}

void TForm1::Clear1Click() {
  bruso::ClearHand(state_);
}

void TForm1::changeroleClick() {
  bruso::SwitchFirstMover(state_);
}

void TForm1::Memo1Click() {
  // Folds the output line open over the move lines, or shut to one line.
  constexpr int ShutTop = 528;
  Memo1->raise();
  if (Memo1->y() == ShutTop) {
    Memo1->setGeometry(Memo1->x(), 376, Memo1->width(), 177);
  } else {
    Memo1->setGeometry(Memo1->x(), ShutTop, Memo1->width(), 25);
  }
}

void TForm1::Memo2DblClick() {
  bruso::Memo2DblClick(state_, ToBytes(Memo2->SelectedText()));
}

// --- Artificial play and rules ---

void TForm1::BitBtn3Click() {
  bruso::ArtificialMovePlay(state_);
}

void TForm1::Button1Click() {
  bruso::ArtificialHandPlay(state_);
}

void TForm1::ArtificialPlayer1Click() {
  const QString file = OpenDialog1(PlainCaption(ArtificialPlayer1));
  if (!file.isEmpty()) bruso::LoadRulesCK(state_, QStringToPath(file).string());
}

void TForm1::LoadRulesNK1Click() {
  const QString file = OpenDialog1(PlainCaption(LoadRulesNK1));
  if (!file.isEmpty()) bruso::LoadRulesNK(state_, QStringToPath(file).string());
}

void TForm1::ShowRules1Click() {
  Form4->SetLines(bruso::ShowRules(state_));
  ShowCentred(Form4.get());
}

void TForm1::Players1Click() {
  WindowPlayAllPrompts prompts(dialogs_);
  const bool played = SeededRun(state_, [&] { return bruso::PlayAllHandsArtificially(state_, prompts).has_value(); });
  if (!played) return;
  ShowCentred(Form3.get());
  BusyCursor busy;  // the recorded lines are replayed for the comparison
  PlayStatistics statistics = PlayStatisticsOf(state_, std::move(prompts.tally));
  statistics.seed = state_.LastRunSeed.value_or(0);
  FormStatistics->ShowPlay(std::move(statistics), PlayOrigin());
}

// --- Shoes, analysis and the window ---

void TForm1::ApriUnoClick() {
  // Asked before anything is emptied: a cancelled dialog leaves the shoe, the hand and
  // its figures as they were.
  const QString file = OpenDialog1();
  if (!file.isEmpty()) OpenShoeFile(file);
}

void TForm1::OpenShoeFile(const QString& file) {
  bruso::ClearForOpenShoe(state_);
  shoeFile_ = file;
  ++shoeOpenings_;
  bruso::PerformFileOpen(state_, QStringToPath(file).string());
}

QString TForm1::DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl& url = data->urls().front();
  return url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile() ? url.toLocalFile() : QString();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  // Not while Open Shoe may not be chosen (in an experiment session, say).
  if (ApriUno->isEnabled() && !DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  const QString file = DroppedFile(event->mimeData());
  if (!ApriUno->isEnabled() || file.isEmpty()) return;
  event->acceptProposedAction();
  Run([this, &file] { OpenShoeFile(file); });
}

void TForm1::automatic1Click() {
  // Only the output of the last run is kept: the memo's lines of earlier runs would pile up.
  Memo1->Clear();
  ClassifyProgress progress(this, RecordedLineCount(state_.HandList), ClassifyProgressTiming);
  ClassifyStatistics statistics;
  {
    BusyCursor busy;
    SeededRun(state_, [&] {
      statistics = ClassifyAllHandsWithFigures(state_, state_.LapseRate, &progress);
      return true;
    });
  }
  if (progress.Cancelled()) {
    // The figures of part of the shoe would pass for the whole shoe's: the tab keeps its own.
    state_.ShowMessage(CancelledClassifyText(progress.LinesDone(), progress.TotalLines()));
  } else {
    statistics.seed = state_.LastRunSeed.value_or(0);
    FormStatistics->ShowClassify(std::move(statistics), ClassifyOrigin());
    // The cursor is back before the message box.
    state_.ShowMessage(ClassifiedMessage);
  }
  ShowCentred(Form3.get());
}

void TForm1::stLayoutClick() { SetLayOut(); }

void TForm1::SaveUnoClick() {
  // The item is there, and does nothing.
}

bool TForm1::ConfirmQuit() {
  if (quitting_) return true;
  if (dialogs_.Question(QString::fromLatin1(QuitQuestion)) != Dialogs::Answer::Yes) return false;
  try {
    state_.iodef.CloseFiles(state_.outputFiles);
  } catch (const IoError& error) {
    // A file that could not be closed may have lost output: say so and stay open.
    dialogs_.Error(ErrorText(error));
    return false;
  }
  quitting_ = true;
  return true;
}

void TForm1::QuitUnoClick() {
  if (!ConfirmQuit()) return;
  close();
  QCoreApplication::quit();
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (!ConfirmQuit()) {
    event->ignore();
    return;
  }
  event->accept();
  for (QWidget* window : {static_cast<QWidget*>(Form2.get()), static_cast<QWidget*>(Form3.get()),
                          static_cast<QWidget*>(Form4.get()), static_cast<QWidget*>(FormHelp.get()),
                          static_cast<QWidget*>(FormStatistics.get()), static_cast<QWidget*>(FormRecovery.get()),
                          static_cast<QWidget*>(FormCheck.get()), static_cast<QWidget*>(FormParticipants.get())}) {
    window->hide();
  }
  QCoreApplication::quit();
}

void TForm1::CopyUnoClick() { Memo2->copy(); }

void TForm1::ShowOutputClick() { ShowCentred(Form3.get()); }

void TForm1::ModelSettings1Click() {
  ModelSettingsDialog dialog(CurrentModelSettings(state_), this);
  if (dialogs_.EditModelSettings(dialog)) ApplyModelSettings(state_, dialog.Settings());
}

FiguresOrigin TForm1::FitOrigin() const {
  // A fit draws no random number, and the model settings do not bear on it.
  return {.shoeOpening = shoeOpenings_,
          .shoeFile = QFileInfo(shoeFile_).fileName(),
          .hands = static_cast<qsizetype>(state_.HandList.size())};
}

FiguresOrigin TForm1::ClassifyOrigin() const {
  FiguresOrigin origin = FitOrigin();
  origin.settings = QStringLiteral("model: ") + ToQString(ModelSettingsText(CurrentModelSettings(state_)));
  origin.seed = state_.LastRunSeed;
  return origin;
}

FiguresOrigin TForm1::PlayOrigin() const {
  FiguresOrigin origin = FitOrigin();
  const auto name = [](const std::string& path) { return PathToQString(std::filesystem::path(path).filename()); };
  origin.settings = QStringLiteral("rules: CK %1, NK %2").arg(name(state_.RulesFileCK), name(state_.RulesFileNK));
  origin.seed = state_.LastRunSeed;
  return origin;
}

void TForm1::Statistics1Click() { ShowCentred(FormStatistics.get()); }

void TForm1::FitModel1Click() {
  if (RecordedLineCount(state_.HandList) == 0) {
    dialogs_.Message(QString::fromLatin1(NoLinesToFitMessage));
    return;
  }
  FitModelDialog dialog(state_.HandList, state_.analysis, this);
  // The loaded rules files get a row of their own, read as a freshly started program reads them.
  if (const std::optional<RulesToFit> rules = LoadedRulesToFit()) dialog.AddRulePlayer(rules->files, rules->loaded);
  if (!dialogs_.RunFit(dialog)) return;
  FormStatistics->ShowFit(dialog.Results(), FitOrigin());
  ShowCentred(FormStatistics.get());
}

std::optional<RulesToFit> TForm1::LoadedRulesToFit() const {
  if (state_.RulesFileCK.empty() || state_.RulesFileNK.empty()) return std::nullopt;
  RulesToFit rules{.files = {state_.RulesFileCK, state_.RulesFileNK}};
  rules.loaded = LoadRulePlayer(rules.files);
  rules.ckText = ReadWholeFile(rules.files.ck);
  rules.nkText = ReadWholeFile(rules.files.nk);
  return rules;
}

void TForm1::FitWeights1Click() {
  std::optional<RulesToFit> rules = LoadedRulesToFit();
  if (!rules) {
    dialogs_.Message(QString::fromLatin1(NoRulesToFitMessage));
    return;
  }
  if (RecordedLineCount(state_.HandList) == 0) {
    dialogs_.Message(QString::fromLatin1(NoLinesToFitMessage));
    return;
  }
  FitWeightsDialog dialog(state_.HandList, std::move(*rules), QStringToPath(shoeFile_).string(), dialogs_, this);
  dialogs_.RunFitWeights(dialog);
}

void TForm1::OpenStudy1Click() {
  const QStringList files = dialogs_.OpenFiles(QStringLiteral("Open Study"), PathToQString(state_.StartDirectory),
                                               QString::fromLatin1(StudyFileFilter));
  if (files.isEmpty()) return;
  OpenedStudy study;
  try {
    study = ReadStudy(files);  // before anything is cleared: a study that cannot be read changes nothing
  } catch (const std::exception& error) {
    dialogs_.Error(QString::fromStdString(error.what()));
    return;
  }
  bruso::ClearForOpenShoe(state_);
  shoeFile_ = study.shoeFile;
  ++shoeOpenings_;
  state_.CurrentHand = nullptr;
  state_.HandList = std::move(study.hands);
  state_.HandIndex = 0;
  bruso::ShowHand(state_);
  FormParticipants->SetStudy(std::move(study.participants), study.caption);
  ShowCentred(FormParticipants.get());
}

void TForm1::CheckRecovery1Click() {
  FormRecovery->SetShoe(state_.HandList, FitOrigin());
  ShowCentred(FormRecovery.get());
}

void TForm1::CheckFitted1Click() {
  FormCheck->SetModel(state_.HandList, FitOrigin(), CurrentModelSettings(state_), FormStatistics->Fits());
  ShowCentred(FormCheck.get());
}

void TForm1::RunExperiment1Click() {
  ExperimentDialog dialog(state_, shoeFile_, dialogs_, this);
  if (!dialogs_.EditExperiment(dialog)) return;
  if (dialog.ShoeFile() != shoeFile_) OpenShoeFile(dialog.ShoeFile());
  experiment_ = new ExperimentRunner(*this, dialog.Plan());
}

void TForm1::UseFitSettings(const FitResult& fit) {
  ApplyModelSettings(state_, WithFitEstimates(CurrentModelSettings(state_), fit));
}

void TForm1::QuitdoiClick() {
  dialogs_.Message(PathToQString(state_.StartDirectory));
  const int extra_width = static_cast<int>(state_.random.Next() * 2);
  FormHelp->LoadHelpPage(state_.StartDirectory, extra_width);
  FitOnScreen(FormHelp.get(), FormHelp->size());
  CentreOnScreen(FormHelp.get());
  FormHelp->exec();
}

void TForm1::AboutunhClick() {
  setEnabled(false);
  // Owned by the main window, the box stays above it while the main window is disabled.
  Form2->winId();
  winId();
  Form2->windowHandle()->setTransientParent(windowHandle());
  ShowCentred(Form2.get());
}

}  // namespace bruso
