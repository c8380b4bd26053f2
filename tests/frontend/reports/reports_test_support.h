// The report tests' fixture: a fresh front-end as in the shell tests, with the report
// windows unloaded, the window openers and the printer seam cleared after each test.
#pragma once

#include "frontend/reports/hourly.h"
#include "frontend/reports/tabprint.h"
#include "frontend/reports/tabular.h"
#include "frontend/shell/openers.h"
#include "shell_test_support.h"

namespace kalvano::reports::test {

class ReportsTest : public shell::test::ShellTest {
 protected:
  void TearDown() override {
    UnloadTabularViewer();
    UnloadHourly();
    shell::ClearWindowOpeners();
    SetPrinterChooser({});
    shell::test::ShellTest::TearDown();
  }
};

}  // namespace kalvano::reports::test
