#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace bruso {

// The about box. It has no modal loop of its own: the main window is disabled while it is
// shown and enabled again by its OK.
class TForm2 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* main_window);

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Image1;
  QPlainTextEdit* Memo1;
  QPushButton* Button1;

 public slots:
  void Button1Click();

 protected:
  // Closing the box by other means must not leave the main window disabled.
  void closeEvent(QCloseEvent* event) override;

 private:
  QPointer<QWidget> mainWindow_;
};

}  // namespace bruso
