#include "frontend/reports/reportpage.h"

#include "frontend/model/numtext.h"

namespace kalvano::reports {

ReportPage& ReportPage::At(int column) {
  const auto target = static_cast<std::size_t>(column > 1 ? column - 1 : 0);
  if (line_.size() > target) End();
  line_.append(target - line_.size(), ' ');
  return *this;
}

ReportPage& ReportPage::Put(std::string_view text) {
  line_.append(text);
  return *this;
}

ReportPage& ReportPage::Masked(std::string_view text, int width) {
  return Put(model::RightAlign(text, static_cast<std::size_t>(width)));
}

ReportPage& ReportPage::Number(float value) { return Put(model::PrintedNumber(value)); }

ReportPage& ReportPage::End() {
  done_ += line_;
  done_ += "\r\n";
  line_.clear();
  return *this;
}

ReportPage& ReportPage::Blank(int count) {
  if (!line_.empty()) End();
  for (int i = 0; i < count; ++i) End();
  return *this;
}

ReportPage& ReportPage::Rule() {
  if (!line_.empty()) End();
  return Put(std::string(kReportWidth, '=')).End();
}

ReportPage& ReportPage::DashLine(int kind) {
  At(5);
  if (kind == 1 || kind == 2) line_.append(126, kind == 1 ? '-' : '=');
  return End();
}

ReportPage& ReportPage::FormFeed() {
  if (!line_.empty()) End();
  return Put("\f").End();
}

}  // namespace kalvano::reports
