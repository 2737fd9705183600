#pragma once

#include <array>

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>

#include "session/model_settings.h"

namespace bruso {

inline constexpr const char* ModelSettingsTitle = "Model Settings";

// "Analysis > Model Settings...": the model of the players' reasoning and the seed of the
// next run. It edits a copy: the window takes Settings() only when the dialog was accepted.
// "Defaults" sets the start values of the model; the seed stays as shown.
class ModelSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  ModelSettingsDialog(const ModelSettings& settings, QWidget* parent = nullptr);

  // What the fields hold.
  ModelSettings Settings() const;
  void Show(const ModelSettings& settings);

  QCheckBox *ConflictBox, *AltruismBox, *TracingBox, *SameSeedBox;
  std::array<QDoubleSpinBox*, 10> ProbBoxes{};  // P1 to P10
  QDoubleSpinBox* LapseBox;
  QLineEdit* SeedEdit;
  QPushButton *ClockSeedButton, *DefaultsButton, *OkButton, *CancelButton;

 private:
  QWidget* BuildProbabilities(const char* title, int first, int last);
  QWidget* BuildSeed();
  void SeedEdited();

  QDialogButtonBox* buttons_;
  ModelSettings shown_;  // what the fields leave out is kept from here
};

}  // namespace bruso
