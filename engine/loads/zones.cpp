// The zone pass of the hour: for every zone its thermostat band, internal gains, infiltration,
// the air and mass temperatures from a one-node air balance coupled to one lumped mass node,
// natural ventilation, outdoor air, economiser and evaporative cooling, the hour's load split
// into the eleven load categories, peaks, comfort counters, the moisture balance and dew
// point, fans, and the energy by end use; then the building sums of the hour.
//
// Units are inch-pound throughout (F, Btuh, cfm, lb, kW); the SI forms exist only in the
// written rows. Energy units of the end uses follow from the heating factors of the heating
// types: with factor 1000 (gas) a load divided by factor x COP is kBtu of fuel, with factor
// 3413 (electric resistance, heat pump) it is kWh.
#include "engine/loads/zones.h"

#include <algorithm>
#include <cmath>

#include "engine/core/fixfmt.h"
#include "engine/core/psychro.h"
#include "engine/core/state.h"
#include "engine/core/units.h"
#include "engine/loads/stages.h"

namespace kv {

namespace {

constexpr float kHm = 1.47f;        // mass film coefficient, Btuh/ft2 F
constexpr float kStep = 4.0f;       // largest change of the zone air temperature in one hour, F
constexpr int kPassive = 4;         // run type of a passive (floating) run

float clampStep(float t, float told) { return std::min(std::max(t, told - kStep), told + kStep); }

// L / DESGAIN for a cooling load, L / ZMARK for a heating load, at most 1; 0 for no load.
float loadRatio(float L, float DESGAIN, float ZMARK) {
  float r = 0.0f;
  if (L > 0.0f) r = coolRatio(L, DESGAIN);
  else if (L < 0.0f && ZMARK < 0.0f) r = L / ZMARK;
  return std::min(r, 1.0f);
}

struct Cats {
  float v[kLoadCategories + 1] = {};  // 1-based, as the category numbers
};

void writeZoneRow(EngineState& s, int z, float L, float QLAT, float AIRIN, float TCOOL, float THEAT,
                  float T, float SLOPE) {
  const ENACC& e = s.enacc;
  const bool si = s.chtab.UNITS == "SI";
  const float lf = si ? kKWperKBtuh : 1.0f;
  const float af = si ? kLsPerCfm : 1.0f;
  auto t = [si](float x) { return si ? toC(x) : x; };
  Line ln;
  ln.T(2).I(s.bldg.IZONE(z), 4).F(L * lf, 11, 1).F(QLAT * lf, 8, 1).F(AIRIN * af, 7, 1);
  ln.F(t(TCOOL), 7, 1).F(t(THEAT), 7, 1).F(t(e.TZONE(z)), 7, 1).F(t(e.DPZONE(z)), 7, 1);
  ln.F(T * lf, 9, 1).F(SLOPE * lf * (si ? 1.8f : 1.0f), 9, 1);
  s.files.hrEnergy.line(ln.view());
}

}  // namespace

float coolRatio(float L, float DESGAIN) {
  if (DESGAIN > 0.0f) return L / DESGAIN;
  return L > 0.0f ? 1.0f : 0.0f;
}

float zoneDewPoint(float PW, float TZONE) {
  const float a = std::log(PW);
  // Ice side (Magnus-type fit of the frost point); 26.142 is the published coefficient.
  const float ice = 90.12f + 26.142f * a + 0.8927f * a * a;
  if (TZONE < 32.0f) return ice;
  const float water =
      100.45f + 33.193f * a + 2.319f * a * a + 0.17074f * a * a * a + 1.2063f * std::pow(PW, 0.1984f);
  return water < 32.0f ? ice : water;
}

void ZONES(EngineState& s, int32_t MONTH) {
  ENACC& e = s.enacc;
  BLDG& b = s.bldg;
  const HRWTHR& w = s.hrwthr;
  const bool passive = s.runpar.IRUN == kPassive;
  const int ihr = e.IHR;

  // The hour's building sums.
  e.QCLOAD = e.QCPEAK = e.QHLOAD = e.QHPEAK = e.QHEAT = 0.0f;
  e.EFAN = e.CFMSUM = e.ELKW = e.FUELHR = e.ELTEQ = e.ELTEQW = 0.0f;
  e.TDESIN = 0.0f;

  const float WDENS = w.W / w.V;  // outdoor moisture, lb/ft3

  for (int z = 1; z <= b.NZ; ++z) {
    // 1. Zone values of the hour.
    const int icool = b.ICOOL(z);
    const int iheat = b.IHEAT(z);
    float evapDP = 0.0f;  // evaporative supply dew point, F (0 = no evaporative supply)
    float QPL = 0.0f, QPS = 0.0f, QLE = 0.0f;
    float ltkw = 0.0f, eqkw = 0.0f;
    const float flr = b.FLRZ(z);
    const float occ = b.PROF(1, b.IPROF(1, z), ihr);

    // 2. Thermostat band.
    float TCOOL, THEAT;
    if (e.NONWRK == 1) {
      TCOOL = b.PROF(5, b.IPROF(7, z), ihr);
      THEAT = b.PROF(5, b.IPROF(8, z), ihr);
    } else {
      TCOOL = b.PROF(5, b.IPROF(5, z), ihr);
      THEAT = b.PROF(5, b.IPROF(6, z), ihr);
    }
    if (passive) {
      TCOOL = 212.0f;
      THEAT = -40.0f;
    }

    // 3. Internal gains of a working hour, lighting reduced by daylight.
    if (e.NONWRK == 0) {
      const float people = b.ZLOAD(1, z) * occ;
      const float lprof = b.PROF(4, b.IPROF(4, z), ihr);
      ltkw = b.ZLOAD(4, z) * lprof;
      eqkw = b.EQUIP(z) * lprof;
      if (ltkw > 0.0f && w.NIGHT == 0 && b.DLFLG(z) == 'Y' && b.FCTGT(z) >= 1.0f) {
        const float ratio = std::min(e.FCDLZ(z) / b.FCTGT(z), 1.0f) * e.DLFRAC(z);
        const float before = ltkw + eqkw;
        ltkw = (1.0f - ratio) * ltkw;
        e.DLSAVE += (before - (ltkw + eqkw)) * e.DAYWT;
      }
      e.ELTG += ltkw;
      e.ERCP += eqkw;
      e.ELTEQ += ltkw + eqkw;
      e.ELTEQW += (ltkw + eqkw) * e.DAYWT;
      e.ELTKWHM += ltkw * e.DAYWT;
      e.ERCPKWHM += eqkw * e.DAYWT;
      e.ELTKWHY += ltkw * e.DAYWT;
      e.ERCPKWHY += eqkw * e.DAYWT;
      QLE = (ltkw + eqkw) * 3413.0f;
      QPS = e.QPSENS * people;
      QPL = e.QPLAT * people;
    }

    // 4. Infiltration; its latent part from the enthalpy difference.
    const float TOLD = e.TZONE(z);
    const float cfmInf = e.INFMULT * e.INFCFM(z);
    const float QIS = 1.08f * cfmInf * (w.DB - TOLD);
    float QITOT = QIS;
    float hz = 0.0f;  // zone enthalpy of the last latent computation, Btu/lb
    float pwk, wk, vk, rhk;
    if (icool != 9 && QIS > 0.0f && !passive) {
      moistAirState(TOLD, w.PB, e.DPZONE(z), pwk, wk, hz, vk, rhk);
      QITOT = std::max((w.H - hz) * 4.5f * cfmInf, QIS);
    }
    const float QIL = std::max(QITOT - QIS, 0.0f);

    // 5-7. Latent, convective and radiant gains.
    float QLAT = QPL + QIL;
    const float conv = b.LTYPE(z) == 1 ? 0.5f : 0.2f;
    const float rad = 1.0f - conv;
    const float GC = 0.58f * QPS + conv * QLE;
    const float GR = rad * QLE + 0.33f * QPS + 0.6f * e.QOPZ(z) + e.QTSZ(z);
    const float GA = 0.4f * e.QOPZ(z) + e.QWAZ(z) + GC + QIS;
    const float GT = GR + GA;
    e.GAINMAX(z) = std::max(e.GAINMAX(z), GT);
    e.GAINMIN(z) = std::min(e.GAINMIN(z), GT);

    // 8. Floating temperature.
    const float AW = s.wxmon.TDBM(MONTH) >= 65.0f ? e.AREAS(z) : e.AREAW(z);
    const float AM = e.AINT(z);
    const float C = e.ZCAP(z);
    const float TM = e.TMASS(z);
    const float UAW = e.UAGLAS(z);
    const float TF = (C * TOLD + (1.08f * cfmInf + UAW) * w.DB + kHm * AM * TM + GC + 1.47f * e.SOPZ(z)) /
                     (1.08f * cfmInf + kHm * AM + 1.47f * AW + UAW + C);

    // 9-10. Thermostat band, the hourly step limit, the mass exchange and the sensible load.
    float& TZ = e.TZONE(z);
    TZ = clampStep(std::min(std::max(TF, THEAT), TCOOL), TOLD);
    float QM = 0.0f, L = 0.0f;
    auto balance = [&] {
      QM = kHm * AM * (TM - TZ);
      L = GA + QM;
    };
    balance();

    // 11. Gain limiter.
    if ((L > 0.0f && L > 1.05f * e.GAINMAX(z)) || (L < 0.0f && L < 1.05f * e.GAINMIN(z))) {
      L = 1.1f * (L > 0.0f ? e.GAINMAX(z) : e.GAINMIN(z));
      QM = L - GA;
      TZ = clampStep(TM - QM / (kHm * AM), TOLD);
    }

    // 12. Loads of the ventilation start at 0.
    float T = 0.0f, QVTOT = 0.0f, QVL = 0.0f, QVS = 0.0f, cfmNV = 0.0f;
    e.OACFM(z) = 0.0f;
    const float TLO = e.TCMFLO, THI = e.TCMFHI;

    // 13. Natural ventilation. Outcomes: free cooling (step 17), mechanical air (step 14).
    enum class Go { Mech, Free, Balance } go = Go::Mech;
    if (b.NVFLG(z) == 'Y') {
      float TV = TF;
      bool vent = false;
      bool lastItem = false;
      if (passive) {
        if (TF <= THI && w.DB > TF) lastItem = true;
        else if ((w.TDAY < TLO && TF < TLO && w.DB < TF) || (TF > THI && w.DB > TF)) vent = false;
        else vent = true;
      } else if (!(L < 0.0f || w.DB >= TCOOL) && (TF < THEAT || TF > TCOOL)) {
        vent = true;
      }
      if (vent) {
        cfmNV = e.INFMULT * b.VNAT(z);
        const float f = std::min(1.08f * cfmNV / C, 1.0f);
        TV = TF + (w.DB - TF) * f;
        if (!(TV > THI && TV > TF)) {
          TZ = clampStep(TV, TOLD);
          if (!(TLO <= TV && TV <= THI) &&
              ((w.TDAY < TLO && TV < TLO && TV < TF) || (TV > THI && TV > TF))) {
            TZ = clampStep(TF, TOLD);
          }
          lastItem = true;
        }
      }
      if (lastItem) {
        balance();
        if (TV != TZ && w.DB != TF) cfmNV = (TZ - TF) * C / (1.08f * (w.DB - TF));
        e.OACFM(z) = cfmNV;
        go = Go::Free;
      }
    }

    if (go == Go::Mech) {
      // 14. Mechanical outdoor air.
      const float oa = b.ZLOAD(3, z);
      if (oa != 0.0f) {
        const int vp = b.IPROF(3, z);
        const float scale = s.chtab.OACODE(z) == "PA " ? e.CFMMAX(z) : 1.0f;
        if (b.PROF(3, vp, 1) == 0.016f && b.PROF(3, vp, 13) == 0.016f) {
          e.OACFM(z) = loadRatio(L, e.DESGAIN(z), e.ZMARK(z)) * oa * scale;
        } else {
          e.OACFM(z) = b.PROF(3, vp, ihr) * oa * scale;
        }
        e.CFMMAX(z) = std::max(e.CFMMAX(z), e.OACFM(z));
      }
      const float oacfm = e.OACFM(z);
      if (passive) {
        // 15. A passive zone is ventilated towards the outdoor air.
        if (oacfm != 0.0f) {
          const float f = std::min(1.08f * oacfm / C, 1.0f);
          TZ = clampStep(TF - (TF - w.DB) * f, TOLD);
          balance();
        }
        go = Go::Free;
      } else {
        // 16. Outdoor air in a conditioned zone.
        const float f = std::min(1.08f * oacfm / C, 1.0f);
        const float TX = TF + (w.DB - TF) * f;
        if (THEAT <= TX && TX <= TCOOL) TZ = clampStep(TX, TOLD);
        QVS = 1.08f * oacfm * (w.DB - TZ);
        T = L + QVS;
        go = Go::Balance;
        if (T <= 0.0f) {
          QPL = 0.0f;  // people latent is dropped in heating hours
        } else if (w.DB < e.ECONT(z)) {
          QLAT = 0.0f;  // economiser: the outdoor air carries the load
          go = Go::Free;
        } else {
          bool evap = false;
          // The evaporative cooler runs only for a zone that would float above its cooling
          // set point, as the coil does, and never cools it below its heating set point:
          // where it could, the zone settles there (a smaller share of the cooler's air).
          if (icool == 9 && TF > TCOOL) {
            const float cfmE = coolRatio(L, e.DESGAIN(z)) * e.CFMMAX(z);
            const float fe = std::min(1.08f * cfmE / C, 1.0f);
            const float TE = std::max(TF - (TF - e.TEVAP) * fe, THEAT);
            if (TE <= TCOOL) {
              TZ = clampStep(TE, TOLD);
              balance();
              evapDP = 2.0f * w.WB - e.TEVAP;
              go = Go::Free;
              evap = true;
            }
          }
          if (!evap) {
            if (oacfm > 0.0f) {
              if (e.DPZONE(z) > TZ - 2.0f) e.DPZONE(z) = TZ - 2.0f;
              moistAirState(TZ, w.PB, e.DPZONE(z), pwk, wk, hz, vk, rhk);
              QVTOT = w.H > hz ? (w.H - hz) * 4.5f * oacfm : 0.0f;
              QVL = QVTOT > QVS ? QVTOT - QVS : 0.0f;
            }
            T = L + QVTOT + QLAT;
          }
        }
        // A zone floating inside its thermostat band needs neither heat nor cooling, whichever
        // way its load was summed: the gain sum L does not close the air balance of a
        // floating zone, so a negative total above the heating set point is no heating load
        // and a positive one below the cooling set point no cooling load.
        if (go == Go::Balance && ((T < 0.0f && TZ > THEAT) || (T > 0.0f && TZ < TCOOL))) {
          T = 0.0f;
          L = 0.0f;
        }
      }
    }

    // 17. Free cooling: the hour is carried by outdoor air without load.
    if (go == Go::Free) {
      e.FCHRS(z) += e.DAYWT;
      T = 0.0f;
      QVTOT = 0.0f;
    }

    // 18. Mass.
    e.TMASS(z) += (GR - QM) / e.MASSCAP(z);
    if (passive) T = 0.0f;

    // 19. Load categories of the hour.
    Cats c;
    c.v[1] = e.QROOFZ(z);
    c.v[2] = e.QOPZ(z) - e.QROOFZ(z);
    c.v[3] = e.QTSZ(z) + e.QWAZ(z) - e.QWSZ(z);
    c.v[4] = e.QWSZ(z);
    c.v[5] = QLE;
    c.v[6] = QPS;
    c.v[7] = QPL;
    c.v[8] = QVS;
    c.v[9] = QVL;
    c.v[10] = QIS;
    c.v[11] = QIL;

    if (T > 0.0f) {
      // 20. Cooling hour: the zone's cooling peak.
      if (T > e.ZPKCLG(z)) {
        e.ZPKCLG(z) = T;
        e.DESGAIN(z) = L;
        const float shr = L + QLAT != 0.0f ? std::min(L / (L + QLAT), 1.0f) : 1.0f;
        e.SHRZ(z) = shr;
        e.RSHRZ(z) = std::min((L + QVS) / T, 1.0f);
        e.CFMMAX(z) = std::max(T * shr / 21.6f, e.CFMMAX(z));
      }
      e.QCLOAD += T;
      e.QCPEAK += T;
      for (int k = 1; k <= kLoadCategories; ++k) e.QCLGM(k) += c.v[k] * e.DAYWT6;
    } else if (T < 0.0f) {
      // 21. Heating hour: the zone's heating peak without gains, with ventilation.
      const float LH = L - e.QWSZ(z) - QLE - QPS;
      if (LH < e.ZMARK(z)) {
        e.ZMARK(z) = LH;
        if (e.TSUPH(z) > 72.0f) {
          e.CFMHTG(z) = std::fabs(LH) / ((e.TSUPH(z) - 72.0f) * 1.08f);
          e.CFMMAX(z) = std::max(e.CFMMAX(z), e.CFMHTG(z));
        }
      }
      const float LHV = L + QVS - e.QWSZ(z) - QLE - QPS;
      e.ZPKHV(z) = std::min(e.ZPKHV(z), LHV);
      e.QHPEAK += LHV;
      e.QHLOAD += T;
      if (b.HCOP(z) > 0.0f) e.QHEAT += T / b.HCOP(z);
      c.v[7] = c.v[9] = c.v[11] = 0.0f;
      for (int k = 1; k <= kLoadCategories; ++k) e.QHTGM(k) += c.v[k] * e.DAYWT6;
      const float qws = e.QWSZ(z);
      if (L <= 0.0f) e.SOLARM += e.DAYWT * qws;
      else if (L < qws) e.SOLARM += (qws - L) * e.DAYWT;
    }

    // 22. Building categories of the hour (lights and equipment in kW).
    e.QCAT(5) += ltkw + eqkw;
    if (T != 0.0f) {
      for (int k = 1; k <= kLoadCategories; ++k)
        if (k != 5) e.QCAT(k) += c.v[k];
    }

    // 23. Fans.
    float r = 0.0f;
    const bool cv = icool == 2 || icool == 3;  // constant-volume systems
    if (e.NONWRK == 0 && occ != 0.0f) {
      r = loadRatio(L, e.DESGAIN(z), e.ZMARK(z));
      if (cv) r = 1.0f;
      if (icool == 1) r = std::max(r, 0.2f);
    } else if (cv) {
      r = L != 0.0f ? 1.0f : 0.0f;
    } else {
      r = loadRatio(L, e.DESGAIN(z), e.ZMARK(z));
      if (icool == 1 && L != 0.0f) r = std::max(r, 0.5f);
    }
    r = std::min(r, 1.0f);
    const float QF = std::max(r * e.CFMMAX(z), e.OACFM(z));
    const float hp = QF * b.SPRES(z) / 4131.4f;  // horsepower at 0.65 fan efficiency
    e.EFAN += 0.75f * hp;
    e.CFMSUM += QF;

    // 24. Mean radiant and operative temperatures.
    const float mrt = (e.TMASS(z) * AM + e.SALLZ(z)) / e.AENCL(z);
    const float top = 0.33f * TZ + 0.67f * mrt;
    e.TMRT(z) = mrt;
    e.TZLAST(z) = top;

    // 25. Comfort of the occupied working hours.
    if (e.NONWRK == 0 && occ > 0.0f) {
      if (top > THI) {
        e.CDHHI(z) += (top - THI) * e.DAYWT;
        e.CHRHI(z) += e.DAYWT;
      } else if (top < TLO) {
        e.CDHLO(z) += (TLO - top) * e.DAYWT;
        e.CHRLO(z) += e.DAYWT;
      } else {
        e.CHROK(z) += e.DAYWT;
      }
    }

    // 26. Moisture balance of the hour, lb.
    const float vol = e.VOLUME(z);
    const float wz = e.WMASS(z) / vol;
    float X = std::min(60.0f * cfmInf, 0.8f * vol);
    const float mInf = (WDENS - wz) * X;
    const float mPeop = QPL / 1000.0f;
    float mVent = 0.0f;
    float airIn = e.OACFM(z);
    float WS = 0.0f, VS = 0.0f;
    if (T < 0.0f) {
      X = std::min(60.0f * e.OACFM(z), 0.8f * vol);
      mVent = (WDENS - wz) * X;
    } else {
      if (w.DB <= e.ECONT(z) && b.ECFLG(z) == 'Y') airIn = QF;
      if (cfmNV > 0.0f) airIn = cfmNV;
      if (evapDP > 0.0f) airIn = QF;
      if (T > 0.0f) {
        const float rc = std::min(std::fabs(coolRatio(L, e.DESGAIN(z))), 1.0f);
        const float ts = e.TSUPC(z);
        float hs;
        moistAirState(ts, w.PB, ts - 2.0f, pwk, WS, hs, VS, rhk);
        X = std::min(60.0f * rc * e.CFMMAX(z), 0.8f * vol);
        mVent = (WS / VS - wz) * X;
      } else {
        X = std::min(60.0f * airIn, 0.8f * vol);
        mVent = (WDENS - wz) * X;
        if (evapDP > 0.0f) {
          float hs;
          moistAirState(e.TEVAP, w.PB, evapDP, pwk, WS, hs, VS, rhk);
          mVent = (WS / VS - wz) * X;
        }
      }
    }
    e.WMASS(z) += mInf + mPeop + mVent;

    // 27. Zone dew point and relative humidity; the moisture is reset to that state.
    const float mDry = vol / w.V;
    const float wr = std::min(std::max(e.WMASS(z) / mDry, 0.001f), 0.1f);
    const float pw = std::max(0.4898f * w.PB * wr / (wr + 0.62198f), 0.0011f);
    // Kept 2 F below the air and within 2 F of the last hour's dew point; where the air cools
    // faster than that, the dew point still never rises above the air's dry bulb.
    float TD = std::min(zoneDewPoint(pw, TZ), TZ - 2.0f);
    TD = std::min(std::max(TD, e.DPZONE(z) - 2.0f), e.DPZONE(z) + 2.0f);
    TD = std::min(TD, TZ);
    e.DPZONE(z) = TD;
    {
      float hzd;
      moistAirState(TZ, w.PB, TD, pwk, wk, hzd, vk, rhk);
      e.RHZONE(z) = std::min(rhk, 100.0f);  // saturated air: no rounding above 100 %
      e.WMASS(z) = wk / vk * vol;
    }

    // 28. Snapshots of the month's hottest and coldest day.
    if (w.DAYRANK == 31 || w.DB == s.runpar.TMAXH(ihr)) {
      e.HOTDB(ihr) = w.DB;
      e.HOTTZ(ihr, z) = TZ;
      e.HOTMRT(ihr, z) = mrt;
      e.HOTTOP(ihr, z) = top;
      e.HOTRH(ihr, z) = e.RHZONE(z);
    }
    if (w.DAYRANK == 1 || w.DB == s.runpar.TMINH(ihr)) {
      e.COLDDB(ihr) = w.DB;
      e.COLDTZ(ihr, z) = TZ;
      e.COLDMRT(ihr, z) = mrt;
      e.COLDTOP(ihr, z) = top;
      e.COLDRH(ihr, z) = e.RHZONE(z);
    }

    // 29. Hourly zone row and trace lines.
    if (e.IDETL >= 1 && e.IDETL <= 4 && s.runpar.IHRLY == 1) {
      const float slope = L - (GA + kHm * AM * (TM - (TZ + 1.0f)) - ((TZ + 1.0f) - TOLD) * C);
      writeZoneRow(s, z, L, QLAT, airIn, TCOOL, THEAT, T, slope);
    }
    if (e.IDETL == 5) {
      Line ln;
      ln.text(" TM").I(ihr, 3).F(w.DB, 5, 0).text("DB").F(e.TMASS(z), 5, 0).text("Mass");
      ln.F(e.OACFM(z), 6, 0).text("CFMV  Told-Tbal-TI").F(TOLD, 5, 0).F(TF, 5, 0).F(TZ, 5, 0);
      ln.text("DP").F(TD, 5, 0).text("ZAREA").F(flr, 5, 0).text(" surfin").F(AM, 6, 0);
      ln.text(" xsurf").F(AW, 6, 0).text(" tawi-uag-airr").F(e.SOPZ(z), 8, 0).F(UAW, 8, 0).F(C, 8, 0);
      ln.text(" QCPL").F(GC, 8, 0);
      s.files.trace.line(ln.view());
      ln.clear();
      ln.text(" ").F(e.WMASS(z), 5, 1).text("#Tot").F(mInf, 5, 1).text("#inf").F(mPeop, 5, 1);
      ln.text("#peop").F(mVent, 5, 1).text("#supp").F(mDry, 6, 1).text("#air").F(vol, 6, 0);
      ln.text("Rvol").F(w.V, 5, 1).text("SPV").F(wr, 7, 4).text("WW");
      s.files.trace.line(ln.view());
      ln.clear();
      ln.text(" ").F(WDENS, 9, 3).F(wz, 9, 3).F(airIn, 9, 3).F(evapDP, 9, 3).F(e.TEVAP, 9, 3);
      ln.F(WS, 9, 3).F(VS, 9, 3);
      s.files.trace.line(ln.view());
    } else if (e.IDETL > 5) {
      // Twelve loads for nine fields: the last three go on a second line under the loads.
      Line ln;
      ln.text(" Mon/Day=").I(MONTH, 4).I(e.IDAY, 4).I(ihr, 4).text(" I/O Temps=").F(TZ, 5, 0);
      ln.F(w.DB, 5, 0).text(" Loads=").F(T, 9, 0);
      for (int k = 1; k <= 8; ++k) ln.F(c.v[k], 9, 0);
      s.files.trace.line(ln.view());
      ln.clear();
      ln.T(43).text(" Loads=");
      for (int k = 9; k <= 11; ++k) ln.F(c.v[k], 9, 0);
      s.files.trace.line(ln.view());
      ln.clear();
      ln.text(" ZN=").I(z, 2).text(" tup=").F(TCOOL, 4, 0).text(" tbot=").F(THEAT, 4, 0);
      ln.text(" ti=").F(TZ, 4, 0).text(" Hext=").F(w.H, 6, 2).text(" Hint=").F(hz, 6, 2);
      ln.text(" CFM=").F(e.CFMMAX(z), 7, 0);
      s.files.hrEnergy.line(ln.view());
    }

    // 30. Energy by end use.
    const bool working = e.IDOW <= e.NWDAYS;
    if (T < 0.0f) {
      if (working && b.HCOP(z) > 0.0f) e.SEASPR(ihr, 1, e.ISEAS) += -T / b.HCOP(z);
      const float EH = e.HEFF2(z) > 0.0f ? T / e.HEFF2(z) : 0.0f;  // negative
      // Gas heat gives kBtu of gas, which goes to the hour's gas use FUELHR (kBtu) and the
      // month's GASM; electric heat gives kWh, which goes to the hour's electric demand ELKW.
      if (iheat == 1 && icool != 7) {  // gas, kBtu
        e.SHCOST -= e.GASPR * EH * e.DAYWT / 1000.0f;
        e.SHSITE -= EH * e.DAYWT / 1000.0f;
        e.SHSRC -= EH * e.DAYWT / 1000.0f;
        e.FUELHR -= EH;
        e.GASM -= EH;
        e.QHTG -= EH;
        e.HTHRSUM += std::fabs(EH);
      } else {  // electric resistance or heat pump, kWh
        e.SHCOST -= e.ELECPR * EH * e.DAYWT;
        e.SHSITE -= EH * 0.003413f * e.DAYWT;
        e.SHSRC -= EH * 0.0105f * e.DAYWT;
        e.ELKW -= EH;
        e.ELECM -= EH;
        e.QHTG += std::fabs(3.413f * EH);
        e.HTHRSUM += std::fabs(3.413f * EH);
      }
    } else {
      float eff = 0.0f;
      SYSCOP(w.DB, w.WB, w.TDAY, T, e.ZPKCLG(z), icool, b.COOLEF(z), eff);
      const float EC = eff > 0.0f ? T / eff : 0.0f;  // kWh
      if (working) e.SEASPR(ihr, 3, e.ISEAS) += EC;
      e.ELKW += EC;
      e.ECLG += EC;
      e.ELECM += EC;
      e.ECLGM += EC * e.DAYWT;
      e.ECLGY += EC * e.DAYWT;
      e.CLCOST += e.ELECPR * EC * e.DAYWT;
    }
    if (e.NONWRK == 0 && e.HEFF1(z) > 0.0f) {
      const float QHWZ = b.ZLOAD(2, z) * 8.33f * e.DTHW * b.PROF(2, b.IPROF(2, z), ihr);
      // The fuel factor of the water heating is the heating factor of the zone's heating type.
      const float hf = iheat >= 1 && iheat <= kHeatTypes ? b.HTFAC(iheat) : 0.0f;
      const float hw = QHWZ * hf / (e.HEFF1(z) * 1000.0f);
      e.QHW += hw;
      e.HWFUEL += hw * e.DAYWT;
      const float EW = QHWZ / e.HEFF1(z);
      if (iheat > 1) {  // kWh
        e.ELKW += EW;
        e.ELECM += EW;
        e.WHCOST += EW * e.ELECPR * e.DAYWT;
        e.WHSITE += EW * 0.003413f * e.DAYWT;
        e.WHSRC += EW * 0.0105f * e.DAYWT;
      } else {  // gas, kBtu
        e.FUELHR += EW;
        e.GASM += EW;
        e.WHCOST += EW * e.GASPR * e.DAYWT / 1000.0f;
        e.WHSITE += EW * e.DAYWT / 1000.0f;
        e.WHSRC += EW * e.DAYWT / 1000.0f;
      }
    }

    // 31. The zone's loads of the hour.
    e.QZTOT(z) = T;
    e.QZSENS(z) = L;
    e.TDESIN += TZ;
  }

  // The mean zone temperature for the next hour's infiltration. SYSON, the measure of system
  // operation that the hourly sums count hours by, is the hour's fan power in kW.
  if (b.NZ > 0) e.TDESIN /= static_cast<float>(b.NZ);
  e.SYSON = e.EFAN;
}

}  // namespace kv
