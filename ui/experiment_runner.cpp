#include "ui/experiment_runner.h"

#include <QVBoxLayout>

#include "engine/io_error.h"
#include "session/response_times.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/text_conversion.h"

namespace bruso {

namespace {

QString RoleName(char role) { return role == RoleCK ? QStringLiteral("CK") : QStringLiteral("NK"); }

QLabel* PanelLabel(QVBoxLayout* layout, int pixels, bool bold = false) {
  auto* label = new QLabel;
  label->setFont(PixelFont("Arial", pixels, bold));
  label->setWordWrap(true);
  layout->addWidget(label);
  return label;
}

}  // namespace

ExperimentRunner::ExperimentRunner(TForm1& form, ExperimentPlan plan) : QObject(&form), form_(form) {
  session_ = std::make_unique<ExperimentSession>(form_.state_, std::move(plan),
                                                 IsoDateUtc(std::chrono::system_clock::now()));
  BuildPanel();
  SetCommandsEnabled(false);
  form_.Memo2->hide();
  Panel->show();

  escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), &form_);
  connect(escape_, &QShortcut::activated, this, &ExperimentRunner::AskToEnd);
  for (auto [image, keeper] : {std::pair{form_.Image3, "CK"}, std::pair{form_.Image1, "NK"}}) {
    connect(image, &CardImage::clicked, this, [this, keeper] { form_.Run([this, keeper] { PersonClick(keeper); }); });
  }
  partnerTimer_.setSingleShot(true);
  connect(&partnerTimer_, &QTimer::timeout, this,
          [this] { form_.Run([this] { Step([this] { session_->PartnerMove(); }); }); });
  connect(NextHandButton, &QPushButton::clicked, this, &ExperimentRunner::NextHandClicked);
  Refresh();
}

ExperimentRunner::~ExperimentRunner() = default;

void ExperimentRunner::BuildPanel() {
  Panel = new QFrame(form_.Client);
  Panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Panel->setGeometry(form_.Memo2->geometry());
  Panel->setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(Panel);
  layout->setContentsMargins(16, 16, 16, 16);
  layout->setSpacing(12);
  TitleLabel = PanelLabel(layout, 20, true);
  const ExperimentPlan& plan = session_->Plan();
  QString title = QStringLiteral("Experiment session: participant %1").arg(QString::fromUtf8(plan.participant));
  if (!plan.condition.empty()) title += QStringLiteral(", condition %1").arg(QString::fromUtf8(plan.condition));
  TitleLabel->setText(title);
  HandLabel = PanelLabel(layout, 18, true);
  TurnLabel = PanelLabel(layout, 18);
  MovesLeftLabel = PanelLabel(layout, 16);
  NextHandButton = new QPushButton(QString::fromLatin1(NextHandCaption));
  NextHandButton->setFont(PixelFont("Arial", 18, true));
  NextHandButton->setMinimumHeight(44);
  layout->addWidget(NextHandButton);
  layout->addStretch(1);
  HintLabel = PanelLabel(layout, 13);
  HintLabel->setText(QStringLiteral("Play by clicking a card to swap it with your own, or \"Passo\" to pass. "
                                    "Escape ends the session."));
}

void ExperimentRunner::SetCommandsEnabled(bool enabled) {
  if (!enabled) {
    for (QAction* action : {form_.ApriUno, form_.ArtificialPlayer1, form_.LoadRulesNK1, form_.changerole,
                            form_.SaveUno, form_.CopyUno, form_.ShowRules1, form_.Clear1, form_.automatic1,
                            form_.Players1, form_.ShowOutput, form_.ModelSettings1, form_.Statistics1,
                            form_.FitModel1, form_.FitWeights1, form_.RunExperiment1, form_.OpenStudy1,
                            form_.CheckFitted1, form_.CheckRecovery1}) {
      if (action->isEnabled()) disabledActions_.push_back(action);
    }
    for (QWidget* widget : {form_.BitBtn1, form_.BitBtn2, form_.BitBtn3, form_.BitBtn4, form_.BitBtn5,
                            form_.BitBtn6, form_.BitBtn7, form_.BitBtn8}) {
      if (widget->isEnabled()) disabledWidgets_.push_back(widget);
    }
  }
  for (QAction* action : disabledActions_) action->setEnabled(enabled);
  for (QWidget* widget : disabledWidgets_) widget->setEnabled(enabled);
}

void ExperimentRunner::Refresh() {
  if (!session_) return;
  const ExperimentSession& session = *session_;
  HandLabel->setText(QStringLiteral("Hand %1 of %2").arg(session.HandOrdinal()).arg(session.HandCount()));
  MovesLeftLabel->setText(
      QStringLiteral("Moves left: %1 of %2").arg(session.LettersLeft()).arg(session.Plan().moveLimit));
  NextHandButton->setEnabled(session.HandOver());
  NextHandButton->setText(QString::fromLatin1(session.LastHand() ? FinishCaption : NextHandCaption));
  const QString role = RoleName(session.RoleToMove());
  if (session.HandOver()) {
    TurnLabel->setText(session.HandSolved() ? QStringLiteral("Solved: 2H is on the Target.")
                                            : QStringLiteral("No moves left: the hand is over."));
  } else if (session.ToMove() == Player::Person) {
    TurnLabel->setText(QStringLiteral("%1 to move: your turn.").arg(role));
  } else {
    TurnLabel->setText(QStringLiteral("%1 (artificial player) is moving...").arg(role));
    partnerTimer_.start(session.Plan().partnerPauseMs);
  }
}

void ExperimentRunner::Step(const std::function<void()>& step) {
  if (!session_) return;
  try {
    step();
  } catch (const IoError&) {
    // The window shows the error; the session cannot go on without its record.
    QTimer::singleShot(0, this, &ExperimentRunner::End);
    throw;
  }
  Refresh();
}

void ExperimentRunner::PersonClick(const std::string& clicked) {
  Step([this, &clicked] { session_->PersonClick(clicked); });
}

void ExperimentRunner::NextHandClicked() {
  if (session_ && session_->LastHand()) {
    End();
    return;
  }
  form_.Run([this] { Step([this] { session_->NextHand(); }); });
}

void ExperimentRunner::AskToEnd() {
  if (!session_) return;
  partnerTimer_.stop();  // the partner does not move while the question is open
  if (form_.dialogs_.Question(QString::fromLatin1(EndSessionQuestion)) == Dialogs::Answer::Yes) {
    End();
  } else {
    Refresh();
  }
}

void ExperimentRunner::End() {
  if (!session_) return;
  partnerTimer_.stop();
  const int recorded = session_->HandsRecorded();
  const QString file = PathToQString(session_->Plan().recordFile);
  try {
    session_->Close();
  } catch (const IoError& error) {
    form_.dialogs_.Error(ErrorText(error));
  }
  QString who = QString::fromUtf8(session_->Plan().participant);
  if (!session_->Plan().condition.empty()) who += QStringLiteral(" (%1)").arg(QString::fromUtf8(session_->Plan().condition));
  form_.FormStatistics->ShowResponseTimes(ResponseTimesOf(session_->RecordedClicks()),
                                          QStringLiteral("Session of %1: %2 hands recorded in %3").arg(who).arg(recorded).arg(file));
  session_.reset();
  SetCommandsEnabled(true);
  delete escape_;
  escape_ = nullptr;
  Panel->hide();
  Panel->deleteLater();
  form_.Memo2->show();
  form_.ShowState();
  form_.dialogs_.Message(QStringLiteral("The session has ended: %1 hands recorded in %2").arg(recorded).arg(file));
  deleteLater();
}

}  // namespace bruso
