// A hand-made building for the zone-pass tests: zones whose set-up values are filled as the
// set-up derives them, hours whose weather values are filled as the hour preparation does,
// and per-zone surface sums of a settled wall (running mean of the sol-air temperature equal
// to the outdoor air) with an optional solar gain through the glass. Only ZONES runs for real.
#pragma once

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/core/psychro.h"
#include "engine/core/state.h"
#include "engine/loads/stages.h"

namespace zt {

// Profile positions the bench puts into BLDG.PROF.
enum Prof {
  kOff = 1,   // all hours 0 (kinds 1-4)
  kOn = 2,    // all hours 1 (kinds 1, 3, 4); 1/24 for hot water
  kDcv = 3,   // kind 3: 0.016 at every hour, the demand-controlled marker
  kCool = 1,  // kind 5: 78 F
  kHeat = 2,  // kind 5: 70 F
  kCoolUn = 3,  // kind 5: 85 F
  kHeatUn = 4,  // kind 5: 60 F
};

struct ZoneInput {
  float floor = 1000.0f, height = 10.0f, mass = 10.0f, ach = 0.5f;
  float wallU = 0.1f, wallArea = 1264.9f;  // net opaque vertical wall, ft2
  float roofU = 0.0f, roofArea = 0.0f;
  float glassU = 0.0f, glassArea = 0.0f;
  float people = 0.0f, lightKw = 0.0f, equipKw = 0.0f, hwGal = 0.0f, oaCfm = 0.0f;
  const char* oaCode = "CS ";
  int occ = kOff, hw = kOff, vent = kOff, lite = kOff;
  int icool = 6, iheat = 1;
  float seer = 13.0f, cop = 0.0f;  // 0: the heating type's default
  char natVent = 'N', econ = 'N';
  float vnat = 0.0f;  // cfm
  float spres = 0.5f;
};

struct Weather {
  float DB = 70.0f, DP = 50.0f, WV = 0.0f, TDAY = 70.0f, PB = 29.92f;
  float sol = 0.0f;  // beam and diffuse on the glass, Btuh/ft2
  float fc = 0.0f;   // daylight illuminance of every zone, fc
  int NIGHT = 1, DAYRANK = 15;
};

// theat.dat: COP, heating factor, supply air.
inline constexpr float kHtCop[3] = {0.80f, 1.00f, 2.26f};
inline constexpr float kHtFac[3] = {1000.0f, 3413.0f, 3413.0f};
inline constexpr float kHtSup[3] = {105.0f, 100.0f, 95.0f};

class Bench {
 public:
  std::unique_ptr<kv::EngineState> s = std::make_unique<kv::EngineState>();
  ZoneInput zone[kv::kZones + 1];
  int month = 1;

  kv::ENACC& e() { return s->enacc; }
  kv::BLDG& b() { return s->bldg; }

  explicit Bench(int runType = 2) {
    kv::BLDG& B = b();
    s->runpar.IRUN = runType;
    for (int h = 1; h <= 24; ++h) {
      for (int k = 1; k <= 4; ++k) {
        B.PROF(k, kOff, h) = 0.0f;
        B.PROF(k, kOn, h) = k == 2 ? 1.0f / 24.0f : 1.0f;
      }
      B.PROF(3, kDcv, h) = 0.016f;
      B.PROF(5, kCool, h) = 78.0f;
      B.PROF(5, kHeat, h) = 70.0f;
      B.PROF(5, kCoolUn, h) = 85.0f;
      B.PROF(5, kHeatUn, h) = 60.0f;
      s->runpar.TMAXH(h) = 1000.0f;
      s->runpar.TMINH(h) = -1000.0f;
    }
    for (int k = 1; k <= 3; ++k) {
      B.HTCOP(k) = kHtCop[k - 1];
      B.HTFAC(k) = kHtFac[k - 1];
      B.HTTSUP(k) = kHtSup[k - 1];
    }
    s->wxmon.TDBM.fill(30.0f);
    kv::ENACC& E = e();
    E.TCMFLO = 68.0f;
    E.TCMFHI = 79.0f;
    E.QPSENS = 250.0f;
    E.QPLAT = 200.0f;
    E.NWDAYS = 5;
    E.IDOW = 1;
    E.HOLFAC = 1.0f;
    E.DAYWT = 1.0f;
    E.DAYWT6 = 1.0e-6f;
    E.ISEAS = 1;
    E.GASPR = 8.0f;    // per MBtu
    E.ELECPR = 0.1f;   // per kWh
    E.TDESIN = 72.0f;
  }

