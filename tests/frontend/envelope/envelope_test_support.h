// A fresh front-end for each envelope-editor test: the shell's test session with the base
// folder as AppDir, the installed HVAC data base, and the envelope windows unloaded after it.
#pragma once

#include <QApplication>
#include <QEvent>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "frontend/envelope/demandcharge.h"
#include "frontend/envelope/economics.h"
#include "frontend/envelope/hvacwin.h"
#include "frontend/shell/session.h"
#include "tests/frontend/shell/shell_test_support.h"

namespace kalvano::envelope::test {

inline std::string InstalledHvacDatabase() {
  std::ifstream in(std::string(KALVANO_SOURCE_DIR) + "/data/btype/tcool.dat", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class EnvelopeTest : public shell::test::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    shell::Model().AppDir = base.dir().string();
    base.write("btype/tcool.dat", InstalledHvacDatabase());
  }
  void TearDown() override {
    for (QWidget* w : std::initializer_list<QWidget*>{HvacWindow(), EconomicsWindow(),
                                                      DemandchargeWindow()}) {
      delete w;
    }
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ShellTest::TearDown();
  }
};

}  // namespace kalvano::envelope::test
