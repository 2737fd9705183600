// Bruso: starts the windows in the current working directory, the start directory of
// the output folder and the help page.
#include <filesystem>

#include <QApplication>

#include "engine/random.h"
#include "ui/application.h"
#include "ui/window_geometry.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  bruso::SetUpApplication();
  bruso::QtDialogs dialogs;
  std::unique_ptr<bruso::TForm1> window =
      bruso::CreateMainWindow(std::filesystem::current_path(), dialogs, bruso::Random::ClockSeed());
  if (window == nullptr) return 1;
  dialogs.SetParentWindow(window.get());
  bruso::CentreOnScreen(window.get());
  window->show();
  return QApplication::exec();
}
