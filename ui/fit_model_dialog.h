#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "model/fit.h"
#include "model/rules_loading.h"

namespace bruso {

inline constexpr const char* NoLinesToFitMessage = "The open shoe holds no recorded line to fit";

// "Fit Model...": fits the model to the recorded lines of the shoe, the four variants or
// the one chosen, in a thread of its own, so that the window is drawn and the progress
// shown while it runs. Cancel stops the fit before the next hand is compiled or the next
// step of the search, and closes the dialog; a finished fit closes it accepted, with its
// results.
//
// The fit reads the caller's hands where they are, without a copy (a copy of a large shoe
// costs as much memory as the fit itself): the caller keeps them unchanged while the dialog
// exists. The window does, since the dialog is modal and nothing else edits the hands
// while it is open.
class FitModelDialog : public QDialog {
  Q_OBJECT

 public:
  FitModelDialog(const HandList& hands, const AnalysisSettings& settings, QWidget* parent = nullptr);
  ~FitModelDialog() override;

  // Adds the rule player of the two files to the fit, a row after the variants'.
  void AddRulePlayer(const RuleFiles& files, LoadedRulePlayer loaded);

  // The variants the choice stands for.
  std::vector<ModelVariant> ChosenVariants() const;
  bool Running() const { return worker_.joinable(); }
  const std::vector<FitResult>& Results() const { return results_; }

  QComboBox* Variants;
  QProgressBar* Progress;
  QLabel* Status;
  QPushButton *FitButton, *CancelButton;

 public slots:
  void StartFit();
  // While a fit runs: stops it, and closes the dialog once it has stopped.
  void reject() override;

 private:
  void Fit(std::vector<ModelVariant> variants);  // in the worker thread
  void FitEnded();
  void ShowProgress();

  const HandList& hands_;
  AnalysisSettings settings_;
  std::thread worker_;
  std::atomic<bool> stop_{false};
  std::atomic<int> searchesDone_{0};
  std::atomic<int> variantsDone_{0};
  QTimer progressTimer_;
  // Written by the worker, read after it has been joined.
  std::vector<FitResult> results_;
  std::vector<std::pair<RuleFiles, LoadedRulePlayer>> rulePlayers_;
  std::string failure_;
  bool cancelled_ = false;
};

}  // namespace bruso
