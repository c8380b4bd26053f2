#include "frontend/model/weather_stats.h"

#include "common/freescan.h"
#include "common/stationrange.h"
#include "frontend/model/numtext.h"

#include <cmath>

namespace kalvano::model {

std::string DecimalText(double value) { return NumberTextDouble(value); }

double Round1(double w) { return std::floor(w * 10.0 + 0.5) / 10.0; }

int CutWeatherRow(std::string_view row, WeatherStats::Months& out, FieldConverter convert) {
  std::string_view text = row.size() > 8 ? row.substr(8) : std::string_view();
  std::string field;
  int k = 0;
  char previous = ' ';
  auto store = [&] {
    ++k;
    out[static_cast<std::size_t>(k)] = convert ? convert(Val(field)) : field;
    field.clear();
  };
  for (std::size_t i = 0; i < text.size() && k < 12; ++i) {
    char c = text[i];
    if (c == ' ' && previous != ' ') {
      store();
    } else {
      field.push_back(c);
      if (i + 1 == text.size()) store();
    }
    previous = c;
  }
  return k;
}

namespace {

std::array<WeatherStats::Months*, 8> rows(WeatherStats& wx) {
  return {&wx.WxDbAve, &wx.WxDbAveStd, &wx.WxDbMax, &wx.WxDbMaxStd,
          &wx.WxDpAve, &wx.WxDpStd,    &wx.WxSolar, &wx.WxWind};
}

// Weather rows 4..11 in order: temperature, deviation, temperature, deviation, temperature,
// deviation, solar, wind.
constexpr std::array<FieldConverter, 8> kToIP{
    [](double v) { return DecimalText(Round1(v * 1.8 + 32)); },
    [](double v) { return DecimalText(Round1(v * 1.8)); },
    [](double v) { return DecimalText(Round1(v * 1.8 + 32)); },
    [](double v) { return DecimalText(Round1(v * 1.8)); },
    [](double v) { return DecimalText(Round1(v * 1.8 + 32)); },
    [](double v) { return DecimalText(Round1(v * 1.8)); },
    [](double v) { return DecimalText(Round1(v * 0.08805507)); },
    [](double v) { return DecimalText(Round1(v * 2.236936)); },
};

constexpr std::array<FieldConverter, 8> kToSI{
    [](double v) { return DecimalText((v - 32) / 1.8); },
    [](double v) { return DecimalText(v / 1.8); },
    [](double v) { return DecimalText((v - 32) / 1.8); },
    [](double v) { return DecimalText(v / 1.8); },
    [](double v) { return DecimalText((v - 32) / 1.8); },
    [](double v) { return DecimalText(v / 1.8); },
    [](double v) { return DecimalText(std::floor(v * 11.3565295)); },
    [](double v) { return DecimalText(Round1(v * 0.44704)); },
};

}  // namespace

std::string MonthValueToIP(int row, double value) { return kToIP[static_cast<std::size_t>(row)](value); }

float ElevationToFeet(float metres) { return static_cast<float>(std::floor(metres * 3.28084)); }

void WeatherStatsToIP(ProjectModel& m) { WeatherStatsToIP(m.WeatherBlock, m.UnitSystem, m.Wx); }

void WeatherStatsToIP(const std::array<std::string, kWeatherLines + 1>& block, int unitSystem, WeatherStats& wx) {
  wx.WxElevation = static_cast<float>(Val(freescan::StationField(block[2], station::kElevation)));
  bool si = unitSystem == kSI;
  if (si) wx.WxElevation = ElevationToFeet(wx.WxElevation);
  auto target = rows(wx);
  for (int r = 0; r < 8; ++r)
    CutWeatherRow(block[static_cast<std::size_t>(r + 4)], *target[r], si ? kToIP[r] : nullptr);
}

void WeatherStatsToSI(ProjectModel& m) {
  WeatherStats& wx = m.Wx;
  wx.WxElevation = static_cast<float>(std::floor(wx.WxElevation * 0.3048 + 0.5));
  auto target = rows(wx);
  for (int r = 0; r < 8; ++r)
    CutWeatherRow(m.WeatherBlock[static_cast<std::size_t>(r + 4)], *target[r], kToSI[r]);
}

float Psychrometrics(float t) {
  double p;
  if (t <= 85) {
    double ws = 9.47894e-4 + t * (5.97982e-5 + t * (-3.56797e-7 + t * 3.67113e-8));
    p = ws * 29.92 / (ws + 0.622);
  } else {
    double T = (t + 459.688) / 1.8;
    double z = 373.16 / T;
    double sum = -7.90298 * (z - 1) + 5.02808 * std::log10(z) -
                 1.3816e-7 * (std::pow(10.0, 11.344 * (1 - 1 / z)) - 1) +
                 8.1328e-3 * (std::pow(10.0, -3.49149 * (z - 1)) - 1);
    p = 29.921 * std::pow(10.0, sum);
  }
  if (p < 0) p = 0.0001;
  return static_cast<float>(p);
}

void ComputeDesignTemps(ProjectModel& m) {
  const std::array<double, 3> temps = DesignTemps(m.Wx, m.UnitSystem);
  for (std::size_t k = 1; k <= 3; ++k) m.DesTemps[k] = DecimalText(temps[k - 1]);
}

std::array<double, 3> DesignTemps(const WeatherStats& wx, int unitSystem) {
  auto num = [](const std::string& s) { return Val(s); };
  float p = static_cast<float>(29.92 - wx.WxElevation * 5.031 / 5000);
  double S = -999, W = 999, Tm = 0;
  float Tdp = -999;
  for (std::size_t mo = 1; mo <= 12; ++mo) {
    double x = num(wx.WxDbMax[mo]) + 2.11 * num(wx.WxDbMaxStd[mo]);
    if (x > S) S = Round1(x);
    double y = 2 * (num(wx.WxDbAve[mo]) - 2.11 * num(wx.WxDbAveStd[mo])) -
               (num(wx.WxDbMax[mo]) - 2.11 * num(wx.WxDbMaxStd[mo]));
    if (y < W) W = Round1(y);
    double z = num(wx.WxDpAve[mo]) + 2.11 * num(wx.WxDpStd[mo]);
    if (z > Tdp) {
      Tdp = static_cast<float>(z);
      Tm = num(wx.WxDbAve[mo]);
    }
  }
  float pw = Psychrometrics(Tdp);
  double w1 = 0.622 * pw / (p - pw);
  float h = static_cast<float>(0.24 * Tm + w1 * (1061 + 0.444 * Tm));
  double t;
  if (h < 0.001 || !(Tm > Tdp)) {
    t = (Tdp + Tm) / 2;
  } else {
    double a = std::log(static_cast<double>(h));
    if (h > 11.758)
      t = 30.9185 - 39.682 * a + 20.5841 * a * a - 1.758 * a * a * a;
    else
      t = 0.6041 + 3.4841 * a + 1.3601 * a * a + 0.97303 * a * a * a;
    if (!(h > 0.01 && std::fabs(p - 29.92) < 0.22)) {
      // Correct the sea-level correlation for the station pressure by a step search.
      int s0 = -1;
      double d = -std::fabs(p - 29.92) / 2;
      for (int step = 0; step < 10000; ++step) {
        float pws = Psychrometrics(static_cast<float>(t));
        double ws = 0.622 * pws / (p - pws);
        double hs = 0.24 * t + ws * (1061 + 0.444 * t);
        if (std::fabs(hs - h) < 0.03 || std::fabs(d) < 0.1) break;
        int s = hs < h ? 1 : -1;
        if (s != s0) d *= -0.4;
        t += d;
        s0 = s;
      }
    }
    if (t < Tdp) t = (Tdp + Tm) / 2;
  }
  double B = Round1(t);
  if (B > Tm) B = Tm;
  if (unitSystem == kSI) {
    S = Round1((S - 32) / 1.8);
    B = Round1((B - 32) / 1.8);
    W = Round1((W - 32) / 1.8);
  }
  return {S, B, W};
}

}  // namespace kalvano::model
