#include "ui/study_opening.h"

#include <optional>
#include <stdexcept>

#include <QFileInfo>

#include "ui/text_conversion.h"

namespace bruso {

namespace {

bool IsTable(const QString& file) { return QFileInfo(file).suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0; }

QString NamesOf(const QStringList& files) {
  QStringList names;
  for (const QString& file : files) names << QFileInfo(file).fileName();
  return names.join(QStringLiteral(", "));
}

}  // namespace

OpenedStudy ReadStudy(const QStringList& files) {
  QStringList shoes, tables;
  for (const QString& file : files) (IsTable(file) ? tables : shoes) << file;
  if (shoes.isEmpty() || tables.size() > 1 || (shoes.size() == 1 && tables.size() != 1)) {
    throw std::runtime_error(StudyFilesMessage);
  }
  OpenedStudy study;
  study.shoeFile = shoes.front();
  if (shoes.size() == 1) {
    study.hands = ReadShoeFile(QStringToPath(shoes.front()).string()).hands;
    study.participants = SplitByOwner(study.hands, ReadGroupsFile(study.hands, QStringToPath(tables.front()).string()));
    study.caption = QStringLiteral("Study: %1 over %2").arg(NamesOf(tables), NamesOf(shoes));
  } else {
    std::vector<std::string> paths;
    for (const QString& shoe : shoes) paths.push_back(QStringToPath(shoe).string());
    std::optional<std::string> conditions;
    if (!tables.isEmpty()) conditions = QStringToPath(tables.front()).string();
    study.participants = ParticipantsFromShoes(paths, conditions);
    study.hands = JoinParticipants(study.participants).hands;
    study.caption = QStringLiteral("Study: %1 shoes (%2)").arg(shoes.size()).arg(NamesOf(shoes));
    if (conditions) study.caption += QStringLiteral(", conditions %1").arg(NamesOf(tables));
  }
  if (study.hands.empty()) throw std::runtime_error("The study holds no hand: a hand line holds the card 2H, in capitals");
  return study;
}

}  // namespace bruso
