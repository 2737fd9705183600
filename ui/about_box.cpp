#include "ui/about_box.h"

#include <QCloseEvent>

#include "ui/fonts.h"
#include "ui/pictures.h"
#include "ui/window_geometry.h"

namespace bruso {

namespace {

const char* const CreditsText =
    "Bruso was first written by the researchers who designed the card game, as a tool for "
    "their experiments, and later ported to Windows by a member of the same group.\n"
    "It was written for academic research and comes with no warranty of any kind.\n"
    "The card pictures were drawn for this program by its own developers; they may be "
    "used, copied and changed freely under the same terms as the program.\n"
    "The thumbs-up picture on this box was drawn for this program as well.\n"
    "\n"
    "Bruso fu scritto la prima volta dai ricercatori che hanno ideato il gioco di carte, "
    "come strumento per i loro esperimenti, e portato poi su Windows da un membro dello "
    "stesso gruppo.\n"
    "E' stato scritto per la ricerca accademica ed e' fornito senza alcuna garanzia.\n"
    "Le immagini delle carte sono state disegnate per questo programma dai suoi stessi "
    "sviluppatori; si possono usare, copiare e modificare liberamente alle stesse "
    "condizioni del programma.\n"
    "Anche l'immagine del pollice alzato di questa finestra e' stata disegnata per questo "
    "programma.";

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
  Label2 = new QLabel(QStringLiteral("Beta versione"), this);
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
