// The C++ half of the Python package bruso: the core's shoe, replay, likelihood, fit,
// simulation, artificial play and studies, driven as bruso-batch drives them, so that the
// same seed gives the same numbers. A table comes back as its columns and its rows of
// values, the columns of bruso-batch's CSV files; bruso/__init__.py turns them into records.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/io_error.h"
#include "engine/random.h"
#include "model/fit.h"
#include "model/fit_data.h"
#include "model/fit_rows.h"
#include "model/game_state.h"
#include "model/profile_interval.h"
#include "model/simulation.h"
#include "players/play_all_hands.h"
#include "players/rules_file.h"
#include "python/arguments.h"
#include "python/interruption.h"
#include "python/participant_bindings.h"
#include "python/table_values.h"
#include "session/classify_rows.h"
#include "session/shared_state.h"
#include "study/recovery.h"
#include "study/recovery_rows.h"
#include "study/participants.h"
#include "study/study_units.h"

namespace py = pybind11;

namespace bruso {

namespace {

// The model of the players, as the command line's model options and --lapse set it.
struct Settings {
  int conflictMode = 0;
  int altruism = 0;
  std::vector<double> prob = std::vector<double>(CardRuleCount, 0.5);
  double lapse = DefaultLapseRate;
  bool trace = false;

  // Throws ValueError for a value the model cannot take.
  void Check() const {
    if (conflictMode != 0 && conflictMode != 1) throw py::value_error("conflict_mode takes 0 or 1");
    if (altruism != 0 && altruism != 1) throw py::value_error("altruism takes 0 or 1");
    if (prob.size() != CardRuleCount) throw py::value_error("prob takes ten probabilities, p1 to p10");
    for (double p : prob) {
      if (!(p >= 0 && p <= 1)) throw py::value_error("prob takes probabilities from 0 to 1");
    }
    if (!(lapse > 0 && lapse < 1)) throw py::value_error("lapse takes a rate strictly between 0 and 1");
    if (lapse < SmallestLapse) throw py::value_error("lapse takes no rate below 1e-300 (too small to score)");
  }

  void ApplyTo(AnalysisSettings& analysis) const {
    Check();
    analysis.ConflictMode = conflictMode;
    analysis.AltruismSwitch = altruism;
    for (int k = 1; k <= CardRuleCount; ++k) analysis.ProbTable[k] = prob[k - 1];
    if (trace) analysis.AnalysisMode = TracingMode;
  }
};

Shoe ReadShoeOrRaise(const std::string& path) {
  Shoe shoe = ReadShoeFile(path);
  if (shoe.hands.empty()) throw py::value_error(path + ": holds no hand");
  return shoe;
}

void RefuseEmpty(const HandList& shoe) {
  if (shoe.empty()) throw py::value_error("the shoe holds no hand");
}

// A shared state set up as bruso-batch sets it up, for one call from Python: the generator
// seeded from `seed`, no output window, and the output files writing to nothing (a notebook
// wants results, not files).
void StartDetached(SharedState& state, std::uint64_t seed) {
  StartUp(state, {.seed = seed, .discardFiles = true});
}

// The rows of the tables of lines and of positions, as the run classifies the lines.
class TableCollector : public ClassifyWatcher {
 public:
  explicit TableCollector(const Interruption& interruption) : interruption_(interruption) {}
  bool Stopping() override { return !interruption_.Check(); }
  void LineClassified(const ClassifiedLine& line) override {
    lines.push_back(LineRow(line, line.hand));
    for (FieldRow& row : PositionRows(line, line.hand)) positions.push_back(std::move(row));
  }

  std::vector<FieldRow> lines;
  std::vector<FieldRow> positions;

