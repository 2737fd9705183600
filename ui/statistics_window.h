#pragma once

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
#include "ui/hand_table_model.h"

namespace bruso {

inline constexpr const char* StatisticsFilter = "PNG charts and CSV tables (*.png);;SVG charts and CSV tables (*.svg)";
inline constexpr const char* StatisticsSuffix = "png";
inline constexpr const char* NothingToSaveMessage =
    "No statistics yet: run Classify All Hands, Play All Hands Artificially or Fit Model first";

// The statistics window: the figures of the last "Classify All Hands", the last "Play All
// Hands Artificially" and the last fit, as tables and charts, one tab each, and a table of
// the hands. Its tables and charts can be saved.
class StatisticsWindow : public QMainWindow {
  Q_OBJECT

 public:
  StatisticsWindow(Dialogs& dialogs, const std::filesystem::path& output_folder);

  // `source`: the shoe the figures are of, shown above them.
  void ShowClassify(ClassifyStatistics statistics, const QString& source);
  void ShowPlay(PlayStatistics statistics, const QString& source);
  void ShowFit(std::vector<FitResult> fits, const QString& source);
  // The person's response times of an experiment session.
  void ShowResponseTimes(const std::vector<ResponseTimes>& times, const QString& source);
  // Told the fit of lowest AIC when the user takes its estimates into the model settings.
  std::function<void(const FitResult&)> onUseSettings;

  QTabWidget* Tabs;
  QTableWidget *ClassifyTable, *PlayTable, *FitTable;
  QLabel *ClassifySource, *PlaySource, *FitSource;
  QTableView* HandTable;
  HandTableModel* Hands;
  QChartView *AgreementChart, *PlaceChart, *MovesChart;
  QPushButton* UseSettings;
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
  void FillHands();
  struct SavedFile {
    std::filesystem::path path;
    std::string bytes;
  };
  // The tables and charts shown, named after `stem`: NAME-classify.csv, NAME-agreement.png...
  std::vector<SavedFile> FilesToSave(const std::filesystem::path& stem, bool svg);
  // True when none of the files is there, or the user lets them be replaced.
  bool MayReplace(const std::vector<SavedFile>& files);

  Dialogs& dialogs_;
  std::filesystem::path outputFolder_;
  std::optional<ClassifyStatistics> classify_;
  std::optional<PlayStatistics> play_;
  std::vector<FitResult> fits_;
};

}  // namespace bruso
