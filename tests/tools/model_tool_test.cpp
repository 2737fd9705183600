#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "engine/random.h"
#include "model/rule_player.h"
#include "players/rules_file.h"
#include "support/recorders.h"
#include "tool_runner.h"

namespace bruso {
namespace {

using testing::ReadFile;
using testing::RunTool;
using testing::TempFolder;
using testing::WriteFile;

constexpr std::string_view Shoe =
    "4H 4C 3H 3C 2H 2C CK\n"
    "-\n"
    "UTNTCUNP\n"
    "CNCNPPUUTN\n"
    "4C 2H 4H 3C 2C 3H NK\n"
    "-\n"
    "NUTTUNCT\n";

TEST(ModelTools, RefuseValuesTheyCannotTakeOnOneLineBeforeWritingAnything) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  const char* wrong[] = {
      "fit shoe.txt --csv written --fix p11=0.5",  // no such parameter
      "fit shoe.txt --csv written --fix p3",       // no value
      "fit shoe.txt --csv written --fix p3=1.5",
      "fit shoe.txt --csv written --fix lapse=0",  // the lapse rate lies strictly inside (0, 1)
      "fit shoe.txt --csv written --conflict-mode 2",
      "fit shoe.txt --csv written --altruism all",
      "fit shoe.txt --csv written --jobs 0",
      "fit shoe.txt --csv written --level 0.5",  // no one-sided interval below 0.5
      "fit shoe.txt --csv written --level 95",
      "simulate shoe.txt --out written --lines 0",
      "simulate shoe.txt --out written --lines -3",
      "simulate shoe.txt --out written --lines 5 --lapse 1",
      "simulate shoe.txt --out written --lines 5 --prob 0.5",
      "classify shoe.txt --out written --lapse 0",
      "classify shoe.txt --positions written --lapse 1.5",
      "fit shoe.txt --csv shoe.txt",  // an output that names the input
      "simulate shoe.txt --lines 5 --out shoe.txt",
      "classify shoe.txt --out written --positions shoe.txt",
      "classify shoe.txt --out written --ck ck.txt",  // --ck and --nk go together
      "fit shoe.txt --csv written --rules ck.txt",     // a pair, separated by a comma
      "fit shoe.txt --csv written --rules ck.txt,nk.txt,ck.txt",
      "fit shoe.txt --csv ck.txt --rules ck.txt,nk.txt",
      "fit-weights shoe.txt --ck ck.txt --nk nk.txt --out-ck written --range 5,2",
      "fit-weights shoe.txt --ck ck.txt --nk nk.txt --out-ck written --range -1,3",  // no weights below 0
      "fit-weights shoe.txt --ck ck.txt --nk nk.txt --out-ck written --range 0",
      "fit-weights shoe.txt --ck ck.txt --nk nk.txt --out-ck written --out-nk ck.txt",
      "fit-weights shoe.txt --ck ck.txt --nk nk.txt --out-ck written --out-nk written",
      "recover shoe.txt --csv written --lines 0",
      "recover shoe.txt --csv written --lines 1 --replicates 0",
      "recover shoe.txt --csv written --lines 1 --prob-range 0.9,0.1",  // the wrong way round
      "recover shoe.txt --csv written --lines 1 --prob-range 0.1",
      "recover shoe.txt --csv written --lines 1 --lapse-range 0,0.2",  // the lapse rate lies inside (0, 1)
      "recover shoe.txt --csv written --lines 1 --level 1",
      "recover shoe.txt --csv written --lines 1 --conflict-mode 2",
      "recover shoe.txt --csv written --lines 1 --fix p12=0.5",
      "recover shoe.txt --csv written --lines 1 --seed -1",
      "recover shoe.txt --csv shoe.txt --lines 1",
      "fit shoe.txt --csv written --folds 1",
      "fit shoe.txt --csv written --folds 4",  // more folds than hands
      "check shoe.txt --csv written --replicates 0",
      "check shoe.txt --csv written --lapse 0",
      "check shoe.txt --csv written --conflict-mode both",  // one model is checked
      "check shoe.txt --csv written --from-fit fit.csv",    // which row of the fit?
      "check shoe.txt --csv written --variant 0,1",
      "check shoe.txt --csv written --from-fit fit.csv --variant 0,2",
      "check shoe.txt --csv written --from-fit fit.csv --variant 0,1 --prob 0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5",
      "check shoe.txt --csv fit.csv --from-fit fit.csv --variant 0,1",
      "check shoe.txt --csv shoe.txt",
  };
  WriteFile(folder.path() / "ck.txt", "T 2H\n");
  WriteFile(folder.path() / "nk.txt", "T 2C\n");
  for (const char* command : wrong) {
    SCOPED_TRACE(command);
    EXPECT_EQ(RunTool(folder.path(), command), 2);
    const std::string message = ReadFile(folder.path() / "stderr.txt");
    EXPECT_EQ(message.rfind("bruso-batch: --", 0), 0u) << message;
    EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "written"));
    EXPECT_EQ(ReadFile(folder.path() / "shoe.txt"), Shoe);
  }
}

