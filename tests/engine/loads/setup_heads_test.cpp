// Zone tags and the heads of the hourly spreadsheets that the set-up writes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/loads/hourheads.h"
#include "setup_fixture.h"

namespace {

using loadtest::SetupFixture;
namespace files = kalvano::files;

std::string pad(const std::string& s, std::size_t n) { return s + std::string(n - s.size(), ' '); }

std::string crlf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

TEST(SetupHeads, zone_tags_right_align_the_last_three_digits) {
  struct Row {
    int16_t n;
    const char* tag;
  };
  const Row rows[] = {{5, "--5"}, {7, "--7"}, {12, "-12"}, {123, "123"}, {0, "--0"}, {1234, "234"}, {1000, "000"}};
  for (const Row& r : rows) {
    kv::Chars<3> t;
    kv::CHRMOD(r.n, t);
    EXPECT_EQ(t.view(), r.tag) << r.n;
  }
}

struct Heads : SetupFixture {
  explicit Heads(const char* name) : SetupFixture(name) {
    s->runpar.IHRLY = 1;
    s->bldg.IZONE(1) = 7;
    s->prjtxt.ZNAME(1).set("Lobby");
  }
};

TEST(SetupHeads, level_0_inch_pound_heads_of_both_spreadsheets) {
  Heads f("ip");
  f.s->bldg.LASTSURF(1) = 2;
  f.surface(2, 100, 0, 270);
  f.setup();
  const std::string T = "\t";
  const std::string expected = crlf({
      "*** PROJECT: " + pad("Test Office Building", 38) + "   LOCATION: " + pad("MIAMI, FL", 35),
      "    PLAN: A-1      TYPE: Office         Year: 1997    Date of Run: 10 DEC 2026,  9: 5",
      "    HOURLY WEATHER AND ENERGY VALUES: (IP Units)\t\t\t\t\tSun Angles and Horizontal Insolation"
      "\t\t\t\t\t\t\t\tSolar (Direct/Diffuse) on Vertical Walls (Btuh/ft^2)",
      "  Date\tTime\tDB\tDP\tRH\tAltitude\tAzimuth\tDN\tDFH\tDH\tWV\tPB\tCC\tDirect\tDiff.\tDirect\tDiff."
      "\tDirect\tDiff.\tDirect\tDiff.\tHtg.\tClg.\tLtg.\tRecp.\tFans\tH.W.",
      "\t\t\t(F)\t(F)\t(%)\t(Deg.)\t(Deg.)\t(Btu/sf\t(Btu/sf\t(Btu/sf\t(mph)\t(\"Hg.)\t(%)"
      "\t  0-deg\t  0-deg\t  0-deg\t  0-deg\t 90-deg\t 90-deg\t270-deg\t270-deg"
      "\t(kBtu)\t(kWh)\t(kWh)\t(kWh)\t(kWh)\t(kBtu)",
  });
  EXPECT_EQ(f.file(files::kHourlyEnergy), expected);
  EXPECT_EQ(f.file(files::kHourlyTemps), crlf({"\t\tOutdr\tOutdr\tOutdr\tLobby \tLobby \tLobby ",
                                                "  Date\t HR\tO-DB\tO-DP\tO-RH\tDB--7\tDP--7\tRH--7"}));
  EXPECT_EQ(f.s->enacc.SEP, '\t');
}

TEST(SetupHeads, level_0_si_heads_and_the_separator_of_the_run) {
  Heads f("si");
  f.s->chtab.UNITS.set("SI");
  f.s->runpar.SEPCH = ';';
  f.setup();
  const std::string got = f.file(files::kHourlyEnergy);
  EXPECT_NE(got.find("\r\n    HOURLY WEATHER AND ENERGY VALUES: (SI Units)\r\n;;;;;Sun Angles and Horizontal "
                     "Insolation;;;;;;;;Solar (Direct/Diffuse) on Vertical Walls (W/m^2)\r\n"),
            std::string::npos)
      << got;
  EXPECT_NE(got.find("\r\n;;;(C);(C);(%);(Deg.);(Deg.);(W/m^2);(W/m^2);(W/m^2);(m/s);(kPa);(%);  0-deg;  0-deg;"
                     "  0-deg;  0-deg;  0-deg;  0-deg; 90-deg; 90-deg;(MJ);(kWh);(kWh);(kWh);(kWh);(MJ)\r\n"),
            std::string::npos);
  EXPECT_EQ(f.s->enacc.SEP, ';');
}

TEST(SetupHeads, detail_levels_write_the_key_header_and_no_spreadsheet_heads) {
  Heads f("key");
  kvtest::spit(f.dir / "detail.hry", "3\r\n");
  f.s->bldg.IZONE(1) = 11;
  f.s->prjtxt.ZNAME(1).set("Office North");
  f.setup();
  const std::string deg = "\xB0";
  const std::string expected = crlf({
      "#*** PROJECT: " + pad("Test Office Building", 65),
      "#    LOCATION: " + pad("MIAMI, FL", 40),
      "#    PLAN: A-1        TYPE: " + pad("Office", 20),
      "#    Date of Run: 10 DEC 2026,  9: 5",
      "#    Weather Year:",
      "      1997",
      "#    HOURLY WEATHER AND ENERGY VALUES:",
      "",
      "#*** KEY FOLLOWS:",
      "#    Number of zones:",
      "         1",
      "# Zone no.   Zone Name",
      "   11  " + std::string(10, ' ') + pad("Office North", 20),
      "",
      "#  Thermal & Energy Values:",
      "# Mon Day T  DB   DP   RH   DN  DFH   DH    WV   PB   CC  (Outdoor Ambient)",
      "#           (F)  (F)  (%)   (Btu/sq.ft.)  (mph) \"Hg. (Fr)",
      "",
      "# Zone  Sens./Lat.Loads  O.A. rate  DBmax/DBmin/DBact/DP      Total  LD slope",
      "# num      (Btus/hour)   (c.f.m.)   (" + deg + "F)  (" + deg + "F)  (" + deg + "F)  (" + deg +
          "F)    Btuh   (Btuh/" + deg + "F)",
      "",
      "#     Htg.   Clg.  Ltg.  Recp.  Fans   H.W.",
      "#    (kBtu) (kWh) (kWh)  (kWh)  (kWh) (kBtu)",
  });
  EXPECT_EQ(f.file(files::kHourlyEnergy), expected);
  EXPECT_EQ(f.file(files::kHourlyTemps), "");
}

TEST(SetupHeads, si_key_header_units) {
  Heads f("keysi");
  kvtest::spit(f.dir / "detail.hry", "1");
  f.s->chtab.UNITS.set("SI");
  f.setup();
  const std::string got = f.file(files::kHourlyEnergy);
  const std::string deg = "\xB0";
  for (const std::string& l :
       {std::string("# Thermal & Energy Values:"), std::string("#           (C)  (C)  (%)    (kJ/sq.m.)   (m/s)  kPa (Fr.)"),
        "# num        (Watts)      (L/Sec)   (" + deg + "C)  (" + deg + "C)  (" + deg + "C)  (" + deg +
            "C)    Watts   (W/" + deg + "C) ",
        std::string("#     Htg.  Clg.  Ltg.  Recp.  Fans   H.W."),
        std::string("#     (MJ) (kWh) (kWh)  (kWh)  (kWh)  (MJ)")})
    EXPECT_NE(got.find("\r\n" + l + "\r\n"), std::string::npos) << l;
}

TEST(SetupHeads, without_hourly_output_the_set_up_writes_no_heads) {
  for (const char* level : {"0", "3"}) {
    Heads f("none");
    f.s->runpar.IHRLY = 0;
    kvtest::spit(f.dir / "detail.hry", level);
    f.setup();
    EXPECT_EQ(f.file(files::kHourlyEnergy), "");
    EXPECT_EQ(f.file(files::kHourlyTemps), "");
  }
}

}  // namespace
