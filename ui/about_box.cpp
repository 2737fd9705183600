#include "ui/about_box.h"

#include <QCloseEvent>

#include "ui/fonts.h"
#include "ui/pictures.h"
#include "ui/window_geometry.h"
#include "ui/window_keys.h"

namespace bruso {

namespace {

const char* const CreditsText =
    "First written by the researchers who designed the game, as a tool for their "
    "experiments; ported to Windows by a member of the same group.\n"
    "Written for academic research, with no warranty of any kind.\n"
    "The card pictures and the thumbs-up were drawn for this program by its own "
    "developers and may be used freely under the program's terms.\n"
    "\n"
    "Scritto la prima volta dai ricercatori che hanno ideato il gioco, come strumento "
    "per i loro esperimenti; portato su Windows da un membro dello stesso gruppo.\n"
    "Scritto per la ricerca accademica, senza alcuna garanzia.\n"
    "Le immagini delle carte e il pollice alzato sono stati disegnati per questo "
    "programma dai suoi sviluppatori e si possono usare liberamente alle condizioni "
    "del programma.";

}  // namespace

TForm2::TForm2(QWidget* main_window) : mainWindow_(main_window) {
  setWindowTitle(QStringLiteral("about"));
  // A dialog frame with a title but no title-bar buttons, so no close box.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setFont(PixelFont("MS Sans Serif", 11));
  setFixedSize(349, 437);

  Label1 = new QLabel(QStringLiteral("BRUSO "), this);
  Label1->setFont(PixelFont("MS Sans Serif", 32, true, true));
  PlaceLabel(Label1, 24, 48);
  Label2 = new QLabel(QStringLiteral("Beta versione " BRUSO_VERSION), this);
  PlaceLabel(Label2, 24, 88);

  Image1 = new QLabel(this);
  Place(Image1, 152, 40, 57, 73);
  Image1->setAlignment(Qt::AlignCenter);
  Image1->setPixmap(ThumbsUpPicture(Image1->size()));

  Memo1 = new QPlainTextEdit(QString::fromUtf8(CreditsText), this);
  Place(Memo1, 16, 120, 313, 249);
  Memo1->setReadOnly(true);
  Memo1->setFrameShape(QFrame::NoFrame);
  Memo1->viewport()->setAutoFillBackground(false);

  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Place(Button1, 88, 400, 185, 25);
  connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
  CloseOnEscape(this, [this] { Button1Click(); });
}

void TForm2::Button1Click() {
  hide();
  if (mainWindow_ != nullptr) mainWindow_->setEnabled(true);
}

void TForm2::closeEvent(QCloseEvent* event) {
  event->accept();
  if (mainWindow_ != nullptr) mainWindow_->setEnabled(true);
}

}  // namespace bruso