// 4.9e-324, the smallest double above 0, written out: a number the options read, too
// small to score.
std::string TooSmallToScore() { return "0." + std::string(323, '0') + "49"; }

TEST(ModelTools, RefuseARateOrHeldValueTooSmallToScoreNamingTheOption) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  const struct {
    const char* command;
    const char* option;
  } cases[] = {
      {"fit shoe.txt --csv written --fix lapse=", "--fix lapse "},
      {"fit shoe.txt --csv written --fix p2=", "--fix p2 "},
      {"classify shoe.txt --out written --lapse ", "--lapse "},
      {"simulate shoe.txt --out written --lines 5 --lapse ", "--lapse "},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.command);
    EXPECT_EQ(RunTool(folder.path(), each.command + TooSmallToScore()), 2);
    const std::string message = ReadFile(folder.path() / "stderr.txt");
    EXPECT_EQ(message.rfind(std::string("bruso-batch: ") + each.option, 0), 0u) << message;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "written"));
  }
}

TEST(ModelTools, FitWithoutAPositionToFitSaysSoAndFails) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", "4H 4C 3H 3C 2H 2C CK\n-\n4C 2H 4H 3C 2C 3H NK\n-\n");
  EXPECT_EQ(RunTool(folder.path(), "fit shoe.txt --csv fit.csv"), 1);
  EXPECT_EQ(ReadFile(folder.path() / "stderr.txt"), "bruso-batch: shoe.txt: there is no position to fit\n");
  EXPECT_EQ(ReadFile(folder.path() / "stdout.txt"), "");
  const std::string csv = ReadFile(folder.path() / "fit.csv");
  EXPECT_EQ(csv.find('\n'), csv.size() - 1) << "the header only: " << csv;
}

TEST(ModelTools, FitNamesTheUniformPlayerWhenNoVariantExplainsTheLinesBetter) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  // Lines of moves at random.
  ASSERT_EQ(RunTool(folder.path(), "simulate shoe.txt --lines 30 --lapse 0.999999 --seed 3 --out random.txt"), 0);
  ASSERT_EQ(RunTool(folder.path(), "fit random.txt --conflict-mode 1 --altruism 1"), 0);
  const std::string table = ReadFile(folder.path() / "stdout.txt");
  EXPECT_NE(table.find("\nlowest AIC: the uniform player ("), std::string::npos) << table;
  EXPECT_EQ(table.find("lowest AIC: conflict mode"), std::string::npos) << table;
}

