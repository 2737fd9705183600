#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include "ui/dialogs.h"
#include "ui/main_window.h"

namespace bruso {

// Names the application "Bruso", gives it the same look everywhere and stands in for the
// Windows fonts that the windows ask for.
void SetUpApplication();

// Builds the main window and the other windows for the start directory. When the start-up
// fails (the output folder is missing, say) it shows the error and returns none: the
// program then ends without a window.
std::unique_ptr<TForm1> CreateMainWindow(const std::filesystem::path& start_directory,
                                         Dialogs& dialogs, std::uint64_t seed);

}  // namespace bruso