  // The set-up's per-zone values for zones 1..nz from zone[].
  void setUp(int nz) {
    kv::BLDG& B = b();
    kv::ENACC& E = e();
    B.NZ = nz;
    for (int z = 1; z <= nz; ++z) {
      const ZoneInput& c = zone[z];
      B.FLRZ(z) = c.floor;
      B.ZHGT(z) = c.height;
      B.XMASS(z) = c.mass;
      B.XINF(z) = c.ach;
      B.ZLOAD(1, z) = c.people;
      B.ZLOAD(2, z) = c.hwGal;
      s->chtab.OACODE(z).set(c.oaCode);
      B.ZLOAD(3, z) = c.oaCfm;
      B.ZLOAD(4, z) = c.lightKw;
      B.EQUIP(z) = c.equipKw;
      B.LTYPE(z) = 1;
      B.IPROF(1, z) = static_cast<int16_t>(c.occ);
      B.IPROF(2, z) = static_cast<int16_t>(c.hw);
      B.IPROF(3, z) = static_cast<int16_t>(c.vent);
      B.IPROF(4, z) = static_cast<int16_t>(c.lite);
      B.IPROF(5, z) = kCool;
      B.IPROF(6, z) = kHeat;
      B.IPROF(7, z) = kCoolUn;
      B.IPROF(8, z) = kHeatUn;
      B.ICOOL(z) = static_cast<int16_t>(c.icool);
      B.IHEAT(z) = static_cast<int16_t>(c.iheat);
      B.NVFLG(z) = c.natVent;
      B.VNAT(z) = c.vnat;
      B.ECFLG(z) = c.econ;
      B.DLFLG(z) = 'N';
      B.SPRES(z) = c.spres;
      B.COOLEF(z) = c.seer * 1000.0f;
      const int h = c.iheat;
      B.HCOP(z) = c.cop != 0.0f ? c.cop : kHtCop[h - 1];
      E.HEFF1(z) = kHtFac[h - 1] * B.HCOP(z);
      E.HEFF2(z) = E.HEFF1(z);
      E.TSUPH(z) = kHtSup[h - 1];
      if (c.icool == 7) {  // the heat pump heats
        E.TSUPH(z) = kHtSup[2];
        if (h != 3) B.HCOP(z) = kHtCop[2];
        E.HEFF2(z) = kHtFac[2] * B.HCOP(z);
      }
      E.TSUPC(z) = c.icool == 9 ? 65.0f : c.icool >= 6 ? 57.0f : 55.0f;
      E.VOLUME(z) = c.floor * c.height;
      E.AREAS(z) = E.AREAW(z) = c.wallArea;
      E.AEXT(z) = c.wallArea + c.glassArea;
      E.AENCL(z) = 2.0f * c.floor + 4.2f * std::sqrt(c.floor) * c.height;
      E.AINT(z) = std::max(E.AENCL(z) - (c.wallArea + c.glassArea + c.roofArea), 0.1f);
      E.UAGLAS(z) = c.glassU * c.glassArea;
      E.MASSCAP(z) = std::max(c.mass * 0.21f * c.floor, 100.0f);
      E.ZCAP(z) = E.VOLUME(z) * 0.018f + E.MASSCAP(z) * 0.1f;
      E.INFCFM(z) = E.VOLUME(z) * c.ach / 60.0f;
      E.DESGAIN(z) = (c.people * 250.0f + (c.lightKw + c.equipKw) * 3413.0f) * 0.8f;
      E.CFMMAX(z) = std::max(E.DESGAIN(z) / ((75.0f - E.TSUPC(z)) * 1.08f), c.oaCfm);
      if (s->runpar.IRUN == 4) E.CFMMAX(z) = c.oaCfm;
      E.ZMARK(z) = -1.0f;
      E.ECONT(z) = c.econ == 'Y' ? 55.0f : 0.0f;
      E.TZONE(z) = E.TMASS(z) = E.TDESIN;
      E.DPZONE(z) = E.TDESIN - 20.0f;
      float wb, pv, w, hh, v, rh;
      kv::PSY2(E.TDESIN, wb, 29.0f, E.DPZONE(z), pv, w, hh, v, rh);
      E.WMASS(z) = w * E.VOLUME(z) / v;
    }
  }