TEST(ModelTools, TablesHaveTheirHeaders) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  ASSERT_EQ(RunTool(folder.path(), "classify shoe.txt --seed 1 --out out --positions positions.csv"), 0);
  const std::string positions = ReadFile(folder.path() / "positions.csv");
  EXPECT_EQ(positions.substr(0, positions.find('\n')),
            "hand,line,position,role,board,target,looked_for,branch,suggested,recorded,agrees,"
            "p_C,p_U,p_N,p_T,p_P,p_recorded");
  ASSERT_EQ(RunTool(folder.path(), "fit shoe.txt --conflict-mode 1 --altruism 0 --csv fit.csv"), 0);
  const std::string fit = ReadFile(folder.path() / "fit.csv");
  EXPECT_EQ(fit.substr(0, fit.find('\n')),
            "model,conflict_mode,altruism,log_likelihood,n,k,aic,bic,lapse,lapse_se,p1,p1_se,p2,p2_se,p3,p3_se,"
            "p4,p4_se,p5,p5_se,p6,p6_se,p7,p7_se,p8,p8_se,p9,p9_se,p10,p10_se,expected_agreement,"
            "interval_level,lapse_lower,lapse_upper,p1_lower,p1_upper,p2_lower,p2_upper,p3_lower,p3_upper,"
            "p4_lower,p4_upper,p5_lower,p5_upper,p6_lower,p6_upper,p7_lower,p7_upper,p8_lower,p8_upper,"
            "p9_lower,p9_upper,p10_lower,p10_upper");
}

TEST(ModelTools, ASimulatedShoeFitsTheSameWithAnyNumberOfThreads) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  ASSERT_EQ(RunTool(folder.path(), "simulate shoe.txt --lines 30 --lapse 0.1 --seed 5 --out played.txt"), 0);
  const std::string played = ReadFile(folder.path() / "played.txt");
  EXPECT_EQ(played.rfind("4H 4C 3H 3C 2H 2C CK\nplayed by the model: 30 lines", 0), 0u) << played;
  ASSERT_EQ(RunTool(folder.path(), "fit played.txt --fix p3=0.5 --jobs 1"), 0);
  const std::string one_thread = ReadFile(folder.path() / "stdout.txt");
  ASSERT_EQ(RunTool(folder.path(), "fit played.txt --fix p3=0.5 --jobs 3"), 0);
  EXPECT_EQ(ReadFile(folder.path() / "stdout.txt"), one_thread);
  EXPECT_NE(one_thread.find("0.5000 fixed"), std::string::npos) << one_thread;

  // Without the intervals: the same table but their rows, and the bound note says less.
  ASSERT_EQ(RunTool(folder.path(), "fit played.txt --fix p3=0.5 --jobs 1 --no-intervals"), 0);
  std::string expected = std::regex_replace(one_thread, std::regex(".* 95%.*\n"), "");
  expected = std::regex_replace(expected, std::regex(": the interval is one-sided"), "");
  EXPECT_EQ(ReadFile(folder.path() / "stdout.txt"), expected);
}

// Rules files of random rules, in the manner of the benchmarks': an action, cards or "#"
// in fields 2 to 4, a move or "#" in field 5, and a weights line of numbers from 1 to 6.
std::string RandomRules(Random& random) {
  const char* cards[] = {"2H", "3H", "4H", "2C", "3C", "4C"};
  auto pick = [&](int count) { return static_cast<int>(random.Next() * count); };
  std::string text;
  for (int field = 1; field <= RuleFieldCount; ++field) text += std::to_string(1 + pick(6)) + " ";
  text += "\n";
  for (int rule = 0; rule < 15; ++rule) {
    text += MoveLetters[pick(MoveCount)];
    for (int field = 2; field <= 4; ++field) text += std::string(" ") + (random.Next() < 0.45 ? cards[pick(6)] : "#");
    text += std::string(" ") + (random.Next() < 0.3 ? MoveLetters[pick(MoveCount)] : '#') + "\n";
  }
  return text;
}

FitResult RulePlayerFit(const RuleData& data, const std::string& ck, const std::string& nk,
                        std::optional<double> lapse = std::nullopt) {
  RulePlayer player;
  ReadRules(ck, player.ck);
  ReadRules(nk, player.nk);
  std::vector<ChanceCount> chances;
  AddRecordedChances(data, player, '\0', chances);
  return FitRulePlayer(chances, lapse, 0);
}

// The sum of one column of a CSV table without quoted fields.
double ColumnSum(const std::string& table, const std::string& column) {
  std::istringstream lines(table);
  std::string line;
  std::getline(lines, line);
  const std::size_t index = [&] {
    std::istringstream header(line);
    std::string name;
    for (std::size_t i = 0; std::getline(header, name, ','); ++i) {
      if (name == column) return i;
    }
    return std::string::npos;
  }();
  EXPECT_NE(index, std::string::npos) << column;
  double sum = 0;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string field;
    for (std::size_t i = 0; i <= index && std::getline(fields, field, ','); ++i) {}
    sum += std::stod(field);
  }
  return sum;
}

