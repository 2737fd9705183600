#pragma once

#include <string>
#include <vector>

#include <QPushButton>
#include <QWidget>

#include "ui/text_memo.h"

namespace bruso {

// The rules window: lists the rules of both artificial players.
class TForm4 : public QWidget {
  Q_OBJECT

 public:
  TForm4();

  // Replaces the listing.
  void SetLines(const std::vector<std::string>& lines);

  TextMemo* Memo1;
  QPushButton* BitBtn1;

 public slots:
  void BitBtn1Click();
};

}  // namespace bruso
