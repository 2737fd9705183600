#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QAction>
#include <QChartView>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>

#include "model/fit.h"
#include "session/response_times.h"
#include "session/run_statistics.h"
#include "ui/dialogs.h"
#include "ui/figure_files.h"
#include "ui/hand_table_model.h"

namespace bruso {

inline constexpr const char* StatisticsFilter = FiguresFilter;
inline constexpr const char* StatisticsSuffix = FiguresSuffix;
inline constexpr const char* NothingToSaveMessage =
    "No statistics yet: run Classify All Hands, Play All Hands Artificially or Fit Model first";

// What a tab's figures were made from: the shoe (the how-many-th shoe opened, so that a
// shoe opened again from the same file counts as another), the settings that bear on
// them, and the seed of the run. The window is also told what a run would use now.
struct FiguresOrigin {
  int shoeOpening = 0;
  QString shoeFile;  // its name, without the folder
  qsizetype hands = 0;
  QString settings;  // "model: conflict 0, ...", "rules: ...", or empty where none bear
  std::optional<std::uint64_t> seed;  // none for a fit, which draws no random number

  QString ShoeCaption() const;  // "Shoe: small_shoe.txt (12 hands)"
};

// The statistics window: the figures of the last "Classify All Hands", the last "Play All
// Hands Artificially" and the last fit, as tables and charts, one tab each, and a table of
// the hands. Its tables and charts can be saved.
class StatisticsWindow : public QMainWindow {
  Q_OBJECT

 public:
  StatisticsWindow(Dialogs& dialogs, const std::filesystem::path& output_folder);

  // `origin`: the shoe, settings and seed the figures are of, shown above them.
  void ShowClassify(ClassifyStatistics statistics, const FiguresOrigin& origin);
  void ShowPlay(PlayStatistics statistics, const FiguresOrigin& origin);
  void ShowFit(std::vector<FitResult> fits, const FiguresOrigin& origin);
  // What a run of each kind would be made from now: a tab whose figures are of another
  // shoe or other settings says so.
  void SetCurrent(const FiguresOrigin& classify, const FiguresOrigin& play, const FiguresOrigin& fit);
  // The person's response times of an experiment session; `source` names its files.
  void ShowResponseTimes(const std::vector<ResponseTimes>& times, const QString& source);
  // The rows of the fit shown, the uniform player's last; none before a fit.
  const std::vector<FitResult>& Fits() const { return fits_; }
  // Told the fit of lowest AIC when the user takes its estimates into the model settings.
  std::function<void(const FitResult&)> onUseSettings;
  // Asked to fit the weights of the loaded rules files.
  std::function<void()> onFitWeights;

  QTabWidget* Tabs;
  QTableWidget *ClassifyTable, *PlayTable, *FitTable;
  QLabel *ClassifySource, *PlaySource, *FitSource, *HandsSource;
  QTableView* HandTable;
  HandTableModel* Hands;
  QChartView *AgreementChart, *PlaceChart, *MovesChart;
  QPushButton *UseSettings, *FitWeights;
  QLabel* BestVariant;
  QAction *SaveStatistics, *CloseMenu;
  QTableWidget* ResponseTable;
  QLabel* ResponseSource;
  QChartView* ResponseChart;

 public slots:
  // Writes every table as CSV and every chart as PNG or SVG, named after the file the user
  // chooses.
  void SaveStatisticsClick();
  void UseSettingsClick();

 private:
  QWidget* NewSummaryTab(QTableWidget*& table, QLabel*& source, std::initializer_list<QChartView**> charts);
  QWidget* NewFitTab();
  QWidget* NewHandsTab();
  void FillHands();
  // The figures of one kind with where they come from and what a run would use now.
  struct Origins {
    std::optional<FiguresOrigin> shown;
    FiguresOrigin now;
  };
  // Writes above each tab's figures where they come from, and whether they still match.
  void ShowOrigins();
  // The tables and charts shown, named after `stem`: NAME-classify.csv, NAME-agreement.png...
  std::vector<SavedFile> FilesToSave(const std::filesystem::path& stem, bool svg);

  Dialogs& dialogs_;
  std::filesystem::path outputFolder_;
  std::optional<ClassifyStatistics> classify_;
  std::optional<PlayStatistics> play_;
  std::vector<FitResult> fits_;  // the rows of the fit table, the uniform player last
  Origins classifyOrigin_, playOrigin_, fitOrigin_;
  int handsShoe_ = 0;  // the Hands tab shows the figures of this opening of a shoe only
};

}  // namespace bruso