// Lines played by the example rules are more likely under them than under random rules;
// classify scores them line by line as the fit does in one sum, and fit shows the rules
// as a row of its own.
TEST(ModelTools, RulePlayersExplainTheLinesTheyPlayedBest) {
  TempFolder folder;
  const std::string ck = ReadFile(BRUSO_EXAMPLES_DIR "/rules_ck.txt");
  const std::string nk = ReadFile(BRUSO_EXAMPLES_DIR "/rules_nk.txt");
  WriteFile(folder.path() / "ck.txt", ck);
  WriteFile(folder.path() / "nk.txt", nk);
  WriteFile(folder.path() / "shoe.txt", ReadFile(BRUSO_EXAMPLES_DIR "/small_shoe.txt"));
  ASSERT_EQ(RunTool(folder.path(), "play shoe.txt --ck ck.txt --nk nk.txt --iterations 20 --seed 3 --out out"), 0);
  const RuleData data = RuleDataFrom(ReadShoeFile((folder.path() / "out" / "Automa.txt").string()).hands);
  EXPECT_GT(data.attempts, 200);
  const double own = RulePlayerFit(data, ck, nk).logLikelihood;
  Random random(17);
  for (int other = 0; other < 5; ++other) {
    EXPECT_LT(RulePlayerFit(data, RandomRules(random), RandomRules(random)).logLikelihood, own - 50) << other;
  }

  ASSERT_EQ(RunTool(folder.path(), "classify out/Automa.txt --ck ck.txt --nk nk.txt --out out --seed 1 --csv lines.csv "
                                   "--positions positions.csv"),
            0);
  const std::string lines = ReadFile(folder.path() / "lines.csv");
  EXPECT_EQ(lines.substr(0, lines.find('\n')),
            "hand,line,moves,usable,reaches_2h,positions,suggested,agreements,log_likelihood,expected_agreements,"
            "rule_log_likelihood");
  const double classified = ColumnSum(lines, "rule_log_likelihood");
  const FitResult held = RulePlayerFit(data, ck, nk, 0.01);  // classify's lapse rate
  EXPECT_NEAR(classified, held.logLikelihood, 1e-4 * std::abs(held.logLikelihood));
  const std::string positions = ReadFile(folder.path() / "positions.csv");
  EXPECT_NE(positions.find(",p_recorded,r_C,r_U,r_N,r_T,r_P,r_recorded\n"), std::string::npos);
  EXPECT_NEAR(ColumnSum(positions, "r_recorded"), held.expectedAgreement * static_cast<double>(held.positions), 1e-3);
  const std::string summary = ReadFile(folder.path() / "stderr.txt");
  EXPECT_NE(summary.find("  side by side:"), std::string::npos) << summary;

  ASSERT_EQ(RunTool(folder.path(), "fit out/Automa.txt --conflict-mode 0 --altruism 0 --rules ck.txt,nk.txt --csv fit.csv"), 0);
  const std::string table = ReadFile(folder.path() / "stdout.txt");
  EXPECT_NE(table.find("rules 1: ck.txt,nk.txt\nlowest AIC: rules ck.txt,nk.txt\n"), std::string::npos) << table;
  EXPECT_NE(ReadFile(folder.path() / "fit.csv").find("\n\"rules:ck.txt,nk.txt\",,,"), std::string::npos);
}

