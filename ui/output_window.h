#pragma once

#include <filesystem>

#include <QAction>
#include <QMainWindow>

#include "ui/dialogs.h"
#include "ui/line_memo.h"

namespace bruso {

inline constexpr const char* SaveFilter = "Text file (*.txt)";
inline constexpr const char* SaveSuffix = "txt";
inline constexpr const char* SaveCancelledMessage = "Save file was cancelled";
// The Target cards of a line through every card once, after the tab of an output line.
inline constexpr const char* WidestTargetColumn = "3C4C3H4H2C2H";

// The output window: collects the text results of the commands; its text can be saved.
class TForm3 : public QMainWindow {
  Q_OBJECT

 public:
  TForm3(Dialogs& dialogs, const std::filesystem::path& output_folder);

  LineMemo* Memo1;
  QAction* SaveOutput;
  QAction* CloseMenu;

 public slots:
  // Writes every line of the memo to a file the user chooses, replacing it.
  void SaveOutputClick();
  // Hides the window; its text stays.
  void CloseMenuClick();

 private:
  Dialogs& dialogs_;
  std::filesystem::path outputFolder_;
};

}  // namespace bruso
