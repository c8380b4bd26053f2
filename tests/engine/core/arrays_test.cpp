#include "engine/core/state.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(EngineState, arrays_are_one_based_and_reject_out_of_range_indexes) {
  auto s = std::make_unique<kv::EngineState>();
  s->bldg.FLRZ(1) = 1.5f;
  s->bldg.FLRZ(98) = 2.5f;
  EXPECT_EQ(s->bldg.FLRZ.v[0], 1.5f);
  EXPECT_THROW(s->bldg.FLRZ(0), kv::IndexError);
  EXPECT_THROW(s->bldg.FLRZ(99), kv::IndexError);
  s->bldg.PROF(5, 20, 24) = 7.0f;
  EXPECT_THROW(s->bldg.PROF(6, 1, 1), kv::IndexError);
  EXPECT_THROW(s->bldg.PROF(1, 1, 25), kv::IndexError);
  // The first subscript varies fastest.
  s->bldg.IPROF(2, 1) = 9;
  EXPECT_EQ(s->bldg.IPROF.v[0][1], 9);
}

TEST(EngineState, texts_are_blank_padded_and_tables_initialised) {
  kv::Chars<8> c;
  EXPECT_EQ(c.view(), std::string_view("\0\0\0\0\0\0\0\0", 8));
  c.set("AB");
  EXPECT_EQ(c.view(), "AB      ");
  c.set("ABCDEFGHIJ");
  EXPECT_EQ(c.view(), "ABCDEFGH");
  auto s = std::make_unique<kv::EngineState>();
  EXPECT_EQ(s->chtab.MONNAM(12).view(), "DEC");
  EXPECT_EQ(s->chtab.KEYW(6).view(), "99  ");
  EXPECT_EQ(s->chtab.RSLT(1).view(), "HT PUMP ");
}

}  // namespace
