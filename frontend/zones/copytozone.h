// The copy-to-zones window: one check box per zone, in columns of ten. Its OK copies what the
// zone window changed (CopyKind 0) or applies the zone window's glazing fractions (CopyKind 1)
// to the ticked zones.
#pragma once

#include <QWidget>

#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;

namespace kalvano::zones {

class copytozone : public QWidget {
  Q_OBJECT
 public:
  explicit copytozone(QWidget* parent = nullptr);

  void okey_Click();
  void cancel_Click();

  // Check box of zone z (1..ZoneCount).
  QCheckBox* zname(int z) const { return zname_.at(static_cast<std::size_t>(z)); }
  int zoneCount() const { return static_cast<int>(zname_.size()) - 1; }
  QPushButton* okey() const { return okey_; }
  QPushButton* cancel() const { return cancel_; }
  // The window's width as laid out, in twips.
  int WidthTwips() const { return widthTwips_; }

 private:
  std::vector<int> Ticked() const;

  std::vector<QCheckBox*> zname_;
  QLabel* label1_ = nullptr;
  QPushButton* okey_ = nullptr;
  QPushButton* cancel_ = nullptr;
  int widthTwips_ = 0;
};

// The window while it is loaded, nullptr otherwise.
copytozone* CopyToZoneWindow();
// Loads the window afresh (every box unticked) and shows it.
void OpenCopyToZone();

}  // namespace kalvano::zones