 private:
  const Interruption& interruption_;
};

// The tables of lines and of positions of "Classify All Hands", as classify --csv and
// --positions write them: (columns, rows) each.
py::tuple ClassifyTables(const HandList& shoe, const Settings& settings, std::uint64_t seed) {
  RefuseEmpty(shoe);
  settings.Check();
  Interruption interruption;
  TableCollector tables(interruption);
  interruption.Run([&] {
    SharedState state;
    StartDetached(state, seed);
    settings.ApplyTo(state.analysis);
    state.score.SetTraceStream(nullptr);
    state.HandList = shoe;
    ClassifyRun(state, settings.lapse).Run(tables);
    state.iodef.CloseFiles(state.outputFiles);
  });
  return py::make_tuple(TableValues(LineColumns(false), tables.lines),
                        TableValues(PositionColumns(false), tables.positions));
}

double LogLikelihood(const HandList& shoe, const Settings& settings, const py::int_& jobs) {
  const int threads = JobsOf(jobs);
  AnalysisSettings analysis;
  settings.ApplyTo(analysis);
  const PlayerParameters player{.probabilities = analysis.ProbTable, .lapse = settings.lapse};
  Interruption interruption;
  double log_likelihood = 0;
  interruption.Run([&] {
    const std::vector<CompiledLine> lines = CompileLines(shoe, analysis, threads, interruption.StopRequested());
    if (interruption.Check()) log_likelihood = ScoreData(FitDataFrom(lines), player).logLikelihood;
  });
  return log_likelihood;
}

// The table of fit --csv: one row per variant, then the uniform player.
py::tuple FitTable(const HandList& shoe, std::optional<int> conflict_mode, std::optional<int> altruism,
                   const std::map<std::string, double>& fixed, const py::int_& jobs) {
  RefuseEmpty(shoe);
  const int threads = JobsOf(jobs);
  const std::vector<ModelVariant> variants = VariantsOf(conflict_mode, altruism);
  const FixedParameters held = FixedFrom(fixed);
  Interruption interruption;
  std::vector<FitResult> fits;
  interruption.Run([&] {
    for (const ModelVariant& variant : variants) {
      fits.push_back(FitVariantWithIntervals(shoe, variant, AnalysisSettings{}, held, threads, DefaultIntervalLevel,
                                             {.stopRequested = interruption.StopRequested()}));
    }
  });
  std::vector<FieldRow> rows;
  for (const FitResult& row : FitTableRows(fits)) rows.push_back(FitRow(row));
  return TableValues(FitColumns(), rows);
}

// A whole number argument from 1 to `most`.
int CountOf(const py::dict& arguments, const char* name, int most) {
  const py::int_ count = arguments[name].cast<py::int_>();
  if (count < py::int_(1) || count > py::int_(most)) {
    throw py::value_error(std::string(name) + " takes a whole number from 1 to " + std::to_string(most) + ", not " +
                          py::repr(count).cast<std::string>());
  }
  return count.cast<int>();
}

// A range argument (low, high) with low not above high, its ends inside what `inside` takes.
void RangeOf(const py::dict& arguments, const char* name, const char* what, bool (*inside)(double), double& low,
             double& high) {
  const py::object range = arguments[name];
  std::pair<double, double> ends{};
  try {
    ends = range.cast<std::pair<double, double>>();
  } catch (const py::cast_error&) {
    ends = {1, 0};  // refused below
  }
  if (!inside(ends.first) || !inside(ends.second) || ends.first > ends.second) {
    throw py::value_error(std::string(name) + " takes (low, high), two numbers " + what +
                          " with low not above high, not " + py::repr(range).cast<std::string>());
  }
  low = ends.first;
  high = ends.second;
}

// The design of a recovery study from the arguments of bruso.recover; ValueError for a value
// it cannot take.
RecoveryDesign RecoveryDesignOf(const py::dict& arguments) {
  RecoveryDesign design;
  design.linesPerHand = CountOf(arguments, "lines", 1000000);
  design.replicates = CountOf(arguments, "replicates", 1000000);
  design.generating = VariantsOf(arguments["conflict_mode"].cast<std::optional<int>>(),
                                 arguments["altruism"].cast<std::optional<int>>());
  RangeOf(arguments, "prob_range", "from 0 to 1", [](double p) { return p >= 0 && p <= 1; }, design.probLow,
          design.probHigh);
  RangeOf(arguments, "lapse_range", "between 0 and 1 (both left out)",
          [](double p) { return p >= SmallestLapse && p < 1; }, design.lapseLow, design.lapseHigh);
  const py::object fixed = arguments["fixed"];
  if (!fixed.is_none()) design.fixed = FixedFrom(fixed.cast<std::map<std::string, double>>());
  design.level = arguments["level"].cast<double>();
  if (!(design.level > 0.5 && design.level < 1)) {
    throw py::value_error("level takes a number between 0.5 and 1 (both left out), not " +
                          py::repr(arguments["level"]).cast<std::string>());
  }
  design.seed = arguments["seed"].cast<std::uint64_t>();
  return design;
}

// The rows of one replicate of a recovery study, every generating variant in turn: the same
// as the replicate's rows of the whole study, wherever it runs.
py::list RecoveryReplicate(const HandList& shoe, const py::dict& arguments, int replicate) {
  RefuseEmpty(shoe);
  const RecoveryDesign design = RecoveryDesignOf(arguments);
  if (replicate < 0 || replicate >= design.replicates) throw py::value_error("replicate lies outside the study");
  Interruption interruption;
  std::vector<FieldRow> rows;
  interruption.Run([&] {
    for (const ModelVariant generating : design.generating) {
      const std::uint64_t seed = RecoverySeed(design, replicate, generating);
      const RecoveryUnit unit =
          RunRecoveryUnit(shoe, design, generating, seed, replicate, {.stopRequested = interruption.StopRequested()});
      for (FieldRow& row : RecoveryRows(unit)) rows.push_back(std::move(row));
    }
  });
  return RowValues(rows);
}

HandList Simulate(const HandList& shoe, int lines, const Settings& settings, std::uint64_t seed) {
  RefuseEmpty(shoe);
  if (lines < 1 || lines > 1000000) throw py::value_error("lines takes a whole number from 1 to 1000000");
  AnalysisSettings analysis;
  settings.ApplyTo(analysis);
  const std::string note = SimulationNote(lines, analysis, settings.lapse, seed);
  Interruption interruption;
  HandList simulated;
  interruption.Run([&] {
    Random random(seed);
    for (const Fhand& hand : shoe) {
      if (!interruption.Check()) break;
      simulated.push_back(SimulateHand(hand, lines, analysis, settings.lapse, random, note, interruption.StopRequested()));
    }
  });
  return simulated;
}

// "Play All Hands Artificially" as bruso-batch runs it: each play with its move string,
// Ctrl-C checked after each.
py::list Play(const HandList& shoe, const RuleSet& ck_rules, const RuleSet& nk_rules, int iterations,
              std::uint64_t seed) {
  RefuseEmpty(shoe);
  Interruption interruption;
  std::vector<PlayRecord> plays;
  std::vector<std::string> move_strings;
  interruption.Run([&] {
    SharedState state;
    StartDetached(state, seed);
    state.RulesCK = ck_rules;
    state.RulesNK = nk_rules;
    state.HandList = shoe;
    state.BatchMode = true;
    state.ResultsFile.Open(NullDevice, TextFile::Mode::Write);
    const auto played = [&](const PlayRecord& play) {
      plays.push_back(play);
      move_strings.push_back(state.MoveString);
      return interruption.Check();
    };
    PlayAllHands(state, iterations, [&](int) { return interruption.Check(); }, played);
    state.ResultsFile.Close();
    state.iodef.CloseFiles(state.outputFiles);
  });
  py::list records;
  for (std::size_t i = 0; i < plays.size(); ++i) {
    py::dict record;
    record["hand"] = plays[i].hand;
    record["iteration"] = plays[i].iteration;
    record["moves"] = plays[i].moves;
    record["attempts"] = plays[i].attempts;
    record["solved"] = plays[i].solved;
    record["move_string"] = move_strings[i];
    records.append(record);
  }
  return records;
}

std::vector<std::string> LineTexts(const Fhand& hand) {
  std::vector<std::string> lines;
  for (const moves& line : hand.MoveLines) lines.push_back(line.Line);
  return lines;
}

void SetLineTexts(Fhand& hand, const std::vector<std::string>& lines) {
  hand.MoveLines.clear();
  for (const std::string& line : lines) hand.MoveLines.push_back({line});
}

Fhand HandOf(std::string text, std::string first_role) {
  if (first_role != "CK" && first_role != "NK") throw py::value_error("first_role takes \"CK\" or \"NK\"");
  return Fhand{.HandText = std::move(text), .FirstRole = std::move(first_role)};
}

Board BoardOrRaise(const std::string& text) {
  const std::optional<Board> board = BoardOfHandText(text);
  if (!board) throw py::value_error("a hand text holds six card codes of two characters: '" + text + "'");
  return *board;
}

// The one character of a move letter given as a string.
char LetterOf(const std::string& letter) {
  if (letter.size() != 1 || MoveIndex(letter[0]) < 0) {
    throw py::value_error("a move is one of the letters C, U, N, T and P, not '" + letter + "'");
  }
  return letter[0];
}

void RefuseClosed(const GameState& state) {
  if (state.solved()) throw py::value_error("the hand is solved: no move is played from here");
  if (!state.open()) throw py::value_error("the line is as long as the replay reads: no move is played from here");
}

GameState Played(const GameState& state, const std::string& letter) {
  const char move = LetterOf(letter);
  RefuseClosed(state);
  if (state.LegalMoves().find(move) == std::string::npos) {
    throw py::value_error(std::string("the role to move cannot play ") + move + " here (T needs a matching card)");
  }
  return state.Attempted(move);
}

GameState Attempted(const GameState& state, const std::string& letter) {
  const char move = LetterOf(letter);
  RefuseClosed(state);
  return state.Attempted(move);
}

// The chance of each move letter, as a dict.
template <typename Chances>
py::dict ByLetter(const Chances& chances) {
  py::dict result;
  for (char move : MoveLetters) result[py::str(std::string(1, move))] = chances.Of(move);
  return result;
}

py::dict ModelChances(const GameState& state, const Settings& settings) {
  RefuseClosed(state);
  AnalysisSettings analysis;
  settings.ApplyTo(analysis);
  const PositionChances chances = state.ModelChances(analysis, settings.lapse);
  return chances.suggests ? ByLetter(chances) : py::dict();
}

py::dict RuleChancesOf(const GameState& state, const RuleSet& ck_rules, const RuleSet& nk_rules) {
  RefuseClosed(state);
  return ByLetter(state.RuleChancesHere(RulePlayer{.ck = ck_rules, .nk = nk_rules}));
}

// A rules file's rules; a Python warning, not a line on standard error, when the table
// fills up before the file ends.
RuleSet RulesOfFile(const std::string& path) {
  RuleSet rules;
  if (Memo(path, rules).tableFull) {
    const std::string text = path + ": " + NotEnoughMemoryMessage + ": only the first " + std::to_string(MaxRules) +
                             " rules are used";
    if (PyErr_WarnEx(PyExc_UserWarning, text.c_str(), 1) != 0) throw py::error_already_set();
  }
  return rules;
}

std::string RoleName(char role) { return role == RoleCK ? "CK" : "NK"; }

// A rule set as plain values: its weights, its rule count and the text of every field of
// every row (free rows included, so that the copy equals the original).
py::tuple RulesState(const RuleSet& rules) {
  py::list rows;
  for (const RuleRow& row : rules.RuleTable) {
    py::list fields;
    for (const FieldValue& field : row) fields.append(py::bytes(field.Text()));
    rows.append(fields);
  }
  return py::make_tuple(std::vector<std::int32_t>(rules.RuleWeights.begin(), rules.RuleWeights.end()), rules.RuleCount,
                        rows);
}

RuleSet RulesFromState(const py::tuple& state) {
  if (state.size() != 3) throw std::runtime_error("not a pickled rule set");
  RuleSet rules;
  const auto weights = state[0].cast<std::vector<std::int32_t>>();
  const auto rows = state[2].cast<std::vector<std::vector<std::string>>>();
  if (weights.size() != RuleFieldCount || rows.size() != MaxRules) throw std::runtime_error("not a pickled rule set");
  std::copy(weights.begin(), weights.end(), rules.RuleWeights.begin());
  rules.RuleCount = state[1].cast<std::int32_t>();
  if (rules.RuleCount < 0 || rules.RuleCount > MaxRules) throw std::runtime_error("not a pickled rule set");
  for (std::size_t r = 0; r < rows.size(); ++r) {
    if (rows[r].size() != RuleFieldCount) throw std::runtime_error("not a pickled rule set");
    for (std::size_t f = 0; f < RuleFieldCount; ++f) rules.RuleTable[r][f] = FieldValue::Of(rows[r][f]);
  }
  return rules;
}

bool SameRules(const RuleSet& a, const RuleSet& b) {
  return a.RuleTable == b.RuleTable && a.RuleWeights == b.RuleWeights && a.RuleCount == b.RuleCount;
}

}  // namespace

}  // namespace bruso

