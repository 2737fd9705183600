#include "ui/help_window.h"

#include <QCoreApplication>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/fonts.h"
#include "ui/text_conversion.h"
#include "ui/window_geometry.h"

namespace bruso {

namespace {
// The design size of the whole window, frame included; the view keeps a margin inside it.
constexpr int OuterWidth = 630;
constexpr int OuterHeight = 656;

// Where `cmake --install` puts the help page, seen from the program's folder.
std::filesystem::path InstalledHelpPage() {
  return (QStringToPath(QCoreApplication::applicationDirPath()) / BRUSO_DOCDIR_FROM_BINDIR / HelpPageName)
      .lexically_normal();
}
}  // namespace

std::filesystem::path HelpPagePath(const std::filesystem::path& start_directory,
                                   const std::filesystem::path& installed_page) {
  const std::filesystem::path page = start_directory / HelpPageName;
  std::error_code error;
  if (std::filesystem::exists(page, error) || !std::filesystem::exists(installed_page, error)) return page;
  return installed_page;
}

TFormHelp::TFormHelp() {
  setWindowTitle(QStringLiteral("Help"));
  setFont(PixelFont("Tahoma", 11));
  // The controls at their designed places, scrolled on a screen too small for them.
  auto* content = new QWidget;
  content->setFixedSize(OuterWidth - 16, OuterHeight - 31);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ScrollingArea(content));
  resize(content->size());

  WebBrowser1 = new QTextBrowser(content);
  Place(WebBrowser1, 16, 16, 585, 489);
  WebBrowser1->setOpenLinks(true);

  Button1 = new QPushButton(QStringLiteral("OK"), content);
  Place(Button1, 192, 536, 233, 49);
  connect(Button1, &QPushButton::clicked, this, &TFormHelp::Button1Click);
}

void TFormHelp::LoadHelpPage(const std::filesystem::path& start_directory, int extra_width) {
  WebBrowser1->setSource(QUrl::fromLocalFile(PathToQString(HelpPagePath(start_directory, InstalledHelpPage()))));
  WebBrowser1->resize(OuterWidth - 60 + extra_width, OuterHeight - 150);
}

void TFormHelp::Button1Click() { accept(); }

void TFormHelp::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  raise();
  activateWindow();
}

}  // namespace bruso
