// The controls and the main menu of the main window, as designed, and its two board
// layouts.
#include <QMenuBar>

#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/move_string_box.h"
#include "ui/pictures.h"
#include "ui/window_geometry.h"
#include "ui/window_keys.h"

namespace bruso {

namespace {

// Where a position's image, label and frame stand (left, top) in one layout.
struct LayoutPlace {
  QPoint image;
  QPoint label;
  QPoint frame;
};
using BoardLayout = std::array<LayoutPlace, PositionCount>;  // in board order

// Two columns: NK, T and CK on the left from top to bottom, N, UP and C on the right.
// The start-up applies it.
const BoardLayout VerticalLayout = {{
    {{192, 416}, {280, 456}, {184, 408}},  // C
    {{80, 448}, {40, 496}, {72, 440}},     // CK
    {{192, 288}, {280, 336}, {184, 280}},  // UP
    {{80, 288}, {16, 328}, {72, 280}},     // T
    {{192, 160}, {280, 200}, {184, 152}},  // N
    {{80, 136}, {40, 176}, {72, 128}},     // NK
}};

// Two rows: CK, T and NK on top, C, UP and N below, the labels under the cards.
const BoardLayout HorizontalLayout = {{
    {{32, 344}, {64, 464}, {24, 336}},     // C
    {{32, 178}, {56, 298}, {24, 170}},     // CK
    {{144, 344}, {176, 464}, {136, 336}},  // UP
    {{144, 178}, {152, 298}, {136, 170}},  // T
    {{256, 344}, {288, 464}, {248, 336}},  // N
    {{256, 178}, {280, 298}, {248, 170}},  // NK
}};

constexpr int FrameWidth = 90;
constexpr int FrameHeight = 121;

QFrame* Bevel(QWidget* parent, int left, int top, int width, int height) {
  auto* bevel = new QFrame(parent);
  bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Place(bevel, left, top, width, height);
  return bevel;
}

QPushButton* Button(QWidget* parent, const char* caption, const char* hint, QRect place) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setToolTip(QString::fromLatin1(hint));
  button->setGeometry(place);
  return button;
}

QLineEdit* TextBox(QWidget* parent, QFont font, QRect place) {
  auto* edit = new QLineEdit(parent);
  edit->setFont(font);
  edit->setGeometry(place);
  return edit;
}

QLabel* Caption(QWidget* parent, const char* text, int left, int top) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  PlaceLabel(label, left, top);
  return label;
}

QAction* Item(QMenu* menu, const char* caption, QKeySequence shortcut = {}) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  action->setShortcut(shortcut);
  return action;
}

}  // namespace

void TForm1::BuildBoard() {
  QWidget* client = Client;
  // A little taller than designed, so that the caption under the move string stands
  // inside the frame with any font.
  BoardFrame = Bevel(client, 8, 0, 337, 618);
  ButtonsFrame = Bevel(client, 24, 8, 313, 65);

  // Frames first, so that they lie under the cards.
  for (FrameShape** shape : {&Shape6, &Shape5, &Shape4, &Shape3, &Shape2, &Shape1}) {
    *shape = new FrameShape(client);
    (*shape)->resize(FrameWidth, FrameHeight);
  }
  for (CardImage** image : {&Image4, &Image3, &Image5, &Image2, &Image6, &Image1}) {
    *image = new CardImage(client);
    (*image)->resize(CardPictureSize);
  }
  // The faces the images show when the window is built; the card display takes its
  // pictures from them.
  Image4->setPixmap(CardFace("4H"));
  Image3->setPixmap(CardFace("4C"));
  Image5->setPixmap(CardFace("3H"));
  Image2->setPixmap(CardFace("3C"));
  Image6->setPixmap(CardFace("2H"));
  Image1->setPixmap(CardFace("2C"));

  const QFont label_font = PixelFont("MS Sans Serif", 16, true);
  Label5 = Caption(client, "C", 0, 0);
  Label1 = Caption(client, "CK", 0, 0);
  Label4 = Caption(client, "Up", 0, 0);
  Label3 = Caption(client, "Target", 0, 0);
  Label6 = Caption(client, "N", 0, 0);
  Label2 = Caption(client, "NK", 0, 0);
  frames_ = {Shape6, Shape5, Shape4, Shape3, Shape2, Shape1};
  positionLabels_ = {Label5, Label1, Label4, Label3, Label6, Label2};
  for (QLabel* label : positionLabels_) {
    label->setFont(label_font);
    label->adjustSize();
  }
  // SetLayOut places them all at the end of the start-up.
}

void TForm1::BuildButtons() {
  QWidget* client = Client;
  const QFont bold = PixelFont("MS Sans Serif", 11, true);
  BitBtn6 = Button(client, "Start", "First Move", {28, 24, 49, 38});
  BitBtn4 = Button(client, "<", "Previous Move", {80, 24, 38, 38});
  BitBtn4->setFont(bold);
  BitBtn4->setProperty("tag", 1);
  BitBtn5 = Button(client, ">", "Next Move", {120, 24, 38, 38});
  BitBtn5->setFont(bold);
  BitBtn5->setProperty("tag", 2);
  BitBtn7 = Button(client, "End", "Last Move", {160, 24, 49, 38});
  BitBtn8 = Button(client, "Artificial Hand Play", "Artificial Hand Move", {216, 24, 113, 37});
  BitBtn3 = Button(client, "Artificial Move Play", "Automatic Move", {64, 80, 97, 25});
  Passo = Button(client, "Pass Move", "", {184, 80, 97, 25});

  BitBtn1 = Button(client, "", "Previous Hand", {352, 13, 35, 35});
  BitBtn1->setIcon(HandButtonPicture(true));
  BitBtn2 = Button(client, "", "Next Hand", {352, 48, 35, 35});
  BitBtn2->setIcon(HandButtonPicture(false));
  for (QPushButton* button : {BitBtn1, BitBtn2}) button->setIconSize(HandButtonPictureSize);
}

