#pragma once

#include <filesystem>
#include <memory>

#include "support/qt_printers.h"
#include "support/recorders.h"
#include "ui/main_window.h"
#include "ui/scripted_dialogs.h"

namespace bruso::testing {

// A start directory with its output folder, and the main window started there with
// scripted dialogs.
class WindowFixture {
 public:
  WindowFixture();
  ~WindowFixture();

  std::filesystem::path OutputFolder() const { return start.path() / OutputFolderName; }
  // Starts (or starts again) the program in the start directory.
  void Start();

  TempFolder start;
  ScriptedDialogs dialogs;
  std::unique_ptr<TForm1> form;
};

}  // namespace bruso::testing
