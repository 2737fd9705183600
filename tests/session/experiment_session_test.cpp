// An experiment session without a window: the plan's checks, the order of the hands, and
// what the three record files hold after clicks, partner moves, a move limit and a stop.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/io_error.h"
#include "session/artificial_play.h"
#include "session/classify_commands.h"
#include "session/experiment_session.h"
#include "session/response_times.h"
#include "session/rules_commands.h"
#include "session_fixture.h"

namespace bruso {
namespace {

using testing::ReadFile;
using testing::Session;
using testing::WriteFile;

// Two hands. In the first, CK takes 2H from C, NK passes and CK plays it on the 4H.
constexpr const char* TwoHands =
    "2H 3C 4C 4H 3H 2C CK\n"
    "a line of a recorded player\n"
    "CPT\n"
    "4C 3C 4H 3H 2H 2C NK\n";
constexpr const char* Date = "2026-12-08T10:00:00Z";

// A session over the two hands with a clock the test moves by hand.
struct SessionRun : Session {
  explicit SessionRun(ExperimentPlan plan_given = PersonBoth()) {
    OpenShoe(TwoHands);
    plan = std::move(plan_given);
    plan.recordFile = Record();
  }
  static ExperimentPlan PersonBoth() {
    ExperimentPlan plan;
    plan.participant = "P01";
    plan.condition = "A";
    plan.players = {Player::Person, Player::Person};
    return plan;
  }
  std::filesystem::path Record() const { return folder.path() / "recorded.txt"; }
  std::string Moves() const { return ReadFile(ExperimentRecord::MovesTablePath(Record())); }
  std::string Groups() const { return ReadFile(ExperimentRecord::GroupsTablePath(Record())); }
  void Start() {
    session = std::make_unique<ExperimentSession>(state, plan, Date, [this] { return now; });
  }
  // The person's click `at` the given time.
  void Click(const char* clicked, std::int64_t at) {
    now = at;
    session->PersonClick(clicked);
  }