void TForm1::BuildTextControls() {
  QWidget* client = Client;
  Edit2 = new MoveStringBox(client);
  Edit2->setFont(PixelFont("Courier", 13));
  Edit2->setGeometry(24, 576, 313, 21);
  Label7 = Caption(client, CKFirstMoveCaption, 24, 600);

  Label8 = Caption(client, "N.", 408, 8);
  Label8->setFont(PixelFont("Courier New", 16));
  Label8->adjustSize();
  // The header names the cells of a hand text: both in one font of fixed pitch and size,
  // so that a hand text spaced like the header lines up under it.
  const QFont hand_font = PixelFont("Courier New", 16);
  LabelSyntax = Caption(client, "C     CK     UP     T     N     NK   ", 448, 8);
  LabelSyntax->setFont(hand_font);
  LabelSyntax->adjustSize();

  Edit4 = TextBox(client, PixelFont("Courier New", 21), {392, 32, 41, 31});
  Edit4->setToolTip(QStringLiteral("Hand Number"));
  Edit1 = TextBox(client, hand_font, {440, 32, 361, 31});
  Edit1->setToolTip(QStringLiteral("Hand"));
  // The boxes that only show state: they can be selected and copied, not edited.
  for (QLineEdit* box : {Edit1, Edit2, Edit4}) box->setReadOnly(true);
  Label9 = Caption(client, CKFirstMoveCaption, 440, 64);

  Memo2 = new TextMemo(client);
  Place(Memo2, 359, 88, 442, 481);
  Memo2->setToolTip(QStringLiteral("Double click "));
  Memo2->setFont(PixelFont("Arial", 16));
  SetTextColor(Memo2, Qt::black);
  Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo2->setReadOnly(true);

  Memo1 = new LineMemo(client);
  Place(Memo1, 359, 576, 442, 25);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // A horizontal bar would take most of the shut box's one line.
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TForm1::BuildMenu() {
  // Every menu and item has a mnemonic: Alt and the underlined letter choose it.
  FileMenu = menuBar()->addMenu(QStringLiteral("&File"));
  ApriUno = Item(FileMenu, "&Open Shoe", Qt::Key_F1);
  OpenStudy1 = Item(FileMenu, "Open Stud&y...");
  FileMenu->addSeparator();
  ArtificialPlayer1 = Item(FileMenu, "Load Rules &CK", Qt::Key_F2);
  LoadRulesNK1 = Item(FileMenu, "Load Rules &NK", Qt::Key_F3);
  FileMenu->addSeparator();
  stLayout = Item(FileMenu, "");  // SetLayOut names it
  changerole = Item(FileMenu, "");  // ShowState names it
  changerole->setVisible(false);
  FileMenu->addSeparator();
  SaveUno = Item(FileMenu, "&Save", Qt::Key_F10);
  QuitUno = Item(FileMenu, "&Quit");

  EditMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
  CutUno = Item(EditMenu, "cu&t");
  CutUno->setEnabled(false);
  CopyUno = Item(EditMenu, "&Copy");
  PasteUno = Item(EditMenu, "&paste");
  PasteUno->setEnabled(false);
  EditMenu->addSeparator();
  ShowRules1 = Item(EditMenu, "Show&Rules", Qt::CTRL | Qt::Key_F1);
  Clear1 = Item(EditMenu, "Clear &Hand", Qt::CTRL | Qt::Key_F2);

  AnalysisMenu = menuBar()->addMenu(QStringLiteral("&Analysis"));
  automatic1 = Item(AnalysisMenu, "&Classify All Hands", Qt::SHIFT | Qt::Key_F1);
  Players1 = Item(AnalysisMenu, "&Play All Hands Artificially", Qt::SHIFT | Qt::Key_F2);
  ShowOutput = Item(AnalysisMenu, "Show &Output");
  AnalysisMenu->addSeparator();
  ModelSettings1 = Item(AnalysisMenu, "&Model Settings...");
  Statistics1 = Item(AnalysisMenu, "&Statistics");
  FitModel1 = Item(AnalysisMenu, "&Fit Model...");
  FitWeights1 = Item(AnalysisMenu, "Fit &Weights...");
  CheckFitted1 = Item(AnalysisMenu, "Check Fi&tted Model...");
  CheckRecovery1 = Item(AnalysisMenu, "Check Reco&very...");
  AnalysisMenu->addSeparator();
  RunExperiment1 = Item(AnalysisMenu, "&Run Experiment...");

  HelpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
  Quitdoi = Item(HelpMenu, "&Help");
  Aboutunh = Item(HelpMenu, "&About");
}

void TForm1::SetLayOut() {
  const BoardLayout& layout = state_.LayoutFlag ? HorizontalLayout : VerticalLayout;
  for (int cell = 0; cell < PositionCount; ++cell) {
    CardImages[cell]->move(layout[cell].image);
    positionLabels_[cell]->move(layout[cell].label);
    frames_[cell]->move(layout[cell].frame);
  }
  stLayout->setText(WithMnemonic(QString::fromLatin1(state_.LayoutFlag ? VerticalLayoutCaption : HorizontalLayoutCaption),
                                 QStringLiteral("Layout")));
  state_.LayoutFlag = !state_.LayoutFlag;
}

}  // namespace bruso
