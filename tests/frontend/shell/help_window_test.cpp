// The help contents window, the shared help viewer and the format example viewer.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "frontend/shell/content.h"
#include "frontend/shell/filesamp.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/widgets.h"
#include "shell_test_support.h"

namespace kalvano::shell {
namespace {

class HelpWindows : public test::ShellTest {
 protected:
  void SetUp() override {
    test::ShellTest::SetUp();
    Model().AppDir = base.dir().string();
    Model().ProjectFile = "New_Project";
  }
};

TEST_F(HelpWindows, contents_window_loads_with_its_caption_and_topic_labels) {
  ShowContent();
  Content& content = ContentWindow();
  EXPECT_TRUE(content.isVisible());
  EXPECT_EQ(content.windowTitle(), "KAL-VANO 6 Help -- New_Project");
  EXPECT_EQ(content.Label2()->text(), "  - Introducing KAL-VANO (VOLTIMAR for WINDOWS)");
  EXPECT_EQ(content.Label3()->text(), "- Learning KALVANO (VOLTIMAR for WINDOWS)");
  EXPECT_EQ(content.Label4()->text(), "- About the Program");
  EXPECT_EQ(content.okey()->text(), "<< Main Menu");
  EXPECT_EQ(content.findChild<QLabel*>("Label1")->text(), "Contents :");
  EXPECT_EQ(content.findChild<QLabel*>("Label8")->text(), "(Click your choice : )");
}

TEST_F(HelpWindows, each_topic_and_its_picture_show_the_same_file_and_caption) {
  Content& content = ContentWindow();
  const struct {
    ClickLabel* label;
    ClickLabel* picture;
    const char* file;
    const char* caption;
  } cases[] = {
      {content.Label2(), content.Picture1(), "helpinfo/mainhlp2.txt",
       "INTRODUCTION TO KAL-VANO 6 -- New_Project"},
      {content.Label3(), content.learn(), "helpinfo/help1.txt", "Learning KAL-VANO -- New_Project"},
      {content.Label4(), content.abouticon(), "helpinfo/mainhlp1.txt",
       "ABOUT KAL-VANO 6 -- New_Project"},
  };
  for (const auto& c : cases) {
    base.write(c.file, std::string("Help of ") + c.file);
    for (ClickLabel* control : {c.label, c.picture}) {
      LearningWindow().SetText("");
      QTest::mouseClick(control, Qt::LeftButton);
      EXPECT_TRUE(LearningWindow().isVisible());
      EXPECT_EQ(LearningWindow().windowTitle(), c.caption);
      EXPECT_EQ(LearningWindow().Text(), QString("Help of ") + c.file);
    }
  }
  EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(HelpWindows, main_menu_button_hides_the_contents_and_shows_the_main_menu) {
  ShowContent();
  Model().ProjectFile = "other.inp";
  QTest::mouseClick(ContentWindow().okey(), Qt::LeftButton);
  EXPECT_FALSE(ContentWindow().isVisible());
  EXPECT_TRUE(MainMenu().isVisible());
  // Hidden, not closed: showing it again keeps the caption of its load.
  ShowContent();
  EXPECT_EQ(ContentWindow().windowTitle(), "KAL-VANO 6 Help -- New_Project");
  // Closed: the next opening loads it again.
  ContentWindow().close();
  ShowContent();
  EXPECT_EQ(ContentWindow().windowTitle(), "KAL-VANO 6 Help -- other.inp");
}

TEST_F(HelpWindows, viewer_discards_typed_characters_and_back_hides_it_keeping_the_text) {
  base.write("helpinfo/help1.txt", "Fixed text");
  ASSERT_TRUE(ShowHelpFile("help1.txt", "caption"));
  Learning& viewer = LearningWindow();
  QTest::keyClicks(viewer.Text2(), "typed");
  QTest::keyClick(viewer.Text2(), Qt::Key_Backspace);
  QTest::keyClick(viewer.Text2(), Qt::Key_Delete);
  EXPECT_EQ(viewer.Text(), "Fixed text");
  EXPECT_EQ(viewer.okey()->text(), "<< Back");
  EXPECT_EQ(viewer.findChild<QLabel*>("Label2")->text(),
            "Use the scroll bar to read the entire Tutorial:");
  QTest::mouseClick(viewer.okey(), Qt::LeftButton);
  EXPECT_FALSE(viewer.isVisible());
  EXPECT_EQ(viewer.Text(), "Fixed text");
}

TEST_F(HelpWindows, an_empty_help_file_still_opens_the_viewer) {
  base.write("helpinfo/help1.txt", "");
  LearningWindow().SetText("old");
  EXPECT_TRUE(ShowHelpFile("help1.txt", "Learning KAL-VANO -- New_Project"));
  EXPECT_TRUE(LearningWindow().isVisible());
  EXPECT_EQ(LearningWindow().Text(), "");
}

TEST_F(HelpWindows, a_missing_topic_file_is_reported_and_no_viewer_is_shown) {
  base.remove("helpinfo/mainhlp1.txt");
  ContentWindow().Label4_Click();
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].title, "Kalvano Error #  53");
  EXPECT_EQ(boxes.asked[0].icon, MsgIcon::Exclamation);
  EXPECT_FALSE(LearningWindow().isVisible());
}

TEST_F(HelpWindows, format_example_shows_its_file_in_a_fixed_pitch_read_only_viewer) {
  QPointer<filesamp> viewer = ShowFormatExample(1);
  ASSERT_FALSE(viewer.isNull());
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_EQ(viewer->windowTitle(), "Example of TMY2 format");
  EXPECT_EQ(viewer->Text1()->toPlainText(), "TMY2 example\n 12345 6789\n");
  // Measured, since a face's fixed-pitch flag is not to be trusted.
  const QFontMetricsF metrics(viewer->Text1()->font());
  EXPECT_EQ(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'))
      << viewer->Text1()->font().family().toStdString();
  EXPECT_EQ(viewer->Text1()->font().family().toStdString(), FixedPitchFont().family().toStdString());
  QTest::keyClicks(viewer->Text1(), "x");
  QTest::keyClick(viewer->Text1(), Qt::Key_Backspace);
  EXPECT_EQ(viewer->Text1()->toPlainText(), "TMY2 example\n 12345 6789\n");
  EXPECT_EQ(viewer->OK()->text(), "OK");
  QTest::mouseClick(viewer->OK(), Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(viewer.isNull());  // closed, not kept: every use loads it afresh
}

TEST_F(HelpWindows, format_example_of_an_unknown_format_is_the_custom_one) {
  QPointer<filesamp> viewer = ShowFormatExample(7);
  ASSERT_FALSE(viewer.isNull());
  EXPECT_EQ(viewer->windowTitle(), "Example of Custom format");
  EXPECT_EQ(viewer->Text1()->toPlainText(), "Custom example\n");
  delete viewer.data();
}

TEST_F(HelpWindows, a_missing_example_file_is_reported_and_no_viewer_is_shown) {
  EXPECT_EQ(ShowFormatExample(2), nullptr);  // the fixture has no wyec2.txt
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].title, "Kalvano Error #  53");
  EXPECT_NE(boxes.asked[0].text.find("wyec2.txt"), std::string::npos);
}

}  // namespace
}  // namespace kalvano::shell
