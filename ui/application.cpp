#include "ui/application.h"

#include <cstdio>

#include <QApplication>
#include <QSettings>
#include <QStyleFactory>

#include "engine/io_error.h"
#include "ui/fonts.h"
#include "ui/text_conversion.h"

namespace bruso {

void SetUpApplication() {
  QApplication::setApplicationName(QStringLiteral("Bruso"));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  InstallFontSubstitutes();
  // The program keeps no settings between runs. Qt's file dialogs would keep a history of
  // visited folders in the user's home (QtProject.conf); a settings folder that can never
  // be made, even by root, leaves them nowhere to write it.
  for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
    QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));
  }
}

std::unique_ptr<TForm1> CreateMainWindow(const std::filesystem::path& start_directory,
                                         Dialogs& dialogs, std::uint64_t seed) {
  try {
    return std::make_unique<TForm1>(start_directory, dialogs, seed);
  } catch (const IoError& error) {
    std::fprintf(stderr, "%s\n", error.what());  // for a start from a script or a terminal
    dialogs.Error(ErrorText(error));
    return nullptr;
  }
}

}  // namespace bruso