  ExperimentPlan plan;
  std::int64_t now = 100;
  std::unique_ptr<ExperimentSession> session;
};

constexpr const char* MovesHeader = "participant,condition,hand,line,move,role,letter,playable,ms,mover,hand_ms\n";

TEST(ExperimentSession, RecordsTheLineAsTheReplayCountsItAndEveryClickInTheTable) {
  SessionRun run;
  run.Start();
  EXPECT_EQ(run.session->RoleToMove(), 'C');
  EXPECT_TRUE(run.state.view.moveLines.empty()) << "the recorded lines are not shown to the player";

  run.Click("CK", 150);  // CK's own card: no move, only a row
  run.Click("T", 200);   // 3C on the 4H: refused, yet a letter of the line
  run.Click("C", 260);
  EXPECT_EQ(run.session->RoleToMove(), 'N');
  EXPECT_EQ(run.state.MoveString, "TC");
  run.Click("P", 300);
  EXPECT_FALSE(run.session->HandOver());
  run.Click("T", 330);  // 2H on the Target
  EXPECT_TRUE(run.session->HandOver());
  EXPECT_TRUE(run.session->HandSolved());
  run.Click("C", 400);  // the hand is over: ignored

  EXPECT_EQ(ReadFile(run.Record()),
            "2H 3C 4C 4H 3H 2C CK\nparticipant=P01 condition=A date=2026-12-08T10:00:00Z order=shoe\nTCPT\n");
  // ms counts from the position's showing: a refused click leaves the position shown.
  EXPECT_EQ(run.Moves(), std::string(MovesHeader) +
                             "P01,A,1,1,1,CK,CK,0,50,person,50\n"
                             "P01,A,1,1,1,CK,T,0,100,person,100\n"
                             "P01,A,1,1,2,CK,C,1,160,person,160\n"
                             "P01,A,1,1,3,NK,P,1,40,person,200\n"
                             "P01,A,1,1,4,CK,T,1,30,person,230\n");
  EXPECT_EQ(run.Groups(), "hand,line,participant,condition\n1,1,P01,A\n");

  // The recorded shoe opens and its line replays like any other.
  Session reader;
  reader.OpenShoe(ReadFile(run.Record()));
  ClassifyHandSetUp(reader.state, reader.state.HandList[0]);
  const MoveLineOutcome outcome = ClassifyMoveLine(reader.state, reader.state.HandList[0].MoveLines[1].Line);
  EXPECT_TRUE(outcome.usable);
  EXPECT_TRUE(outcome.reachesGoal);
}

TEST(ExperimentSession, TheMoveLimitEndsAHandAndNextHandSetsUpTheNextWithItsFirstMover) {
  ExperimentPlan plan = SessionRun::PersonBoth();
  plan.moveLimit = 3;
  SessionRun run(plan);
  run.Start();
  for (std::int64_t at : {110, 120}) run.Click("P", at);
  EXPECT_EQ(run.session->LettersLeft(), 1);
  EXPECT_FALSE(run.session->NextHand()) << "the hand is not over yet";
  run.Click("P", 130);
  EXPECT_TRUE(run.session->HandOver());
  EXPECT_FALSE(run.session->HandSolved());
  EXPECT_FALSE(run.session->LastHand());

  ASSERT_TRUE(run.session->NextHand());
  EXPECT_EQ(run.session->HandOrdinal(), 2);
  EXPECT_EQ(run.session->RoleToMove(), 'N');
  EXPECT_EQ(run.state.view.handText, "4C 3C 4H 3H 2H 2C");
  EXPECT_EQ(run.session->LettersLeft(), 3);
  EXPECT_TRUE(run.session->LastHand());
  run.Click("U", 200);
  run.Click("U", 210);
  run.Click("U", 220);
  EXPECT_FALSE(run.session->NextHand()) << "no hand is left";

  Shoe recorded = ReadShoeFile(run.Record().string());
  ASSERT_EQ(recorded.hands.size(), 2u);
  EXPECT_EQ(recorded.hands[0].MoveLines.back().Line, "PPP");
  EXPECT_EQ(recorded.hands[1].FirstRole, "NK");
  EXPECT_EQ(recorded.hands[1].MoveLines.back().Line, "UUU");
  EXPECT_EQ(run.Groups(), "hand,line,participant,condition\n1,1,P01,A\n2,1,P01,A\n");
}

TEST(ExperimentSession, TheRulesPartnerMovesOnlyOnItsTurnAndItsRowsSaySo) {
  ExperimentPlan plan = SessionRun::PersonBoth();
  plan.players = {Player::Person, Player::Rules};
  SessionRun run(plan);
  LoadRulesNK(run.state, (std::filesystem::path(BRUSO_EXAMPLES_DIR) / "rules_nk.txt").string());
  run.Start();
  run.session->PartnerMove();  // CK, the person, is to move: nothing happens
  EXPECT_EQ(run.state.MoveString, "");
  run.Click("C", 150);
  EXPECT_EQ(run.session->ToMove(), Player::Rules);
  run.Click("P", 160);  // not the person's turn: ignored
  run.now = 990;
  run.session->PartnerMove();
  ASSERT_EQ(run.state.MoveString.size(), 2u);

  // Stopping now records nothing of the hand; the table has no row of it either.
  run.session.reset();
  EXPECT_EQ(ReadFile(run.Record()), "");
  EXPECT_EQ(run.Moves(), MovesHeader);
}

TEST(ExperimentSession, AppendsAfterTheHandsAFileHoldsAndNumbersOnFromThem) {
  SessionRun run;
  // A shoe of one hand whose last line has no line end, and tables of that hand.
  WriteFile(run.Record(), "3H 2C 4C 2H 3C 4H\nold\nPP");
  WriteFile(ExperimentRecord::MovesTablePath(run.Record()), MovesHeader);
  WriteFile(ExperimentRecord::GroupsTablePath(run.Record()), "hand,line,participant,condition\n1,1,P00,\n");
  run.plan.orderSeed = 7;
  run.Start();
  while (!run.session->HandOver()) run.Click("P", 120);
  const std::string shoe = ReadFile(run.Record());
  EXPECT_EQ(shoe.substr(0, 25), "3H 2C 4C 2H 3C 4H\nold\nPP\n");
  EXPECT_NE(shoe.find("order=shuffled seed=7\nPPPPPPPPPPPPPPPPPPPP\n"), std::string::npos);
  EXPECT_EQ(ReadShoeFile(run.Record().string()).hands.size(), 2u);
  EXPECT_EQ(run.Groups(), "hand,line,participant,condition\n1,1,P00,\n2,1,P01,A\n");
  const std::string moves = run.Moves();
  EXPECT_EQ(moves.find("participant,"), 0u);
  EXPECT_EQ(moves.find("participant,", 1), std::string::npos) << "the header is written once";
  EXPECT_NE(moves.find("\nP01,A,2,1,20,"), std::string::npos);
}

TEST(ExperimentSession, ATableWithOtherColumnsIsNotAddedTo) {
  SessionRun run;
  WriteFile(ExperimentRecord::MovesTablePath(run.Record()), "a,b\n1,2\n");
  EXPECT_THROW(run.Start(), IoError);
  EXPECT_EQ(ReadFile(ExperimentRecord::MovesTablePath(run.Record())), "a,b\n1,2\n");
}

TEST(ResponseTimes, ThePersonsLettersByPlaceAndRoleWithoutKeeperClicksOrThePartner) {
  auto click = [](int move, char role, const char* letter, std::int64_t ms, Player mover = Player::Person) {
    return SessionClick{.move = move, .role = role, .letter = letter, .playable = true, .ms = ms, .handMs = ms, .mover = mover};
  };
  const std::vector<SessionClick> clicks = {
      click(1, 'C', "CK", 5000),  // a keeper's card: no letter
      click(1, 'C', "T", 300),   click(1, 'C', "C", 100), click(1, 'C', "U", 800),
      click(2, 'N', "P", 900, Player::Rules),  // the partner's wait
      click(2, 'N', "N", 400),   click(2, 'N', "U", 200), click(1, 'N', "C", 70),
  };
  const std::vector<ResponseTimes> times = ResponseTimesOf(clicks);
  ASSERT_EQ(times.size(), 3u);
  auto expect = [](const ResponseTimes& row, int move, char role, int count, double median, double mean) {
    EXPECT_EQ(row.move, move);
    EXPECT_EQ(row.role, role);
    EXPECT_EQ(row.clicks, count);
    EXPECT_DOUBLE_EQ(row.medianMs, median);
    EXPECT_DOUBLE_EQ(row.meanMs, mean);
  };
  expect(times[0], 1, 'C', 3, 300, 400);
  expect(times[1], 1, 'N', 1, 70, 70);
  expect(times[2], 2, 'N', 2, 300, 300);
}

TEST(ExperimentPlan, RefusesWhatCannotBeRecordedOrPlayed) {
  testing::TempFolder folder;
  const std::filesystem::path presented = folder.path() / "shoe.txt";
  WriteFile(presented, "2H 3C 4C 4H 3H 2C\n");
  struct Case {
    const char* what;
    void (*change)(ExperimentPlan&);
    const char* problem;  // none: the plan can run
  };
  const Case cases[] = {
      {"a good plan", [](ExperimentPlan&) {}, nullptr},
      {"no participant", [](ExperimentPlan& p) { p.participant = "  "; }, "The participant id is required"},
      {"2H in the id", [](ExperimentPlan& p) { p.participant = "S2H"; }, "The participant id must not hold \"2H\""},
      {"2H in the condition", [](ExperimentPlan& p) { p.condition = "x2Hy"; }, "The condition must not hold \"2H\""},
      {"a line end", [](ExperimentPlan& p) { p.condition = "a\nb"; }, "The condition must be one line of text"},
      {"no person", [](ExperimentPlan& p) { p.players = {Player::Rules, Player::Rules}; }, "A person must play"},
      {"no CK rules", [](ExperimentPlan& p) { p.players = {Player::Rules, Player::Person}; }, ChooseRulesMessage},
      {"limit 0", [](ExperimentPlan& p) { p.moveLimit = 0; }, "The move limit must be between 1 and 40"},
      {"limit 41", [](ExperimentPlan& p) { p.moveLimit = 41; }, "The move limit must be between 1 and 40"},
      {"no record", [](ExperimentPlan& p) { p.recordFile.clear(); }, "Choose the file to record into"},
      {"the shoe itself", [](ExperimentPlan& p) { p.recordFile = p.recordFile.parent_path() / "." / "shoe.txt"; },
       "The session cannot record into the shoe it presents"},
  };
  for (const Case& c : cases) {
    ExperimentPlan plan;
    plan.participant = "P01";
    plan.recordFile = folder.path() / "recorded.txt";
    c.change(plan);
    const std::optional<std::string> problem = PlanProblem(plan, 2, presented, "", "rules_nk.txt");
    if (c.problem == nullptr) {
      EXPECT_EQ(problem, std::nullopt) << c.what;
    } else {
      ASSERT_TRUE(problem.has_value()) << c.what;
      EXPECT_EQ(problem->rfind(c.problem, 0), 0u) << c.what << ": " << *problem;
    }
  }
  ExperimentPlan plan;
  plan.participant = "P01";
  plan.recordFile = folder.path() / "recorded.txt";
  EXPECT_EQ(PlanProblem(plan, 0, presented, "", "rules_nk.txt"), "Open a shoe with at least one hand first");
}

TEST(ExperimentPlan, TheShuffleIsAPermutationThatItsSeedRepeats) {
  EXPECT_EQ(PresentationOrder(4, std::nullopt), (std::vector<int>{0, 1, 2, 3}));
  const std::vector<int> shuffled = PresentationOrder(10, 42);
  EXPECT_EQ(shuffled, PresentationOrder(10, 42));
  EXPECT_NE(shuffled, PresentationOrder(10, 43));
  std::vector<int> sorted = shuffled;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, PresentationOrder(10, std::nullopt));
  // Pinned, so that a recorded seed gives the same order on every machine and version.
  EXPECT_EQ(PresentationOrder(5, 42), (std::vector<int>{1, 0, 4, 2, 3}));
}

TEST(ExperimentPlan, TheInfoLineHoldsWhoWhenAndTheOrder) {
  EXPECT_EQ(IsoDateUtc(std::chrono::system_clock::time_point(std::chrono::seconds(1000000000))),
            "2001-09-09T01:46:40Z");
  ExperimentPlan plan;
  plan.participant = "P 7";
  EXPECT_EQ(SessionInfoLine(plan, Date), "participant=P 7 condition= date=2026-12-08T10:00:00Z order=shoe");
  plan.orderSeed = 18446744073709551615u;
  EXPECT_EQ(SessionInfoLine(plan, Date),
            "participant=P 7 condition= date=2026-12-08T10:00:00Z order=shuffled seed=18446744073709551615");
}

}  // namespace
}  // namespace bruso
