#include "ui/output_window.h"

#include <algorithm>

#include <QMenuBar>
#include <QVBoxLayout>

#include "engine/io_error.h"
#include "ui/fonts.h"
#include "ui/text_conversion.h"
#include "ui/window_keys.h"

namespace bruso {

TForm3::TForm3(Dialogs& dialogs, const std::filesystem::path& output_folder)
    : dialogs_(dialogs), outputFolder_(output_folder) {
  setWindowTitle(QStringLiteral("Bruso"));
  setFont(PixelFont("MS Sans Serif", 11));

  QMenu* file_menu = menuBar()->addMenu(QStringLiteral("&File"));
  SaveOutput = file_menu->addAction(QStringLiteral("&Save"), this, &TForm3::SaveOutputClick);
  CloseMenu = file_menu->addAction(QStringLiteral("&Close"), this, &TForm3::CloseMenuClick);
  CloseOnEscape(this, [this] { CloseMenuClick(); });

  auto* client = new QWidget(this);
  setCentralWidget(client);
  Memo1 = new LineMemo(client);
  Memo1->setFont(PixelFont("Verdana", 16));
  // As designed, or wider where the font is wider: a line of the longest move string shows
  // its Target column whole, up to a path through every card. On a smaller screen the box
  // shrinks with the window and scrolls.
  const int memo_width = std::max(521, Memo1->WidthShowing(QString::fromLatin1(WidestTargetColumn)));
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(8, 16, 11, 15);
  layout->addWidget(Memo1);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  resize(memo_width + 19, 624 + menuBar()->sizeHint().height());
}

void TForm3::SaveOutputClick() {
  QString name = dialogs_.SaveFile(PathToQString(outputFolder_), QString::fromLatin1(SaveFilter),
                                   QString::fromLatin1(SaveSuffix));
  if (name.isEmpty()) {
    dialogs_.Message(QString::fromLatin1(SaveCancelledMessage));
    return;
  }
  try {
    Memo1->SaveTo(QStringToPath(name));
  } catch (const IoError& error) {
    dialogs_.Error(ErrorText(error));
  }
}

void TForm3::CloseMenuClick() { hide(); }

}  // namespace bruso