// Started from all weights 1 on lines that the example rules played with their own
// weights, the search never ends below where it started and comes within 1% of the
// likelihood of the true weights; the files it writes are the originals with the weights
// found and the comment that fit reads k from.
TEST(ModelTools, FitWeightsRecoversTheLikelihoodOfTheWeightsThatPlayed) {
  TempFolder folder;
  const std::string ck = ReadFile(BRUSO_EXAMPLES_DIR "/rules_ck.txt");
  const std::string nk = ReadFile(BRUSO_EXAMPLES_DIR "/rules_nk.txt");
  const std::string ones = "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n";
  WriteFile(folder.path() / "ck.txt", ck);
  WriteFile(folder.path() / "nk.txt", nk);
  WriteFile(folder.path() / "ones_ck.txt", ck + ones);
  WriteFile(folder.path() / "ones_nk.txt", nk + ones);
  WriteFile(folder.path() / "shoe.txt", ReadFile(BRUSO_EXAMPLES_DIR "/small_shoe.txt"));
  ASSERT_EQ(RunTool(folder.path(), "play shoe.txt --ck ck.txt --nk nk.txt --iterations 20 --seed 5 --out out"), 0);
  ASSERT_EQ(RunTool(folder.path(), "fit-weights out/Automa.txt --ck ones_ck.txt --nk ones_nk.txt --out-nk fitted_nk.txt"),
            0);
  const std::string table = ReadFile(folder.path() / "stdout.txt");
  EXPECT_EQ(table.rfind("                    before            after\nlog-likelihood      ", 0), 0u) << table;

  const RuleData data = RuleDataFrom(ReadShoeFile((folder.path() / "out" / "Automa.txt").string()).hands);
  const std::string fitted_ck = ReadFile(folder.path() / "ones_ck_fitted.txt");
  const std::string fitted_nk = ReadFile(folder.path() / "fitted_nk.txt");
  EXPECT_EQ(fitted_ck.rfind(ck + ones, 0), 0u);
  EXPECT_NE(fitted_ck.find("\n/ fit-weights: 17 weights fitted to out/Automa.txt\n"), std::string::npos) << fitted_ck;
  const double start = RulePlayerFit(data, ck + ones, nk + ones).logLikelihood;
  const double truth = RulePlayerFit(data, ck, nk).logLikelihood;
  const double found = RulePlayerFit(data, fitted_ck, fitted_nk).logLikelihood;
  EXPECT_LT(start, truth - 50);  // the weights matter on these lines
  EXPECT_GE(found, start);
  EXPECT_GE(found, truth - 0.01 * std::abs(truth));

  ASSERT_EQ(RunTool(folder.path(), "fit out/Automa.txt --conflict-mode 0 --altruism 0 --rules ones_ck_fitted.txt,fitted_nk.txt"),
            0);
  EXPECT_NE(ReadFile(folder.path() / "stdout.txt").find("free parameters k   6                 35 "), std::string::npos)
      << ReadFile(folder.path() / "stdout.txt");
}

struct StudyOutput {
  std::string out;
  std::string csv;
};

// Runs a study with one thread and with two: the same standard output and CSV file, and
// only the seed on standard error.
StudyOutput SameOnOneAndTwoThreads(const TempFolder& folder, const std::string& command, const std::string& seed) {
  EXPECT_EQ(RunTool(folder.path(), command + " --seed " + seed + " --jobs 1 --csv one.csv"), 0);
  const StudyOutput one{ReadFile(folder.path() / "stdout.txt"), ReadFile(folder.path() / "one.csv")};
  EXPECT_EQ(ReadFile(folder.path() / "stderr.txt"), "seed: " + seed + "\n");
  EXPECT_EQ(RunTool(folder.path(), command + " --seed " + seed + " --jobs 2 --csv two.csv"), 0);
  EXPECT_EQ(ReadFile(folder.path() / "stdout.txt"), one.out);
  EXPECT_EQ(ReadFile(folder.path() / "two.csv"), one.csv);
  return one;
}

// The same summary and table for any number of threads; the seed on standard error; a row
// per replicate, generating variant and fitted variant.
TEST(ModelTools, RecoverGivesTheSameForAnyNumberOfThreads) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  const auto [one, csv] = SameOnOneAndTwoThreads(folder, "recover shoe.txt --lines 3 --replicates 2 --altruism 0", "11");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 2 * 2 * 4);
  EXPECT_EQ(csv.rfind("replicate,seed,generating_conflict_mode,generating_altruism,conflict_mode,altruism,"
                      "true_lapse,true_p1,",
                      0),
            0u);
  EXPECT_EQ(one.rfind("recover: 4 of 4 data sets of 3 lines per hand of 2 hands, seed 11\n", 0), 0u) << one;
  for (const char* part : {"model recovery by AIC", "model recovery by BIC", "cannot be recovered on this design: "}) {
    EXPECT_NE(one.find(part), std::string::npos) << part << "\n" << one;
  }
}

