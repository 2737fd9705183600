#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QScrollBar>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "players/go_speedy.h"
#include "players/play_all_hands.h"
#include "players/rules_file.h"
#include "session/artificial_play.h"
#include "session/classify_commands.h"
#include "session/model_settings.h"
#include "session/play_commands.h"
#include "support/window_fixture.h"
#include "ui/help_window.h"
#include "ui/output_window.h"
#include "ui/text_conversion.h"

namespace bruso {
namespace {

using testing::ReadFile;
using testing::WindowFixture;
using testing::WriteFile;

// Writes the lines "alpha", "   ", "pending", "" to the output window, the way the engine does.
void WriteOutput(SharedState& state) {
  state.io.OutputLine("alpha");
  state.io.AddText("pending");
  state.io.OutputLine("   ");
  state.io.OutputLine("");
}

TEST(OutputWindow, SaveWritesEveryLineReplacingTheChosenFile) {
  WindowFixture window;
  TForm1& form = *window.form;
  WriteOutput(form.State());
  const auto target = window.start.path() / "saved.txt";
  WriteFile(target, "an older and longer text\nthat must go\n");

  window.dialogs.QueueFile(PathToQString(target));
  form.Form3->SaveOutput->trigger();

  EXPECT_EQ(ReadFile(target), "alpha\n   \npending\n\n");
  ASSERT_EQ(window.dialogs.asked.size(), 1u);
  const auto& asked = window.dialogs.asked[0];
  EXPECT_EQ(asked.kind, ScriptedDialogs::Kind::SaveFile);
  EXPECT_EQ(asked.text, PathToQString(window.OutputFolder()));
  EXPECT_EQ(asked.details, QStringList({"Text file (*.txt)", "txt"}));
}

TEST(OutputWindow, CancelledSaveSaysSoAndWritesNothing) {
  WindowFixture window;
  TForm1& form = *window.form;
  WriteOutput(form.State());
  window.dialogs.QueueFile(QString());
  form.Form3->SaveOutput->trigger();
  EXPECT_EQ(window.dialogs.Messages(), QStringList({"Save file was cancelled"}));
}

TEST(OutputWindow, SaveThatCannotWriteReportsTheFile) {
  WindowFixture window;
  TForm1& form = *window.form;
  WriteOutput(form.State());
  const auto target = window.start.path() / "no such folder" / "saved.txt";
  window.dialogs.QueueFile(PathToQString(target));
  form.Form3->SaveOutput->trigger();
  ASSERT_EQ(window.dialogs.asked.back().kind, ScriptedDialogs::Kind::Error);
  EXPECT_EQ(window.dialogs.asked.back().text, "File not found: " + PathToQString(target));
}

TEST(OutputWindow, CloseHidesItAndShowOutputBringsBackTheSameText) {
  WindowFixture window;
  TForm1& form = *window.form;
  WriteOutput(form.State());
  form.ShowOutput->trigger();
  EXPECT_TRUE(form.Form3->isVisible());
  const QStringList shown = form.Form3->Memo1->Lines();
  EXPECT_EQ(shown, QStringList({"alpha", "   ", "pending", ""}));

  form.Form3->CloseMenu->trigger();
  EXPECT_FALSE(form.Form3->isVisible());
  form.ShowOutput->trigger();
  EXPECT_TRUE(form.Form3->isVisible());
  EXPECT_EQ(form.Form3->Memo1->Lines(), shown);
  EXPECT_TRUE(form.isEnabled());  // not modal
}

TEST(AboutBox, DisablesTheMainWindowUntilItsOk) {
  WindowFixture window;
  TForm1& form = *window.form;
  form.show();
  form.Aboutunh->trigger();
  EXPECT_TRUE(form.Form2->isVisible());
  EXPECT_FALSE(form.isEnabled());
  EXPECT_FALSE(form.menuBar()->isEnabled());  // so About cannot be chosen twice
  EXPECT_TRUE(form.Form2->isEnabled());
  EXPECT_FALSE(form.Form2->windowFlags().testFlag(Qt::WindowCloseButtonHint));

  QTest::mouseClick(form.Form2->Button1, Qt::LeftButton);
  EXPECT_FALSE(form.Form2->isVisible());
  EXPECT_TRUE(form.isEnabled());
}

TEST(AboutBox, CreditsNameNoWebAddress) {
  WindowFixture window;
  const QString credits = window.form->Form2->Memo1->toPlainText();
  EXPECT_TRUE(credits.contains("no warranty"));
  EXPECT_TRUE(credits.contains("senza alcuna garanzia"));
  EXPECT_FALSE(credits.contains("www"));
  EXPECT_FALSE(credits.contains("http"));
  EXPECT_FALSE(credits.contains("@"));
}

// The text of a label fits in it: on one line, or over the lines it wraps to.
bool ShowsWhole(const QLabel& label) {
  const QFontMetrics metrics(label.font());
  const QRect room = label.contentsRect();
  if (!label.wordWrap()) return metrics.horizontalAdvance(label.text()) <= room.width();
  return metrics.boundingRect(room, Qt::TextWordWrap, label.text()).height() <= room.height();
}

// At the size each window opens with, its texts show whole: the status bar with fitted
// settings, the Target column of the longest line, the Iteration Number box's title (in a
// bold title-bar font, beside the title bar's buttons) and the About box's version.
TEST(WindowTexts, ShowWholeAtTheDefaultSize) {
  WindowFixture window;
  TForm1& form = *window.form;
  ModelSettings fitted = CurrentModelSettings(form.State());
  for (int k = 1; k <= 10; ++k) fitted.ProbTable[k] = 1.0 / (k + 2);
  fitted.LapseRate = 0.0123456789;
  ApplyModelSettings(form.State(), fitted);
  form.ShowState();
  form.show();
  QApplication::processEvents();
  EXPECT_TRUE(ShowsWhole(*form.ModelStatus)) << form.ModelStatus->text().toStdString();

  // The Target column starts at a tab stop past 40 move letters.
  form.ShowOutput->trigger();
  QApplication::processEvents();
  const LineMemo& memo = *form.Form3->Memo1;
  const QFontMetricsF metrics(memo.font());
  qreal widest_letter = 0;
  for (QChar letter : QStringLiteral("CUNTP")) widest_letter = std::max(widest_letter, metrics.horizontalAdvance(letter));
  EXPECT_LE(41 * widest_letter + metrics.horizontalAdvance(WidestTargetColumn) + 6, memo.viewport()->width())
      << "the Target column is cut";

  const auto box = NewInputBox(&form, "Iteration Number", "Iteration Number", "1");
  box->show();
  QApplication::processEvents();
  QFont title_font = box->font();
  title_font.setBold(true);
  EXPECT_GE(box->width(), QFontMetrics(title_font).horizontalAdvance("Iteration Number") + 100);
  box->hide();

  form.Aboutunh->trigger();
  QApplication::processEvents();
  EXPECT_EQ(form.Form2->Label2->text(), "Beta versione " BRUSO_VERSION);
  for (const QLabel* label : {form.Form2->Label1, form.Form2->Label2}) {
    EXPECT_TRUE(ShowsWhole(*label)) << label->text().toStdString();
    EXPECT_FALSE(label->geometry().intersects(form.Form2->Image1->geometry())) << label->text().toStdString();
  }
  form.Form2->Button1->click();
}

TEST(HelpWindow, ShowsTheStartDirectoryThenThePageModallyUntilOk) {
  WindowFixture window;
  TForm1& form = *window.form;
  WriteFile(window.start.path() / "help.html", "<html><body><h1>Bruso help</h1></body></html>");

  form.show();
  bool shown_modal = false;
  bool active = false;
  QString page_text;
  int view_width = 0;
  QTimer::singleShot(0, [&] {
    shown_modal = form.FormHelp->isVisible() && form.FormHelp->isModal();
    active = QTest::qWaitForWindowActive(form.FormHelp.get(), 2000);
    page_text = form.FormHelp->WebBrowser1->toPlainText();
    view_width = form.FormHelp->WebBrowser1->width();
    QTest::mouseClick(form.FormHelp->Button1, Qt::LeftButton);
  });
  form.Quitdoi->trigger();  // returns when the help window is closed

  EXPECT_TRUE(shown_modal);
  EXPECT_TRUE(active);
  EXPECT_TRUE(page_text.contains("Bruso help"));
  EXPECT_TRUE(view_width == 570 || view_width == 571) << view_width;
  EXPECT_EQ(form.FormHelp->WebBrowser1->source(),
            QUrl::fromLocalFile(PathToQString(window.start.path() / "help.html")));
  EXPECT_FALSE(form.FormHelp->isVisible());
  EXPECT_EQ(window.dialogs.Messages(), QStringList({PathToQString(window.start.path())}));
}

TEST(HelpWindow, ThePageOfTheStartDirectoryComesFirstThenTheInstalledCopy) {
  struct Case {
    bool in_start_directory;
    bool installed;
    bool shows_installed;
  };
  for (const Case& c : {Case{true, true, false}, Case{true, false, false}, Case{false, true, true},
                        Case{false, false, false}}) {
    testing::TempFolder start;
    testing::TempFolder share;
    const std::filesystem::path installed = share.path() / "doc" / "help.html";
    std::filesystem::create_directory(share.path() / "doc");
    if (c.in_start_directory) WriteFile(start.path() / "help.html", "<html></html>");
    if (c.installed) WriteFile(installed, "<html></html>");
    EXPECT_EQ(HelpPagePath(start.path(), installed), c.shows_installed ? installed : start.path() / "help.html")
        << c.in_start_directory << c.installed;
  }
}

// The project's own help page, as the help window shows it.
QString ShownHelpPage() {
  TFormHelp help;
  help.LoadHelpPage(std::filesystem::path(BRUSO_SOURCE_DIR) / "ui", 0);
  return help.WebBrowser1->toPlainText();
}

TEST(HelpPage, NamesEveryFixedMessageOutputFileAndTraceWord) {
  const QString page = ShownHelpPage();
  std::vector<std::string> named = {MissingOutputFolderMessage, NoCurrentNodeMessage,  ClassifiedMessage,
                                    ChooseRulesMessage,         NotEnoughMemoryMessage, TooManyMovesMessage,
                                    QuitQuestion,               SaveCancelledMessage,   ResultsFileName,
                                    "List index out of bounds (0)", "is not a valid integer value",
                                    "It is false that the string is usable", "Iteration Number"};
  named.insert(named.end(), OutputFileNames.begin(), OutputFileNames.end());
  for (const char* word : {"Norivel", " M ", "k  looks for", "Egoiste", "Wait ", "Altruiste ", "RConflict ",
                           "Stop ", "##", " Top ", " Bottom "}) {
    named.push_back(word);
  }
  for (const std::string& text : named) {
    EXPECT_TRUE(page.contains(QString::fromLatin1(text))) << "the help page does not name \"" << text << '"';
  }
}

TEST(HelpPage, EveryLinkLeadsToASectionOfThePage) {
  const QString html = QString::fromUtf8(ReadFile(std::filesystem::path(BRUSO_SOURCE_DIR) / "ui" / HelpPageName));
  QStringList anchors;
  for (const QRegularExpressionMatch& match : QRegularExpression(R"re(name="([^"]+)")re").globalMatch(html)) {
    anchors << match.captured(1);
  }
  int links = 0;
  for (const QRegularExpressionMatch& match : QRegularExpression(R"re(href="([^"]*)")re").globalMatch(html)) {
    ++links;
    const QString target = match.captured(1);
    EXPECT_TRUE(target.startsWith('#') && anchors.contains(target.mid(1))) << target.toStdString();
  }
  EXPECT_GT(links, 5);
}

TEST(RulesWindow, ShowsItsLinesUntilOkHidesIt) {
  WindowFixture window;
  TForm4& rules = *window.form->Form4;
  EXPECT_EQ(rules.Memo1->Lines(),
            QStringList({"Artificial Player Rules", "-------------------------------------------------", "", ""}));
  rules.SetLines({"CK rules", " T 2H ## 3H"});
  rules.show();
  QTest::mouseClick(rules.BitBtn1, Qt::LeftButton);
  EXPECT_FALSE(rules.isVisible());
  EXPECT_EQ(rules.Memo1->Lines(), QStringList({"CK rules", " T 2H ## 3H"}));
}

}  // namespace
}  // namespace bruso
