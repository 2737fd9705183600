#include "python/participant_bindings.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

#include <pybind11/stl.h>

#include "model/profile_interval.h"
#include "python/arguments.h"
#include "python/interruption.h"
#include "python/table_values.h"
#include "study/hierarchical_rows.h"
#include "study/participant_rows.h"

namespace py = pybind11;

namespace bruso {

namespace {

std::vector<Participant> FromGroups(const std::string& shoe_path, const std::string& groups_path) {
  const HandList hands = ReadShoeFile(shoe_path).hands;
  if (hands.empty()) throw py::value_error(shoe_path + ": holds no hand");
  return SplitByOwner(hands, ReadGroupsFile(hands, groups_path));
}

double LevelOf(double level) {
  if (!(level > 0.5 && level < 1)) {
    throw py::value_error("level takes a number between 0.5 and 1 (both left out), not " +
                          py::repr(py::float_(level)).cast<std::string>());
  }
  return level;
}

// The fit, run so that Ctrl-C cancels it.
template <typename Fit>
auto Interruptible(Fit fit) {
  Interruption interruption;
  std::optional<decltype(fit(FitWatch{}))> result;
  interruption.Run([&] { result.emplace(fit(FitWatch{.stopRequested = interruption.StopRequested()})); });
  return std::move(*result);
}

// The rows of the participant's fits, every variant asked for.
py::list ParticipantFitRows(const Participant& participant, std::optional<int> conflict_mode,
                            std::optional<int> altruism, const std::map<std::string, double>& fixed,
                            const py::int_& jobs, double level) {
  const std::vector<ModelVariant> variants = VariantsOf(conflict_mode, altruism);
  const FixedParameters held = FixedFrom(fixed);
  const int threads = JobsOf(jobs);
  LevelOf(level);
  try {
    const ParticipantFit fit = Interruptible([&](const FitWatch& watch) {
      return FitParticipant(participant, variants, held, threads, level, watch);
    });
    return RowValues(ParticipantRows(fit));
  } catch (const NothingToFit& nothing) {
    throw py::value_error("participant " + participant.id + ": " + nothing.what());
  }
}

// The rows of the group's hierarchical fit under one variant.
py::list HierarchicalFitRows(const std::vector<Participant>& participants, int conflict_mode, int altruism,
                             const std::map<std::string, double>& fixed, const py::int_& jobs) {
  if (participants.size() < 2) throw py::value_error("a hierarchical fit needs two participants at least");
  const std::vector<ModelVariant> variant = VariantsOf(conflict_mode, altruism);
  const FixedParameters held = FixedFrom(fixed);
  const int threads = JobsOf(jobs);
  try {
    const HierarchicalFit fit = Interruptible([&](const FitWatch& watch) {
      return FitHierarchicalVariant(participants, variant.front(), held, threads, watch);
    });
    return RowValues(HierarchicalRows(fit, participants));
  } catch (const NothingToFit& nothing) {
    throw py::value_error(nothing.what());
  }
}

}  // namespace

void AddParticipantBindings(py::module_& m) {
  py::class_<Participant>(m, "Participant", "Who played a part of the data: an id, a condition and their lines.")
      .def(py::init([](std::string id, std::string condition, HandList hands) {
             return Participant{std::move(id), std::move(condition), std::move(hands)};
           }),
           py::arg("id"), py::arg("condition") = "", py::arg("hands") = HandList{})
      .def_readwrite("id", &Participant::id)
      .def_readwrite("condition", &Participant::condition, "Empty without one.")
      .def_readwrite("hands", &Participant::hands, "The hands with only the lines the participant played.")
      .def("__repr__",
           [](const Participant& p) {
             return "Participant('" + p.id + "', '" + p.condition + "', " + std::to_string(p.hands.size()) + " hands)";
           })
      .def(py::pickle([](const Participant& p) { return py::make_tuple(p.id, p.condition, p.hands); },
                      [](const py::tuple& t) {
                        return Participant{t[0].cast<std::string>(), t[1].cast<std::string>(), t[2].cast<HandList>()};
                      }))
      .def("__eq__", [](const Participant& a, const Participant& b) {
        return a.id == b.id && a.condition == b.condition && py::cast(a.hands).equal(py::cast(b.hands));
      });

  m.def("participants_from_groups", &FromGroups, py::arg("shoe_path"), py::arg("groups_path"),
        "Each participant of a groups file with the lines of the shoe they played.");
  m.def("participants_from_shoes", &ParticipantsFromShoes, py::arg("shoe_paths"),
        py::arg("conditions_path") = std::nullopt,
        "A participant per shoe file, named after it; their conditions from the conditions file.");
  m.def("participant_fit_rows", &ParticipantFitRows, py::arg("participant"), py::arg("conflict_mode"),
        py::arg("altruism"), py::arg("fixed"), py::arg("jobs"), py::arg("level"),
        "The rows of fit --per-participant for one participant.");
  m.def("hierarchical_fit_rows", &HierarchicalFitRows, py::arg("participants"), py::arg("conflict_mode"),
        py::arg("altruism"), py::arg("fixed"), py::arg("jobs"),
        "The rows of fit --hierarchical for one variant.");
  m.attr("participant_columns") = ParticipantColumns();
  m.attr("hierarchical_columns") = HierarchicalColumns();
}

}  // namespace bruso
