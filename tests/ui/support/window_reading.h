#pragma once

// What the main window shows, read the way a user reads it, and the clicks that drive it.
#include <string>

#include <QTest>

#include "support/window_fixture.h"
#include "ui/fonts.h"
#include "ui/pictures.h"
#include "ui/text_conversion.h"

namespace bruso::testing {

// The cards the six images show, in board order C, CK, UP, T, N, NK ("??" for a picture
// that is no card's face).
inline std::string ShownCards(TForm1& form) {
  static const char* const cards[] = {"2C", "3C", "4C", "2H", "3H", "4H"};
  std::string shown;
  for (int cell = 0; cell < PositionCount; ++cell) {
    const QImage image = form.CardImages[cell]->pixmap().toImage();
    std::string code = "??";
    for (const char* card : cards) {
      if (image == CardFace(card).toImage()) code = card;
    }
    shown += code;
  }
  return shown;
}

// The marked frames in board order: "x" marked, "." at rest.
inline std::string MarkedFrames(TForm1& form) {
  const FrameShape* frames[] = {form.Shape6, form.Shape5, form.Shape4, form.Shape3, form.Shape2, form.Shape1};
  std::string marks;
  for (const FrameShape* frame : frames) {
    const bool marked = frame->PenColor() == AquaColor && frame->PenWidth() == 3;
    const bool resting = frame->PenColor() == QColor(128, 128, 128) && frame->PenWidth() == 1;
    marks += marked ? 'x' : resting ? '.' : '?';
  }
  return marks;
}

// "CK" or "NK": the role label shown in aqua.
inline std::string HighlightedRole(TForm1& form) {
  const bool ck = TextColor(form.Label1) == AquaColor;
  const bool nk = TextColor(form.Label2) == AquaColor;
  return ck && !nk ? "CK" : nk && !ck ? "NK" : "?";
}

inline void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

// Opens a shoe through the File menu, the dialog answering with the file given.
inline void OpenShoe(WindowFixture& window, const QString& file) {
  window.dialogs.QueueFile(file);
  window.form->ApriUno->trigger();
}

#ifdef BRUSO_EXAMPLES_DIR
inline QString Example(const char* name) { return PathToQString(std::filesystem::path(BRUSO_EXAMPLES_DIR) / name); }

// Loads the example rules for both roles through the File menu.
inline void LoadExampleRules(WindowFixture& window) {
  window.dialogs.QueueFile(Example("rules_ck.txt"));
  window.form->ArtificialPlayer1->trigger();
  window.dialogs.QueueFile(Example("rules_nk.txt"));
  window.form->LoadRulesNK1->trigger();
}
#endif

}  // namespace bruso::testing