PYBIND11_MODULE(_bruso, m) {
  using namespace bruso;
  m.doc() = "The core of Bruso; use the package bruso, which turns its tables into records.";

  py::register_exception_translator([](std::exception_ptr failure) {
    try {
      if (failure) std::rethrow_exception(failure);
    } catch (const IoError& error) {
      // OSError(errno, message, file name), as Python's own file functions raise it.
      PyErr_SetObject(PyExc_OSError, py::make_tuple(error.errorNumber(), error.message(), error.path()).ptr());
    } catch (const ParticipantsError& error) {
      PyErr_SetString(PyExc_ValueError, error.what());
    }
  });

  py::class_<Fhand>(m, "Hand", "One hand of a shoe: its six cards, the role that moves first and its move lines.")
      .def(py::init([](std::string text, std::string first_role, std::vector<std::string> move_lines) {
             Fhand hand{.HandText = std::move(text), .FirstRole = std::move(first_role)};
             SetLineTexts(hand, move_lines);
             return hand;
           }),
           py::arg("text"), py::arg("first_role"), py::arg("move_lines") = std::vector<std::string>{})
      .def_readwrite("text", &Fhand::HandText, "The six card codes in the order C, CK, UP, T, N, NK.")
      .def_readwrite("first_role", &Fhand::FirstRole, "\"CK\" or \"NK\".")
      .def_property(
          "move_lines",
          &LineTexts, &SetLineTexts,
          "The lines after the hand line; the first is a note, the others are replayed.")
      .def("__repr__", [](const Fhand& hand) {
        return "Hand('" + hand.HandText + "', '" + hand.FirstRole + "', " + std::to_string(hand.MoveLines.size()) +
               " lines)";
      })
      .def("shoe_text", &ShoeText, "The hand as a shoe file holds it.")
      .def(py::pickle(
          [](const Fhand& hand) {
            return py::make_tuple(hand.HandText, hand.FirstRole, LineTexts(hand));
          },
          [](const py::tuple& state) {
            Fhand hand{.HandText = state[0].cast<std::string>(), .FirstRole = state[1].cast<std::string>()};
            SetLineTexts(hand, state[2].cast<std::vector<std::string>>());
            return hand;
          }))
      .def("__eq__", [](const Fhand& a, const Fhand& b) {
        return a.HandText == b.HandText && a.FirstRole == b.FirstRole && LineTexts(a) == LineTexts(b);
      });

  py::class_<Settings>(m, "Settings", "The model of the players and the lapse rate of the likelihood.")
      .def(py::init([](int conflict_mode, int altruism, std::vector<double> prob, double lapse, bool trace) {
             Settings settings{conflict_mode, altruism, std::move(prob), lapse, trace};
             settings.Check();
             return settings;
           }),
           py::arg("conflict_mode") = 0, py::arg("altruism") = 0,
           py::arg("prob") = std::vector<double>(CardRuleCount, 0.5), py::arg("lapse") = DefaultLapseRate,
           py::arg("trace") = false)
      .def_readwrite("conflict_mode", &Settings::conflictMode)
      .def_readwrite("altruism", &Settings::altruism)
      .def_readwrite("prob", &Settings::prob, "p1 to p10: p1..p4 for NK's card rules, p5..p10 for CK's.")
      .def_readwrite("lapse", &Settings::lapse)
      .def_readwrite("trace", &Settings::trace)
      .def("__repr__", [](const Settings& s) {
        std::string prob;
        for (double p : s.prob) prob += (prob.empty() ? "" : ", ") + std::to_string(p);
        return "Settings(conflict_mode=" + std::to_string(s.conflictMode) + ", altruism=" +
               std::to_string(s.altruism) + ", prob=[" + prob + "], lapse=" + std::to_string(s.lapse) + ")";
      })
      .def(py::pickle(
          [](const Settings& s) { return py::make_tuple(s.conflictMode, s.altruism, s.prob, s.lapse, s.trace); },
          [](const py::tuple& t) {
            Settings settings{t[0].cast<int>(), t[1].cast<int>(), t[2].cast<std::vector<double>>(), t[3].cast<double>(),
                              t[4].cast<bool>()};
            settings.Check();
            return settings;
          }))
      .def("__eq__", [](const Settings& a, const Settings& b) {
        return a.conflictMode == b.conflictMode && a.altruism == b.altruism && a.prob == b.prob && a.lapse == b.lapse &&
               a.trace == b.trace;
      });

  py::class_<RuleSet>(m, "Rules", "The rules of an artificial player, as a rules file holds them.")
      .def(py::pickle(&RulesState, &RulesFromState))
      .def("__eq__", &SameRules);

  py::class_<Board>(m, "Board", "The six cards of a position.")
      .def(py::init(&BoardOrRaise), py::arg("text"),
           "From a hand text: six card codes in the order C, CK, UP, T, N, NK, blanks between them or not.")
      .def_property_readonly("text", &Board::Text, "The twelve characters of the six codes.")
      .def_property_readonly(
          "cards",
          [](const Board& board) {
            py::dict cards;
            for (const char* name : {"C", "CK", "UP", "T", "N", "NK"}) {
              cards[name] = std::string(board.Cell(static_cast<Position>(cards.size())));
            }
            return cards;
          },
          "The card code at each position: C, CK, UP, T, N and NK.")
      .def("__eq__", [](const Board& a, const Board& b) { return a == b; })
      .def("__hash__", [](const Board& board) { return py::hash(py::bytes(board.Text())); })
      .def("__repr__", [](const Board& board) { return "Board('" + board.Text() + "')"; })
      .def(py::pickle([](const Board& board) { return board.Text(); },
                      [](const std::string& text) { return BoardOrRaise(text); }));

  py::class_<GameState>(m, "State",
                        "A position of a hand: its board, the role to move and the letters attempted to reach it.")
      .def(py::init([](const Fhand& hand) {
             BoardOrRaise(hand.HandText);
             return GameState(HandOf(hand.HandText, hand.FirstRole));
           }),
           py::arg("hand"), "The hand's opening position, its first mover to move.")
      .def(py::init([](const Board& board, const std::string& role) { return GameState(HandOf(board.Text(), role)); }),
           py::arg("board"), py::arg("role"), "The board with the role (\"CK\" or \"NK\") to move.")
      .def_property_readonly("board", &GameState::board)
      .def_property_readonly("role", [](const GameState& state) { return RoleName(state.role()); })
      .def_property_readonly("attempts", &GameState::attempts,
                             "The letters attempted from the start, refused Target swaps included.")
      .def_property_readonly("moves", &GameState::moves, "The moves made from the start.")
      .def_property_readonly("solved", &GameState::solved, "Whether 2H lies on the Target.")
      .def_property_readonly("history_string", &GameState::history, "The history string the rules read here.")
      .def(
          "legal_moves",
          [](const GameState& state) {
            std::vector<std::string> moves;
            for (char move : state.LegalMoves()) moves.emplace_back(1, move);
            return moves;
          },
          "The letters the role to move can play; none on a solved board or at the replay's letter limit.")
      .def("play", &Played, py::arg("letter"), "The state after the move; ValueError when it cannot be played.")
      .def("attempt", &Attempted, py::arg("letter"),
           "The state after an attempt of the letter, as the replay takes it: a refused Target swap stays here.")
      .def("__eq__",
           [](const GameState& a, const GameState& b) {
             return a.hand().HandText == b.hand().HandText && a.hand().FirstRole == b.hand().FirstRole &&
                    a.attempts() == b.attempts();
           })
      .def("__hash__",
           [](const GameState& state) {
             return py::hash(py::bytes(state.hand().HandText + " " + state.hand().FirstRole + " " + state.attempts()));
           })
      .def("__repr__",
           [](const GameState& state) {
             return "State(" + state.hand().HandText + " " + state.hand().FirstRole + ", attempts='" + state.attempts() +
                    "')";
           })
      .def(py::pickle(
          [](const GameState& state) {
            return py::make_tuple(state.hand().HandText, state.hand().FirstRole, state.attempts());
          },
          [](const py::tuple& t) {
            return GameState(HandOf(t[0].cast<std::string>(), t[1].cast<std::string>()), t[2].cast<std::string>());
          }));

  m.def("model_chances", &ModelChances, py::arg("state"), py::arg("settings") = Settings{},
        "The reasoning model's exact chance of suggesting each move at the state, given the attempts before; "
        "empty when it suggests none.");
  m.def("rule_chances", &RuleChancesOf, py::arg("state"), py::arg("rules_ck"), py::arg("rules_nk"),
        "The rule player's chance of choosing each move at the state.");

  m.def("read_shoe", [](const std::string& path) { return ReadShoeOrRaise(path).hands; }, py::arg("path"),
        "The hands of a shoe file. OSError when it cannot be read, ValueError when it holds no hand.");
  m.def("read_rules", &RulesOfFile, py::arg("path"),
        "The rules of a rules file. OSError when it cannot be read; a warning when the table fills up.");
  m.def("classify_tables", &ClassifyTables, py::arg("shoe"), py::arg("settings"), py::arg("seed"),
        "The tables of classify --csv and --positions: (columns, rows) each.");
  m.def("log_likelihood", &LogLikelihood, py::arg("shoe"), py::arg("settings") = Settings{},
        py::arg("jobs") = py::int_(1),
        "The exact log-likelihood of the shoe's recorded lines under the settings.");
  m.def("fit_table", &FitTable, py::arg("shoe"), py::arg("conflict_mode") = std::nullopt,
        py::arg("altruism") = std::nullopt, py::arg("fixed") = std::map<std::string, double>{},
        py::arg("jobs") = py::int_(1),
        "The table of fit --csv: (columns, rows).");
  m.def("check_recovery_design", [](const py::dict& arguments) { RecoveryDesignOf(arguments); },
        py::arg("arguments"), "ValueError for an argument of bruso.recover that the study cannot take.");
  m.def("recovery_replicate", &RecoveryReplicate, py::arg("shoe"), py::arg("arguments"), py::arg("replicate"),
        "The rows of the recovery table for one replicate (from 0) of the study bruso.recover's arguments describe.");
  m.attr("recovery_columns") = RecoveryColumns();
  AddParticipantBindings(m);
  m.def("simulate", &Simulate, py::arg("shoe"), py::arg("lines"), py::arg("settings") = Settings{}, py::arg("seed") = 0,
        "The shoe with `lines` lines of every hand played by the model; the first line of each hand is a note.");
  m.def("play", &Play, py::arg("shoe"), py::arg("ck_rules"), py::arg("nk_rules"), py::arg("iterations") = 1,
        py::arg("seed") = 0,
        "\"Play All Hands Artificially\": a record per play, with its move string as Automa.txt holds it.");
}
