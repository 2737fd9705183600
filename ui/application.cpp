#include "ui/application.h"

#include <QApplication>
#include <QStyleFactory>

#include "engine/io_error.h"
#include "ui/fonts.h"
#include "ui/text_conversion.h"

namespace bruso {

void SetUpApplication() {
  QApplication::setApplicationName(QStringLiteral("Bruso"));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  InstallFontSubstitutes();
}

std::unique_ptr<TForm1> CreateMainWindow(const std::filesystem::path& start_directory,
                                         Dialogs& dialogs, std::uint64_t seed) {
  try {
    return std::make_unique<TForm1>(start_directory, dialogs, seed);
  } catch (const IoError& error) {
    dialogs.Error(ErrorText(error));
    return nullptr;
  }
}

}  // namespace bruso
