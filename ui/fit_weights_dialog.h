#pragma once

#include <atomic>
#include <string>
#include <thread>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include "model/rules_loading.h"
#include "model/weight_search.h"
#include "ui/dialogs.h"

namespace bruso {

inline constexpr const char* NoRulesToFitMessage =
    "Load Rules CK and Load Rules NK first: Fit Weights fits the weights of both rules files";

// The two rules files whose weights are fitted, as read when the dialog was opened.
struct RulesToFit {
  RuleFiles files;
  LoadedRulePlayer loaded;
  std::string ckText, nkText;  // the files' own text, kept in the fitted files
};

// "Fit Weights...": searches the weights of fields 2 to 18 of both rules files for the
// highest likelihood of the shoe's recorded lines, as bruso-batch fit-weights does, in a
// thread of its own with the trials counted and Cancel. The result shows the fit before and
// after and the weights found, and Save writes the two fitted rules files.
//
// The search reads the caller's hands where they are, without a copy: the caller keeps them
// unchanged while the dialog exists, as the window does by showing it modal.
class FitWeightsDialog : public QDialog {
  Q_OBJECT

 public:
  // `shoe` is named in the fitted files.
  FitWeightsDialog(const HandList& hands, RulesToFit rules, std::string shoe, Dialogs& dialogs,
                   QWidget* parent = nullptr);
  ~FitWeightsDialog() override;

  bool Running() const { return worker_.joinable(); }
  bool HasResult() const { return hasResult_; }
  const WeightSearchResult& Result() const { return result_; }

  QSpinBox *LowWeight, *HighWeight;
  QProgressBar* Progress;
  QLabel* Status;
  QPlainTextEdit* Report;
  QLineEdit *OutCK, *OutNK;
  QPushButton *FitButton, *SaveButton, *CloseButton;

 public slots:
  void StartSearch();
  // Writes the fitted rules files, asking before replacing a file; true when both were
  // written.
  bool SaveClick();
  // While the search runs: stops it; otherwise closes the dialog.
  void reject() override;

 private:
  void Search(WeightRange range);  // in the worker thread
  void SearchEnded();
  void ShowProgress();
  bool MayWrite(const std::string& ck, const std::string& nk);

  const HandList& hands_;
  RulesToFit rules_;
  std::string shoe_;
  Dialogs& dialogs_;
  std::thread worker_;
  std::atomic<bool> stop_{false};
  std::atomic<long long> trials_{0};
  QTimer progressTimer_;
  // Written by the worker, read after it has been joined.
  WeightSearchResult result_;
  bool hasResult_ = false;
  bool cancelled_ = false;
  std::string failure_;
};

}  // namespace bruso