// Without --folds, fit draws nothing and prints no seed; with it, the seed and the held-out
// figures, the same for any number of threads.
TEST(ModelTools, FitWithFoldsPrintsItsSeed) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  ASSERT_EQ(RunTool(folder.path(), "simulate shoe.txt --lines 10 --seed 2 --out played.txt"), 0);
  ASSERT_EQ(RunTool(folder.path(), "fit played.txt --seed 4 --altruism 0"), 0);
  EXPECT_EQ(ReadFile(folder.path() / "stderr.txt").find("seed"), std::string::npos);
  ASSERT_EQ(RunTool(folder.path(), "fit played.txt --folds 2 --seed 4 --altruism 0 --jobs 1"), 0);
  const std::string one = ReadFile(folder.path() / "stdout.txt");
  EXPECT_EQ(ReadFile(folder.path() / "stderr.txt").rfind("seed: 4\n", 0), 0u);
  EXPECT_NE(one.find("2-fold cross-validation by hands, seed 4\nheld out: log-lik.  -"), std::string::npos) << one;
  ASSERT_EQ(RunTool(folder.path(), "fit played.txt --folds 2 --seed 4 --altruism 0 --jobs 2 --csv fit.csv"), 0);
  EXPECT_EQ(ReadFile(folder.path() / "stdout.txt"), one);
  // The table gains the held-out figures of each variant, none for the uniform player.
  std::istringstream table(ReadFile(folder.path() / "fit.csv"));
  std::string header, row;
  std::getline(table, header);
  EXPECT_EQ(header.substr(header.find(",p10_upper,")),
            ",p10_upper,heldout_log_likelihood,heldout_per_position,heldout_untrained");
  std::vector<std::string> rows;
  while (std::getline(table, row)) rows.push_back(row);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_TRUE(std::regex_search(rows[0], std::regex(",-[0-9.e-]+,-[0-9.e-]+,[0-9]+$"))) << rows[0];
  EXPECT_EQ(rows[2].rfind("uniform,", 0), 0u);
  EXPECT_EQ(rows[2].substr(rows[2].size() - 3), ",,,");
}

// A fitted model checked against the lines it was fitted to: the same table for any
// number of threads, a row per figure, and the probabilities the fit left without an
// estimate named.
TEST(ModelTools, CheckTakesAFitsEstimatesAndGivesTheSameForAnyNumberOfThreads) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  ASSERT_EQ(RunTool(folder.path(), "fit shoe.txt --altruism 0 --csv fit.csv"), 0);
  const auto [one, csv] =
      SameOnOneAndTwoThreads(folder, "check shoe.txt --from-fit fit.csv --variant 1,0 --replicates 20", "3");
  EXPECT_EQ(csv.rfind("figure,recorded,simulated_mean,band_lower,band_upper,outside,data_sets\n"
                      "lines reaching 2H,",
                      0),
            0u)
      << csv;
  EXPECT_EQ(one.rfind("check: 20 of 20 data sets of the 3 lines of 2 hands, seed 3\n"
                      "model: conflict mode 1, altruism 0, prob ",
                      0),
            0u)
      << one;
  EXPECT_TRUE(std::regex_search(one, std::regex("\n(p[0-9]+, )*p[0-9]+: no estimate in the fit, played at 0.5\n")))
      << one;
  const auto figures = std::count(csv.begin(), csv.end(), '\n') - 1;
  EXPECT_NE(one.find(" of " + std::to_string(figures) + " figures outside the 95% band"), std::string::npos) << one;
  // A fit without the row asked for: the run stops before writing.
  EXPECT_EQ(RunTool(folder.path(), "check shoe.txt --from-fit fit.csv --variant 0,1 --csv none.csv"), 1);
  EXPECT_NE(ReadFile(folder.path() / "stderr.txt").find("holds no row of conflict mode 0, altruism 1"),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "none.csv"));
}

}  // namespace
}  // namespace bruso
