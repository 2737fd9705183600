#include "ui/model_settings_dialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "engine/random.h"

namespace bruso {

namespace {

QDoubleSpinBox* NumberBox(double minimum, double maximum, int decimals, double step) {
  auto* box = new QDoubleSpinBox;
  box->setRange(minimum, maximum);
  box->setDecimals(decimals);
  box->setSingleStep(step);
  return box;
}

// The seed as the field shows it; false when it is no whole number a seed can be.
bool ReadSeed(const QString& text, std::uint64_t& seed) {
  bool ok = false;
  seed = text.toULongLong(&ok);
  return ok;
}

}  // namespace

ModelSettingsDialog::ModelSettingsDialog(const ModelSettings& settings, QWidget* parent)
    : QDialog(parent), shown_(settings) {
  setWindowTitle(QString::fromLatin1(ModelSettingsTitle));

  auto* reasoning = new QGroupBox(QStringLiteral("Reasoning"));
  auto* reasoning_layout = new QVBoxLayout(reasoning);
  ConflictBox = new QCheckBox(QStringLiteral("Conflict mode: on a two-step Target, read the plan from the partner's last move"));
  AltruismBox = new QCheckBox(QStringLiteral("Altruism: complementary attitudes, a card may be handed over through UP"));
  TracingBox = new QCheckBox(QStringLiteral("Tracing: the analysis writes its trace words (AnalysisMode 'A')"));
  for (QCheckBox* box : {ConflictBox, AltruismBox, TracingBox}) reasoning_layout->addWidget(box);
  LapseBox = NumberBox(0.0001, 0.9999, 4, 0.005);
  auto* lapse_row = new QFormLayout;
  lapse_row->addRow(QStringLiteral("Lapse rate (0 < \u03b5 < 1):"), LapseBox);
  reasoning_layout->addLayout(lapse_row);

  auto* probabilities = new QHBoxLayout;
  probabilities->addWidget(BuildProbabilities("NK's card rules", 1, 4), 0, Qt::AlignTop);
  probabilities->addWidget(BuildProbabilities("CK's card rules", 5, 10), 0, Qt::AlignTop);

  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  OkButton = buttons_->button(QDialogButtonBox::Ok);
  CancelButton = buttons_->button(QDialogButtonBox::Cancel);
  DefaultsButton = buttons_->addButton(QStringLiteral("Defaults"), QDialogButtonBox::ResetRole);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(DefaultsButton, &QPushButton::clicked, this, [this] {
    ModelSettings start;
    start.Seed = Settings().Seed;
    Show(start);
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(reasoning);
  layout->addLayout(probabilities);
  layout->addWidget(BuildSeed());
  layout->addWidget(buttons_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Show(settings);
}

QWidget* ModelSettingsDialog::BuildProbabilities(const char* title, int first, int last) {
  auto* group = new QGroupBox(QString::fromLatin1(title));
  auto* form = new QFormLayout(group);
  for (int k = first; k <= last; ++k) {
    ProbBoxes[k - 1] = NumberBox(0, 1, 4, 0.05);
    form->addRow(QStringLiteral("P%1:").arg(k), ProbBoxes[k - 1]);
  }
  return group;
}

QWidget* ModelSettingsDialog::BuildSeed() {
  auto* group = new QGroupBox(QStringLiteral("Random numbers"));
  auto* layout = new QVBoxLayout(group);
  auto* row = new QHBoxLayout;
  SeedEdit = new QLineEdit;
  SeedEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,20}")), SeedEdit));
  SeedEdit->setMinimumWidth(SeedEdit->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 22);
  ClockSeedButton = new QPushButton(QStringLiteral("New Seed from the Clock"));
  row->addWidget(new QLabel(QStringLiteral("Seed of the next run:")));
  row->addWidget(SeedEdit, 1);
  row->addWidget(ClockSeedButton);
  layout->addLayout(row);
  SameSeedBox = new QCheckBox(QStringLiteral("The same seed for every run (otherwise each run gets a new one)"));
  layout->addWidget(SameSeedBox);

  connect(ClockSeedButton, &QPushButton::clicked, this,
          [this] { SeedEdit->setText(QString::number(Random::ClockSeed())); });
  // A seed typed by hand is meant to be repeated.
  connect(SeedEdit, &QLineEdit::textEdited, this, [this] { SameSeedBox->setChecked(true); });
  connect(SeedEdit, &QLineEdit::textChanged, this, &ModelSettingsDialog::SeedEdited);
  return group;
}

void ModelSettingsDialog::SeedEdited() {
  std::uint64_t seed = 0;
  OkButton->setEnabled(ReadSeed(SeedEdit->text(), seed));
}

ModelSettings ModelSettingsDialog::Settings() const {
  ModelSettings settings = shown_;
  settings.ConflictMode = ConflictBox->isChecked() ? 1 : 0;
  settings.AltruismSwitch = AltruismBox->isChecked() ? 1 : 0;
  settings.Tracing = TracingBox->isChecked();
  for (int k = 1; k <= 10; ++k) settings.ProbTable[k] = ProbBoxes[k - 1]->value();
  settings.LapseRate = LapseBox->value();
  std::uint64_t seed = 0;
  if (ReadSeed(SeedEdit->text(), seed)) settings.Seed = seed;
  settings.SameSeedEveryRun = SameSeedBox->isChecked();
  return settings;
}

void ModelSettingsDialog::Show(const ModelSettings& settings) {
  ConflictBox->setChecked(settings.ConflictMode == 1);
  AltruismBox->setChecked(settings.AltruismSwitch == 1);
  TracingBox->setChecked(settings.Tracing);
  for (int k = 1; k <= 10; ++k) ProbBoxes[k - 1]->setValue(settings.ProbTable[k]);
  LapseBox->setValue(settings.LapseRate);
  SeedEdit->setText(QString::number(settings.Seed));
  SameSeedBox->setChecked(settings.SameSeedEveryRun);
}

}  // namespace bruso
