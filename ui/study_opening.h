#pragma once

#include <vector>

#include <QString>
#include <QStringList>

#include "study/participants.h"

namespace bruso {

inline constexpr const char* StudyFileFilter = "Shoes and groups or conditions files (*.txt *.doc *.csv);;All files (*)";
inline constexpr const char* StudyFilesMessage =
    "Choose a shoe and its groups file (CSV), or two shoes or more, each a participant's, with a conditions file "
    "(CSV) if you like";

// A study opened as one: its participants, the hands the window shows (the shoe's, or the
// participants' shoes one after another) and the shoe the window names.
struct OpenedStudy {
  std::vector<Participant> participants;
  HandList hands;
  QString shoeFile;
  QString caption;  // "Study: groups.csv over shoe.txt"
};

// Reads the study the files make: one shoe and one groups file (a .csv), or two shoes or
// more and at most one conditions file. Throws std::runtime_error (ParticipantsError among
// them) for files that make no study, naming the file and row at fault.
OpenedStudy ReadStudy(const QStringList& files);

}  // namespace bruso
