#include "ui/experiment_dialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QIcon>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "engine/random.h"
#include "shoe/shoe_file.h"
#include "ui/text_conversion.h"

namespace bruso {

namespace {

// A text box with a "Browse..." button after it.
QHBoxLayout* FileRow(QLineEdit* edit, QPushButton* browse) {
  auto* row = new QHBoxLayout;
  edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
  row->addWidget(edit, 1);
  row->addWidget(browse);
  return row;
}

// Participant ids and conditions are people's words: kept as UTF-8.
std::string Utf8(const QString& text) { return text.trimmed().toUtf8().toStdString(); }

}  // namespace

ExperimentDialog::ExperimentDialog(const SharedState& state, const QString& open_shoe, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), state_(state), openShoe_(open_shoe), dialogs_(dialogs) {
  setWindowTitle(QString::fromLatin1(ExperimentTitle));

  ProblemLabel = new QLabel;
  ProblemLabel->setStyleSheet(QStringLiteral("color: #b00000"));
  ProblemLabel->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  OkButton = buttons->button(QDialogButtonBox::Ok);
  OkButton->setText(QStringLiteral("Start"));
  OkButton->setIcon(QIcon());  // the OK tick would not fit the caption
  CancelButton = buttons->button(QDialogButtonBox::Cancel);
  connect(OkButton, &QPushButton::clicked, this, &ExperimentDialog::TryAccept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildWho());
  layout->addWidget(BuildHands());
  layout->addWidget(BuildRecord());
  layout->addWidget(ProblemLabel);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QComboBox* ExperimentDialog::PlayerBox(const std::string& rules_file) {
  auto* box = new QComboBox;
  box->addItem(QString::fromLatin1(PersonChoice));
  const QString rules = rules_file.empty() ? QStringLiteral("no rules file loaded")
                                           : QFileInfo(PathToQString(rules_file)).fileName();
  box->addItem(QStringLiteral("The artificial player (%1)").arg(rules));
  return box;
}

QWidget* ExperimentDialog::BuildWho() {
  auto* group = new QGroupBox(QStringLiteral("Who plays"));
  auto* form = new QFormLayout(group);
  ParticipantEdit = new QLineEdit;
  ParticipantEdit->setPlaceholderText(QStringLiteral("required"));
  ConditionEdit = new QLineEdit;
  ConditionEdit->setPlaceholderText(QStringLiteral("optional"));
  CKPlayerBox = PlayerBox(state_.RulesFileCK);
  NKPlayerBox = PlayerBox(state_.RulesFileNK);
  NKPlayerBox->setCurrentIndex(state_.RulesFileNK.empty() ? 0 : 1);
  PauseBox = new QSpinBox;
  PauseBox->setRange(0, 10000);
  PauseBox->setSingleStep(100);
  PauseBox->setSuffix(QStringLiteral(" ms"));
  PauseBox->setValue(DefaultPartnerPauseMs);
  form->addRow(QStringLiteral("Participant id:"), ParticipantEdit);
  form->addRow(QStringLiteral("Condition:"), ConditionEdit);
  form->addRow(QStringLiteral("CK is played by:"), CKPlayerBox);
  form->addRow(QStringLiteral("NK is played by:"), NKPlayerBox);
  form->addRow(QStringLiteral("The artificial player waits:"), PauseBox);
  return group;
}

QWidget* ExperimentDialog::BuildHands() {
  auto* group = new QGroupBox(QStringLiteral("Hands"));
  auto* form = new QFormLayout(group);
  ShoeEdit = new QLineEdit(openShoe_);
  ShoeBrowseButton = new QPushButton(QStringLiteral("Browse..."));
  connect(ShoeBrowseButton, &QPushButton::clicked, this, [this] {
    const QString file = dialogs_.OpenFile(QStringLiteral("Shoe to present"), PathToQString(state_.StartDirectory),
                                           QStringLiteral("File di Input (*.doc *.txt)"));
    if (!file.isEmpty()) ShoeEdit->setText(file);
  });
  form->addRow(QStringLiteral("Shoe:"), FileRow(ShoeEdit, ShoeBrowseButton));

  ShoeOrderButton = new QRadioButton(QStringLiteral("As in the shoe"));
  ShuffledOrderButton = new QRadioButton(QStringLiteral("Shuffled, seed:"));
  ShoeOrderButton->setChecked(true);
  SeedEdit = new QLineEdit(QString::number(Random::ClockSeed()));
  SeedEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,19}")), SeedEdit));
  auto* order = new QHBoxLayout;
  order->addWidget(ShoeOrderButton);
  order->addWidget(ShuffledOrderButton);
  order->addWidget(SeedEdit, 1);
  form->addRow(QStringLiteral("Order:"), order);

  MoveLimitBox = new QSpinBox;
  MoveLimitBox->setRange(1, MaxMoveLimit);
  MoveLimitBox->setValue(DefaultMoveLimit);
  form->addRow(QStringLiteral("Moves per hand at most:"), MoveLimitBox);
  return group;
}

QWidget* ExperimentDialog::BuildRecord() {
  auto* group = new QGroupBox(QStringLiteral("Record"));
  auto* form = new QFormLayout(group);
  RecordEdit = new QLineEdit(PathToQString(state_.StartDirectory / "experiment.txt"));
  RecordBrowseButton = new QPushButton(QStringLiteral("Browse..."));
  connect(RecordBrowseButton, &QPushButton::clicked, this, [this] {
    const QString file = dialogs_.SaveFile(PathToQString(state_.StartDirectory), QStringLiteral("Shoe (*.txt)"),
                                           QStringLiteral("txt"));
    if (!file.isEmpty()) RecordEdit->setText(file);
  });
  form->addRow(QStringLiteral("Shoe to add to:"), FileRow(RecordEdit, RecordBrowseButton));
  form->addRow(new QLabel(QStringLiteral("The moves table NAME_moves.csv and the groups table NAME_groups.csv "
                                         "go beside it. Existing files are added to, never emptied.")));
  return group;
}

ExperimentPlan ExperimentDialog::Plan() const {
  ExperimentPlan plan;
  plan.participant = Utf8(ParticipantEdit->text());
  plan.condition = Utf8(ConditionEdit->text());
  if (ShuffledOrderButton->isChecked()) plan.orderSeed = SeedEdit->text().toULongLong();
  plan.players = {CKPlayerBox->currentIndex() == 0 ? Player::Person : Player::Rules,
                  NKPlayerBox->currentIndex() == 0 ? Player::Person : Player::Rules};
  plan.moveLimit = MoveLimitBox->value();
  plan.partnerPauseMs = PauseBox->value();
  plan.recordFile = QStringToPath(RecordEdit->text().trimmed());
  return plan;
}

int ExperimentDialog::HandsInShoe(QString& problem) const {
  if (ShoeEdit->text() == openShoe_) return static_cast<int>(state_.HandList.size());
  try {
    return static_cast<int>(ReadShoeFile(QStringToPath(ShoeEdit->text()).string()).hands.size());
  } catch (const IoError& error) {
    problem = ErrorText(error);
    return 0;
  }
}

void ExperimentDialog::TryAccept() {
  QString problem;
  const int hands = HandsInShoe(problem);
  if (problem.isEmpty()) {
    const std::optional<std::string> refusal =
        PlanProblem(Plan(), hands, QStringToPath(ShoeEdit->text()), state_.RulesFileCK, state_.RulesFileNK);
    if (refusal) problem = QString::fromUtf8(*refusal);
  }
  ProblemLabel->setText(problem);
  if (problem.isEmpty()) accept();
}

}  // namespace bruso