  // One hour: the hour preparation's values, the settled surface sums, the zone pass.
  void hour(const Weather& wx, int ihr) {
    kv::ENACC& E = e();
    kv::HRWTHR& H = s->hrwthr;
    H.DB = wx.DB;
    H.PB = wx.PB;
    H.WV = wx.WV;
    H.TDAY = wx.TDAY;
    H.NIGHT = wx.NIGHT;
    H.DAYRANK = wx.DAYRANK;
    H.DP = std::min(wx.DP, wx.DB);
    float pv;
    kv::PSY2(H.DB, H.WB, H.PB, H.DP, pv, H.W, H.H, H.V, H.RH);
    H.HOUR = static_cast<float>(ihr);
    E.IHR = ihr;
    E.WDENS = H.W / H.V;
    E.INFMULT = 0.25f + 0.02165f * H.WV + 0.00833f * std::fabs(H.DB - E.TDESIN);
    E.TEVAP = 0.2f * H.DB + 0.8f * H.WB;
    E.DTHW = 140.0f - s->wxmon.TDBM(month);
    E.RFILM1 = 1.0f / (1.45f + 0.262f * H.WV - 0.00125f * H.WV * H.WV);
    E.RFILM2 = 1.0f / (1.9f + 0.33f * H.WV);
    E.GFILM = 1.46f / (1.9f + 0.33f * H.WV + 1.46f);
    E.QHTG = E.ECLG = E.ELTG = E.ERCP = E.QHW = 0.0f;
    E.QCAT.fill(0.0f);
    for (int z = 1; z <= b().NZ; ++z) {
      E.TZLAST(z) = E.TZONE(z);
      surfaces(z, wx);
    }
    kv::ZONES(*s, month);
  }

  // Settled wall and glass sums of zone z at the zone temperature of the previous hour.
  void surfaces(int z, const Weather& wx) {
    kv::ENACC& E = e();
    const ZoneInput& c = zone[z];
    const float tz = E.TZONE(z);
    const float db = s->hrwthr.DB;
    float qop = 0, qroof = 0, sop = 0, qts = 0, qwa = 0, qws = 0, sall = 0;
    if (c.wallArea > 0 && c.wallU > 0) {
      const float u = 1.0f / (1.0f / c.wallU - 0.17f + E.RFILM1);
      const float etd = db - tz;
      qop += u * c.wallArea * etd;
      sop += (u * 0.68f * etd + tz) * c.wallArea;
    }
    if (c.roofArea > 0 && c.roofU > 0) {
      const float u = 1.0f / (1.0f / c.roofU - 0.196f + E.RFILM1 - 0.68f + 0.61f);
      const float etd = db - 7.0f + wx.sol * 0.7f * E.RFILM1 - tz;
      const float q = u * c.roofArea * etd;
      qop += q;
      qroof += q;
      sop += (0.61f * u * etd + tz) * c.roofArea;
    }
    sall = sop;
    if (c.glassArea > 0 && c.glassU > 0) {
      const float u = 1.0f / (1.0f / c.glassU - 0.146f + E.RFILM2);
      const float qwc = u * c.glassArea * (db - tz);
      const float qt = wx.sol * c.glassArea * 0.6f;
      const float qa = c.glassArea * 0.2f * E.GFILM * wx.sol * 0.6f;
      qts += qt;
      qwa += qa + qwc;
      qws += qt + qa;
      sall += ((db - tz) * u * 0.68f + tz) * c.glassArea;
    }
    E.QOPZ(z) = qop;
    E.QROOFZ(z) = qroof;
    E.QTSZ(z) = qts;
    E.QWAZ(z) = qwa;
    E.QWSZ(z) = qws;
    E.SOPZ(z) = sop;
    E.SALLZ(z) = sall;
    E.FCDLZ(z) = wx.fc;
  }
};

}  // namespace zt
