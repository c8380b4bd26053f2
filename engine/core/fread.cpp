#include "engine/core/fread.h"

#include "common/freescan.h"
#include "engine/core/state.h"

namespace kv {

void FREAD(std::string_view LINE, int32_t& NNUM, int32_t& NTXT, FreadTexts& TXT, FreadNums& NUM) {
  NNUM = 0;
  NTXT = 0;
  for (auto& t : TXT) t.blank();
  NUM.fill(0.0);
  kalvano::freescan::Scan(
      LINE, [&](double value) { NUM(++NNUM) = value; }, [&](std::string_view text) { TXT(++NTXT).set(text); });
}

void FREAD(EngineState& s, std::string_view LINE) {
  auto& m = s.mainpg;
  m.LINE.set(LINE);
  FREAD(m.LINE.view(), m.NNUM, m.NTXT, m.TXT, m.NUM);
}

}  // namespace kv
