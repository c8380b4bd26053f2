// The project information window's key filter and its two checks on "OK".
#include <gtest/gtest.h>

#include "frontend/shell/projinfocore.h"

namespace kalvano::shell {
namespace {

using K = KeyRefusal;

TEST(ProjectInfoKeys, follow_the_filter_of_each_box) {
  struct Case {
    int box;
    char32_t key;
    std::string text;
    int loaded;
    KeyRefusal want;
  } cases[] = {
      {0, 'a', "", 0, K::SelectType},          // no file: the type comes from the menu
      {0, 'a', "Office", 1, K::None},          // a project from a file: typed freely
      {1, 'x', std::string(40, 'n'), 0, K::None},  // boxes 1 to 5 have no limit
      {5, '-', "", 0, K::None},
      {6, 'a', "", 0, K::NotNumeric},
      {6, '-', "", 0, K::NotNumeric},          // a minus sign is refused
      {9, '.', "1", 0, K::None},
      {11, ' ', "1", 0, K::None},
      {8, kBackspace, "1", 0, K::None},
      {8, kEnter, "1", 0, K::None},
      {10, '8', "", 0, K::DaysFirst},          // 8 into an empty occupied-days box
      {10, '9', "5 ", 0, K::DaysFirst},        // after a blank
      {10, '5', "", 0, K::None},
      {10, '0', "5", 0, K::None},              // fifty passes here, "OK" refuses it
      {10, '1', "7", 0, K::DaysAfterSeven},
      {10, '1', "  7", 0, K::DaysAfterSeven},  // the first non-blank character counts
      {10, '.', "7", 0, K::None},
      {10, '0', "7", 0, K::None},
      {7, '1', std::string(10, '1'), 0, K::None},     // the eleventh character passes
      {7, '1', std::string(11, '1'), 0, K::TooLong},  // the twelfth does not
      {11, kBackspace, std::string(11, '1'), 0, K::None},
      {6, '1', std::string(20, '1'), 0, K::None},     // box 6 has no length limit
      // Characters beyond Latin-1 never reach a box; Latin-1 letters do.
      {1, U'\u20AC', "", 0, K::NotLatin1},          // the euro sign
      {0, U'\u0100', "Office", 1, K::NotLatin1},
      {5, U'\U0001F600', "", 0, K::NotLatin1},
      {9, U'\u20AC', "", 0, K::NotNumeric},         // as any other non-digit
      {0, U'\u20AC', "", 0, K::SelectType},
      {2, U'\u00FC', "B", 0, K::None},              // u with diaeresis is Latin-1
      {2, U'\u00FF', "", 0, K::None},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FilterKey(c.box, c.key, c.text, c.loaded), c.want)
        << "box " << c.box << " key " << static_cast<unsigned>(c.key) << " text '" << c.text
        << "'";
  }
}

TEST(ProjectInfoOk, checks_the_year_by_its_last_character_and_the_days_by_their_value) {
  struct Case {
    std::string year, days;
    OkRefusal want;
  } cases[] = {
      {"", "", OkRefusal::None},
      {"2026", "5", OkRefusal::None},
      {"in 2026", "7", OkRefusal::None},  // only the last character is tested
      {"2026a", "5", OkRefusal::ConstructionYear},
      {"2026 ", "5", OkRefusal::ConstructionYear},
      {"2026", "50", OkRefusal::OccupiedDays},
      {"2026", "7.5", OkRefusal::OccupiedDays},
      {"2026", "7.", OkRefusal::None},
      {"2026", "abc", OkRefusal::None},  // no number counts as 0
  };
  for (const Case& c : cases) {
    ProjectBoxes boxes;
    boxes[6] = c.year;
    boxes[10] = c.days;
    EXPECT_EQ(CheckProjectInfo(boxes), c.want) << c.year << "|" << c.days;
  }
}

TEST(ProjectInfoMessages, carry_their_texts_titles_and_beeps) {
  EXPECT_EQ(RefusalMessage(K::SelectType).text, "Select building type from menu");
  EXPECT_EQ(RefusalMessage(K::SelectType).title, "Building Type");
  EXPECT_FALSE(RefusalMessage(K::SelectType).beep);
  EXPECT_EQ(RefusalMessage(K::DaysFirst).text,
            "Error. The maximum occupied days are 7 days per-week.");
  EXPECT_EQ(RefusalMessage(K::DaysAfterSeven).text,
            "Error.  The maximum occupied days are 7 days per-week.");
  EXPECT_TRUE(RefusalMessage(K::TooLong).beep);
  EXPECT_EQ(RefusalMessage(K::TooLong).text, "");
  EXPECT_EQ(RefusalMessage(OkRefusal::ConstructionYear).text, "You should put the construction year.");
  EXPECT_EQ(RefusalMessage(OkRefusal::OccupiedDays).text,
            "The maximum occupied days are 7 days per-week.");
  EXPECT_EQ(NextUndoBox(9), 8);
  EXPECT_EQ(NextUndoBox(0), 0);
}

}  // namespace
}  // namespace kalvano::shell
