// Every message of the set-up: exact text, target file, whether it counts as an error.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup_fixture.h"

namespace {

using loadtest::SetupFixture;

enum class Target { Report, Monitor };

struct Row {
  const char* name;
  void (*defect)(kv::EngineState&);
  Target target;
  bool emptyLineBefore;  // the table's messages start after an empty line, the guards do not
  std::vector<std::string> lines;
  int errors;
};

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

const std::string kProfileList = std::string(29, ' ') + "  1" + [] {
  std::string z;
  for (int i = 0; i < 19; ++i) z += "  0";
  return z;
}();

const Row kRows[] = {
    {"wall id unknown", [](kv::EngineState& s) { s.bldg.IWALL(1) = 7; }, Target::Report, true,
     {"    ** ERROR **   IN    2 ASSEMBLIES WALL I.D.    7 CANNOT BE FOUND."}, 1},
    {"window id unknown", [](kv::EngineState& s) { s.bldg.IWIND(1) = 9; }, Target::Monitor, true,
     {"    ** ERROR **   IN    1 WINDOW TYPES GLASS I.D.    9 CANNOT BE FOUND."}, 1},
    {"glass id 0 with an area",
     [](kv::EngineState& s) {
       s.bldg.IWIND(1) = 0;
       s.bldg.AWIND(1) = 30.0f;
     },
     Target::Report, true,
     {"    *** WARNING; In wall number   1 glass i.d.=0 appears but has an area of 30.0",
      "    *** This glass area is being ignored."},
     0},
    {"glass larger than its wall", [](kv::EngineState& s) { s.bldg.AWIND(1) = 500.0f; }, Target::Monitor, true,
     {"    ** ERROR **  WALL NO.   1 IS SMALLER THAN THE WINDOW AREA ON SAME WALL.",
      "               WALL=     -100. WINDOW=      500."},
     1},
    {"profile number unknown", [](kv::EngineState& s) { s.bldg.IPROF(4, 1) = 3; }, Target::Monitor, true,
     {"    ** ERROR **  PROFILE NO.  3 IN ZONE  11 IS NOT AMONG THE LIST OF PROFILE NUMBERS, WHICH ARE:",
      kProfileList},
     1},
    {"zone areas exceed the building", [](kv::EngineState& s) { s.bldg.FLRAREA = 900.0f; }, Target::Monitor, true,
     {"    ** WARNING **  THE TOTAL ZONE AREAS OF     1000. EXCEED THE BUILDING AREA OF      900.",
      "                   BUILDING FLOOR AREA WILL BE RESET TO TOTAL ZONE AREA."},
     0},
    {"zone areas exceed the building, SI",
     [](kv::EngineState& s) {
       s.bldg.FLRAREA = 900.0f;
       s.chtab.UNITS.set("SI");
     },
     Target::Monitor, true,
     {"    ** WARNING **  THE TOTAL ZONE AREAS OF       93. EXCEED THE BUILDING AREA OF       84.",
      "                   BUILDING FLOOR AREA WILL BE RESET TO TOTAL ZONE AREA."},
     0},
    // Guards of the values the load model indexes or divides by.
    {"cooling type 0", [](kv::EngineState& s) { s.bldg.ICOOL(1) = 0; }, Target::Monitor, false,
     {"   ** ERROR ** COOLING TYPE     0 OF ZONE    11 IS NOT 1 TO 9."}, 1},
    {"cooling type 10", [](kv::EngineState& s) { s.bldg.ICOOL(1) = 10; }, Target::Monitor, false,
     {"   ** ERROR ** COOLING TYPE    10 OF ZONE    11 IS NOT 1 TO 9."}, 1},
    {"heating type 4", [](kv::EngineState& s) { s.bldg.IHEAT(1) = 4; }, Target::Monitor, false,
     {"   ** ERROR ** HEATING TYPE     4 OF ZONE    11 IS NOT 1 TO 3."}, 1},
    {"zone without height", [](kv::EngineState& s) { s.bldg.ZHGT(1) = 0.0f; }, Target::Monitor, false,
     {"   ** ERROR ** ZONE    11 HAS NO HEIGHT: THE BUILDING SKETCH DOES NOT NAME IT."}, 1},
    {"no wall types for a glass-only surface",
     [](kv::EngineState& s) {
       s.bldg.NASM = 0;
       s.bldg.AWALL(1) = 0.0f;
       s.bldg.AWIND(1) = 50.0f;
     },
     Target::Monitor, false, {"   ** ERROR ** NO WALL OR ROOF TYPES ARE DEFINED, BUT WALL NO.   1 NEEDS ONE."}, 1},
    {"no wall types for a wall", [](kv::EngineState& s) { s.bldg.NASM = 0; }, Target::Report, true,
     {"    ** ERROR **   IN    0 ASSEMBLIES WALL I.D.    1 CANNOT BE FOUND."}, 1},
    {"no window types for glass",
     [](kv::EngineState& s) {
       s.bldg.NGLS = 0;
       s.bldg.IWIND(1) = 0;
       s.bldg.AWIND(1) = 30.0f;
     },
     Target::Monitor, false, {"   ** ERROR ** NO WINDOW TYPES ARE DEFINED, BUT WALL NO.   1 HAS GLASS."}, 1},
    {"SEER 0 in zone and data base", [](kv::EngineState& s) { s.bldg.CSSEER(1) = 0.0f; }, Target::Monitor, false,
     {"   ** ERROR ** THE COOLING SEER OF ZONE    11 IS 0: NEITHER THE ZONE NOR COOLING TYPE  1 GIVES ONE."}, 1},
    {"heating factor 0", [](kv::EngineState& s) { s.bldg.HTFAC(1) = 0.0f; }, Target::Monitor, false,
     {"   ** ERROR ** THE HEATING FACTOR TIMES COP OF ZONE    11 IS 0: SEE HEATING TYPE  1 AND THE ZONE'S COP."}, 1},
    {"cooling supply air at 75 F", [](kv::EngineState& s) { s.bldg.CSTSUP(1) = 75.0f; }, Target::Monitor, false,
     {"   ** ERROR ** THE COOLING SUPPLY-AIR TEMPERATURE   75.0 OF ZONE    11 IS NOT BELOW 75 F."}, 1},
    {"heating supply air at 72 F", [](kv::EngineState& s) { s.bldg.HTTSUP(1) = 72.0f; }, Target::Monitor, false,
     {"   ** ERROR ** THE HEATING SUPPLY-AIR TEMPERATURE   72.0 OF ZONE    11 IS NOT ABOVE 72 F."}, 1},
};

TEST(SetupMessages, each_check_writes_its_text_to_its_file_and_counts_only_errors) {
  for (const Row& r : kRows) {
    SCOPED_TRACE(r.name);
    SetupFixture f("msg");
    r.defect(*f.s);
    f.setup();
    const std::string mine = r.target == Target::Report ? f.report() : f.monitor();
    const std::string other = r.target == Target::Report ? f.monitor() : f.report();
    const std::string block = (r.emptyLineBefore ? "\n\r\n" : "\n") + joined(r.lines);
    EXPECT_NE(("\n" + mine).find(block), std::string::npos) << mine;
    EXPECT_EQ(other.find(r.lines.front()), std::string::npos);
    EXPECT_EQ(f.s->bldg.NERR, r.errors);
  }
}

TEST(SetupMessages, a_clean_building_gives_no_message_but_the_zone_line) {
  SetupFixture f("clean");
  f.setup();
  EXPECT_EQ(f.s->bldg.NERR, 0);
  EXPECT_EQ(f.report(), "");
  EXPECT_EQ(f.monitor(), " Zone  1 Supply temp =   55.0 CFM-max =      377.\r\n");
}

// Defects the project reader has already counted are not counted again, and never make the
// set-up read outside a table or divide by zero.
TEST(SetupMessages, defects_of_the_reader_are_not_counted_twice) {
  struct Case {
    const char* name;
    void (*defect)(kv::EngineState&);
  };
  const Case cases[] = {
      {"fewer than one occupied day", [](kv::EngineState& s) { s.bldg.DAYSWK = 0.5f; }},
      {"lighting type 0", [](kv::EngineState& s) { s.bldg.LTYPE(1) = 0; }},
      {"lighting type 9", [](kv::EngineState& s) { s.bldg.LTYPE(1) = 9; }},
      {"exposure code 0", [](kv::EngineState& s) { s.bldg.EXPOS(1) = 0.0f; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetupFixture f("reader");
    c.defect(*f.s);
    f.setup();
    EXPECT_EQ(f.s->bldg.NERR, 0);
    EXPECT_EQ(f.monitor().find("ERROR"), std::string::npos);
    EXPECT_EQ(f.s->enacc.HOLFAC, f.s->bldg.DAYSWK < 1.0f ? 1.0f : 1.0f - 10.0f / 260.0f);
    EXPECT_EQ(f.s->bldg.ZLOAD(4, 1), 1.5f);  // factor 1 for a lighting type without a factor
  }
}

}  // namespace
