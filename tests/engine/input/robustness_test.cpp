// Capacity overflows and malformed project files: each ends in logged, counted errors with
// the reader in step with the file, never in a crash or a hang.
#include <gtest/gtest.h>

#include <random>

#include "project_fixture.h"

namespace kv::testing {
namespace {

Lines block(const Lines& l, std::size_t from, std::size_t count) {
  return Lines(l.begin() + static_cast<long>(from), l.begin() + static_cast<long>(from + count));
}

void insertAt(Lines& l, std::size_t at, const Lines& more) {
  l.insert(l.begin() + static_cast<long>(at), more.begin(), more.end());
}

// The "9999" that ends the list beginning at the line header.
std::size_t listEnd(const Lines& l, const std::string& header) {
  for (std::size_t i = findExact(l, header); i < l.size(); ++i)
    if (l[i] == "9999") return i;
  throw std::runtime_error("no list end");
}

Lines typeEntries(const Lines& l, const std::string& header, int firstId, int n) {
  const Lines entry = block(l, findExact(l, header) + 1, 7);
  Lines out;
  for (int id = firstId; id < firstId + n; ++id) {
    Lines e = entry;
    e[0] = "ID. #      " + std::to_string(id) + " ";
    out.insert(out.end(), e.begin(), e.end());
  }
  return out;
}

TEST(Capacity, twenty_wall_types_fit_and_the_list_end_is_taken_by_the_window_section) {
  Lines l = loadFixture("office.inp");
  insertAt(l, listEnd(l, "WALL AND ROOF PROPERTIES"), typeEntries(l, "WALL AND ROOF PROPERTIES", 3, 18));
  const auto r = readProject(l);
  EXPECT_EQ(r.errors, 0) << r.monitor;
  EXPECT_EQ(r.s->bldg.NASM, 20);
  EXPECT_EQ(r.s->bldg.NGLS, 2);
}

struct TypeOverflow {
  const char* name;
  const char* header;
  const char* nextHeader;
  bool dropListEnd;
  const char* message;
};

class TypeCapacity : public ::testing::TestWithParam<TypeOverflow> {};

TEST_P(TypeCapacity, more_than_20_types_is_one_error_and_the_rest_of_the_file_reads_in_step) {
  const auto& c = GetParam();
  Lines l = loadFixture("office.inp");
  insertAt(l, listEnd(l, c.header), typeEntries(l, c.header, 3, 22));
  if (c.dropListEnd) l.erase(l.begin() + static_cast<long>(listEnd(l, c.header)));
  const auto r = readProject(l);
  EXPECT_EQ(r.errors, 1) << r.monitor;
  EXPECT_TRUE(r.hasLine(c.message)) << r.monitor;
  EXPECT_EQ(r.count(c.message), 1);
  const bool walls = std::string(c.header).starts_with("WALL");
  EXPECT_EQ(walls ? r.s->bldg.NASM : r.s->bldg.NGLS, 20);
  EXPECT_EQ(walls ? r.s->bldg.NGLS : r.s->bldg.NASM, 2);
  EXPECT_EQ(r.s->bldg.NOPROF(5, 2), 2);
  EXPECT_EQ(r.s->bldg.NZ, 3);
  EXPECT_EQ(r.s->bldg.ZHGT(3), 12.0f);
}

const TypeOverflow kTypeOverflows[] = {
    {"walls", "WALL AND ROOF PROPERTIES", "WINDOW PROPERTIES", false,
     "   ** ERROR ** MORE THAN 20 TYPES IN WALL SECTION; THE TYPES AFTER THE 20TH ARE LEFT OUT."},
    {"walls_without_list_end", "WALL AND ROOF PROPERTIES", "WINDOW PROPERTIES", true,
     "   ** ERROR ** MORE THAN 20 TYPES IN WALL SECTION; THE TYPES AFTER THE 20TH ARE LEFT OUT."},
    {"windows", "WINDOW PROPERTIES", "PROFILES", false,
     "   ** ERROR ** MORE THAN 20 TYPES IN WIND SECTION; THE TYPES AFTER THE 20TH ARE LEFT OUT."},
    {"windows_without_list_end", "WINDOW PROPERTIES", "PROFILES", true,
     "   ** ERROR ** MORE THAN 20 TYPES IN WIND SECTION; THE TYPES AFTER THE 20TH ARE LEFT OUT."},
};
INSTANTIATE_TEST_SUITE_P(ProjectReader, TypeCapacity, ::testing::ValuesIn(kTypeOverflows),
                         [](const auto& info) { return std::string(info.param.name); });

Lines profiles(int first, int n) {
  Lines out;
  for (int p = first; p < first + n; ++p) {
    out.push_back(std::to_string(p));
    std::string v;
    for (int h = 0; h < 24; ++h) v += (h ? " " : "") + std::to_string(p % 2);
    out.push_back(v);
  }
  return out;
}

TEST(Capacity, twenty_profiles_of_a_kind_fit) {
  Lines l = loadFixture("office.inp");
  insertAt(l, findExact(l, "HW") - 1, profiles(2, 19));
  const auto r = readProject(l);
  EXPECT_EQ(r.errors, 0) << r.monitor;
  EXPECT_EQ(r.s->bldg.NOPROF(1, 20), 20);
  EXPECT_EQ(r.s->bldg.NOPROF(2, 1), 1);
}

TEST(Capacity, more_than_20_profiles_of_a_kind_is_one_error_and_the_next_kinds_read_in_step) {
  Lines l = loadFixture("office.inp");
  insertAt(l, findExact(l, "HW") - 1, profiles(2, 25));
  const auto r = readProject(l);
  EXPECT_EQ(r.errors, 1) << r.monitor;
  EXPECT_TRUE(r.hasLine(
      "   ** ERROR ** MORE THAN 20 PROFILES OF KIND Occ ; THE PROFILES AFTER THE 20TH ARE LEFT OUT."))
      << r.monitor;
  EXPECT_EQ(r.s->bldg.NOPROF(1, 20), 20);
  EXPECT_EQ(r.s->prjtxt.PKIND(2).view(), "HW  ");
  EXPECT_EQ(r.s->bldg.NOPROF(2, 1), 1);
  EXPECT_EQ(r.s->bldg.NOPROF(5, 2), 2);
  EXPECT_EQ(r.s->bldg.NZ, 3);
}

// n more copies of the last zone (one surface each), numbered from first.
Lines zoneCopies(const Lines& l, int first, int n) {
  const std::size_t from = find(l, "Zone No.   21 ");
  const std::size_t to = findExact(l, "BUILDING MATRIX");
  const Lines z = block(l, from, to - from);
  Lines out;
  for (int k = 0; k < n; ++k) {
    Lines c = z;
    c[0] = "Zone No.   " + std::to_string(first + k) + " ";
    out.insert(out.end(), c.begin(), c.end());
  }
  return out;
}

TEST(Capacity, ninety_eight_zones_fit) {
  Lines l = loadFixture("office.inp");
  insertAt(l, findExact(l, "BUILDING MATRIX"), zoneCopies(l, 1001, 95));
  const auto r = readProject(l);
  EXPECT_EQ(r.errors, 0);
  EXPECT_EQ(r.s->bldg.NZ, 98);
  EXPECT_EQ(r.s->bldg.ZHGT(3), 12.0f);  // the matrix is still read
}

TEST(Capacity, zones_beyond_98_are_an_error_never_a_silent_drop) {
  Lines l = loadFixture("office.inp");
  insertAt(l, findExact(l, "BUILDING MATRIX"), zoneCopies(l, 1001, 97));
  const auto r = readProject(l);
  EXPECT_EQ(r.errors, 1) << r.monitor;
  EXPECT_TRUE(r.hasLine("   ** ERROR ** MORE THAN 98 ZONES: ZONE  1096 AND THE ZONES AFTER IT "
                        "HAVE NO PLACE AND ARE NOT ANALYSED."))
      << r.monitor;
  EXPECT_EQ(r.s->bldg.NZ, 98);
  EXPECT_EQ(r.s->bldg.ZHGT(3), 12.0f);
  EXPECT_TRUE(r.hasLine("Completed zone input for  98 zones. "));
}

TEST(Capacity, surfaces_beyond_400_are_one_error) {
  Lines l = loadFixture("office.inp");
  const std::size_t first = find(l, "Wall ID.  ", 6);  // the last zone's only surface
  const Lines surf = block(l, first, 14);
  for (int k = 0; k < 400; ++k) insertAt(l, first, surf);
  const auto r = readProject(l);
  EXPECT_EQ(r.errors, 1) << r.count("** ERROR **");
  EXPECT_TRUE(r.hasLine("   ** ERROR ** MORE THAN 400 SURFACES: THE SURFACES FROM ZONE    21 ON HAVE "
                        "NO PLACE AND ARE NOT ANALYSED."));
  EXPECT_EQ(r.s->bldg.LASTSURF(3), 400);
  EXPECT_EQ(r.s->bldg.NZ, 3);
  EXPECT_EQ(r.s->bldg.ZHGT(3), 12.0f);
}

TEST(Capacity, surfaces_of_a_zone_left_out_need_no_place) {
  Lines l = loadFixture("office.inp");
  const std::size_t first = find(l, "Wall ID.  ", 3);  // the second zone's first surface
  const Lines surf = block(l, first, 14);
  for (int k = 0; k < 400; ++k) insertAt(l, first, surf);
  setValue(l, "Flr. Area ", " 0 ", 2);
  const auto r = readProject(l);
  EXPECT_EQ(r.errors, 0) << r.count("** ERROR **");
  EXPECT_EQ(r.count("*** WARNING"), 1);
  EXPECT_EQ(r.s->bldg.NZ, 2);
  EXPECT_EQ(r.s->bldg.IZONE(2), 21);
  EXPECT_EQ(r.s->bldg.LASTSURF(2), 3);
}

// ---------------------------------------------------------------------------------------
// Malformed files.

TEST(Malformed, a_file_cut_after_any_line_before_the_matrix_is_one_error_after_it_none) {
  const Lines full = loadFixture("office.inp");
  const std::size_t matrix = findExact(full, "BUILDING MATRIX");
  for (std::size_t n = 1; n < full.size(); ++n) {
    const auto r = readProject(block(full, 0, n));
    if (n <= matrix) {
      EXPECT_EQ(r.errors, 1) << "cut after line " << n << "\n" << r.monitor;
      EXPECT_EQ(r.count("THE PROJECT FILE ENDS TOO EARLY"), 1) << n;
      EXPECT_TRUE(r.ended) << n;
    } else {
      EXPECT_EQ(r.errors, 0) << "cut after line " << n;
      EXPECT_FALSE(r.ended) << n;
    }
  }
}

TEST(Malformed, a_file_with_only_its_header_line_is_an_error) {
  const auto r = readProject({"KAL-VANO  .83774665  4  IP"});
  EXPECT_EQ(r.errors, 1);
  EXPECT_TRUE(r.hasLine("   ** ERROR ** THE PROJECT FILE ENDS TOO EARLY: INPUT SECTION 1 IS "
                        "INCOMPLETE AFTER LINE      1."))
      << r.monitor;
}

TEST(Malformed, an_empty_file_is_an_error) {
  const auto r = readProject({});
  EXPECT_EQ(r.errors, 1);
}

TEST(Malformed, trailing_blanks_to_300_columns_change_nothing) {
  Lines l = loadFixture("office.inp");
  for (auto& line : l) line.resize(300, ' ');
  const auto r = readProject(l);
  EXPECT_EQ(r.errors, 0) << r.monitor;
  EXPECT_EQ(r.s->bldg.NZ, 3);
  EXPECT_FLOAT_EQ(r.s->bldg.ZLOAD(3, 1), 200.0f);
  EXPECT_EQ(r.s->bldg.ZHGT(3), 12.0f);
}

TEST(Malformed, lines_of_300_characters_end_in_errors_not_a_crash) {
  Lines l = loadFixture("office.inp");
  for (auto& line : l) line.resize(300, '7');
  const auto r = readProject(l);
  EXPECT_GT(r.errors, 0);
}

TEST(Malformed, a_garbage_line_anywhere_never_crashes_and_the_reading_ends) {
  const Lines full = loadFixture("office.inp");
  const std::string garbage[] = {"#!%&( garbage 12ab -- '' ,,", std::string(1, '\0') + "\x7f\xff\t\r",
                                 "9999", "BUILDING", "99", "Zone 1e39 -5e40"};
  for (std::size_t i = 1; i < full.size(); ++i) {
    for (const auto& g : garbage) {
      Lines l = full;
      l[i] = g;
      const auto r = readProject(l);
      EXPECT_GE(r.errors, 0);
    }
  }
}

TEST(Malformed, letters_in_every_number_field_are_counted_one_by_one) {
  Lines l = loadFixture("office.inp");
  int changed = 0;
  for (auto& line : l) {
    if (line.size() > 12 && line[10] == ' ' && (std::isdigit(static_cast<unsigned char>(line[11])) ||
                                                line[11] == '.')) {
      const std::string label = line.substr(0, 10);
      if (label == "Zone No.  " || label == "DemChgRate" || label == "DesTemps  ") continue;
      line = label + " x" + line.substr(12);
      ++changed;
    }
  }
  const auto r = readProject(l);
  EXPECT_GT(changed, 100);
  EXPECT_EQ(r.count("A NUMBER EXPECTED") + r.count("A WHOLE NUMBER EXPECTED"), changed);
  EXPECT_EQ(r.s->bldg.NZ, 0);  // every floor area reads as 0
}

TEST(Malformed, random_bytes_never_crash) {
  std::mt19937 gen(12345);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> len(0, 200);
  for (int file = 0; file < 30; ++file) {
    Lines l{"KAL-VANO  .83774665  4  IP"};
    for (int i = 0; i < 400; ++i) {
      std::string line(static_cast<std::size_t>(len(gen)), ' ');
      for (auto& c : line) c = static_cast<char>(byte(gen));
      for (auto& c : line)
        if (c == '\n') c = ' ';
      l.push_back(line);
    }
    const auto r = readProject(l);
    EXPECT_GT(r.errors, 0);
  }
}

}  // namespace
}  // namespace kv::testing
