#include "ui/rules_window.h"

#include <QStyle>
#include <QVBoxLayout>

#include "ui/fonts.h"
#include "ui/text_conversion.h"
#include "ui/window_geometry.h"
#include "ui/window_keys.h"

namespace bruso {

TForm4::TForm4() {
  setWindowTitle(QStringLiteral("Artificial Player Rules File"));
  setFont(PixelFont("MS Sans Serif", 11));
  // The controls at their designed places, scrolled on a screen too small for them.
  auto* content = new QWidget;
  content->setFixedSize(460, 512);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ScrollingArea(content));
  resize(content->size());
  CloseOnEscape(this, [this] { BitBtn1Click(); });

  Memo1 = new TextMemo(content);
  Place(Memo1, 8, 16, 449, 449);
  Memo1->setFont(PixelFont("Courier New", 13));
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->SetLines({QStringLiteral("Artificial Player Rules"),
                   QStringLiteral("-------------------------------------------------"), QString(),
                   QString()});

  BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), content);
  Place(BitBtn1, 152, 472, 153, 33);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm4::BitBtn1Click);
}

void TForm4::SetLines(const std::vector<std::string>& lines) {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) texts << ToQString(line);
  Memo1->SetLines(texts);
}

void TForm4::BitBtn1Click() { hide(); }

}  // namespace bruso
