#pragma once

#include <filesystem>

#include <QDialog>
#include <QPushButton>
#include <QTextBrowser>

namespace bruso {

inline constexpr const char* HelpPageName = "help.html";

// The help page to show: help.html of the start directory; when it has none but
// `installed_page` exists, that copy (installed with the program), so that a program started
// from the desktop menu has its help too. Without either, the start directory's path.
std::filesystem::path HelpPagePath(const std::filesystem::path& start_directory,
                                   const std::filesystem::path& installed_page);

// The help window: shows the page help.html of the start directory.
class TFormHelp : public QDialog {
  Q_OBJECT

 public:
  TFormHelp();

  // Loads the help page of the folder and sizes the view to the window, less a margin,
  // plus `extra_width` (0 or 1) pixels.
  void LoadHelpPage(const std::filesystem::path& start_directory, int extra_width);

  QTextBrowser* WebBrowser1;
  QPushButton* Button1;

 public slots:
  void Button1Click();

 protected:
  // Comes to the front, active, whenever it is shown.
  void showEvent(QShowEvent* event) override;
};

}  // namespace bruso
