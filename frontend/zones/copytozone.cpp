#include "frontend/zones/copytozone.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "frontend/shell/messagebox.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"
#include "frontend/zones/zoneform.h"
#include "frontend/zones/zonesystems.h"

namespace kalvano::zones {

namespace {

using shell::Latin1;

constexpr std::size_t At(int i) { return static_cast<std::size_t>(i); }

// Layout in twips: margins, the label, one line per box, the buttons.
constexpr int kMargin = 120;
constexpr int kLabelHeight = 360;
constexpr int kBoxHeight = 300;
constexpr int kButtonWidth = 1200;
constexpr int kButtonHeight = 400;

QPointer<copytozone>& Loaded() {
  static QPointer<copytozone> window;
  return window;
}

}  // namespace

copytozone::copytozone(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("copytozone");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(Latin1("Copy to Zone ..."));
  const model::ProjectModel& m = shell::Model();
  const int count = std::clamp<int>(m.ZoneCount, 0, model::kMaxZones);
  const CopyZonesLayout layout = CopyZonesLayoutFor(count);
  widthTwips_ = layout.widthTwips;
  const double dpi = logicalDpiX();
  const auto px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
  const int columnTwips = layout.widthTwips / layout.columns;

  label1_ = new QLabel(Latin1("Data to be copied to zone(s):"), this);
  label1_->setObjectName("Label1");
  label1_->setGeometry(px(kMargin), px(kMargin), px(layout.widthTwips - 2 * kMargin),
                       px(kLabelHeight));
  zname_.assign(At(count + 1), nullptr);
  for (int z = 1; z <= count; ++z) {
    auto* box = new QCheckBox(Latin1(m.ZoneCode[At(z)] + ". " + m.ZoneSketchName[At(z)]), this);
    box->setObjectName(QString("zname(%1)").arg(z));
    box->setGeometry(px(kMargin + ZoneBoxColumn(z) * columnTwips),
                     px(kMargin + kLabelHeight + ZoneBoxLine(z) * kBoxHeight),
                     px(columnTwips - kMargin), px(kBoxHeight));
    zname_[At(z)] = box;
  }
  const int lines = std::min(count, kZonesPerColumn);
  const int buttonsTop = kMargin + kLabelHeight + lines * kBoxHeight + kMargin;
  okey_ = new QPushButton(Latin1("OK"), this);
  okey_->setObjectName("okey");
  cancel_ = new QPushButton(Latin1("Cancel"), this);
  cancel_->setObjectName("cancel");
  const int middle = layout.widthTwips / 2;
  okey_->setGeometry(px(middle - kButtonWidth - kMargin), px(buttonsTop), px(kButtonWidth),
                     px(kButtonHeight));
  cancel_->setGeometry(px(middle + kMargin), px(buttonsTop), px(kButtonWidth), px(kButtonHeight));
  connect(okey_, &QPushButton::clicked, this, &copytozone::okey_Click);
  connect(cancel_, &QPushButton::clicked, this, &copytozone::cancel_Click);
  setFixedSize(px(layout.widthTwips), px(buttonsTop + kButtonHeight + kMargin));
  shell::CentreOnScreen(this);
}

std::vector<int> copytozone::Ticked() const {
  std::vector<int> zones;
  for (int z = 1; z <= zoneCount(); ++z) {
    if (zname(z)->isChecked()) zones.push_back(z);
  }
  return zones;
}

void copytozone::okey_Click() {
  model::ProjectModel& m = shell::Model();
  zoneform* form = ZoneFormWindow();
  if (form == nullptr) {
    close();
    return;
  }
  if (m.ZoneEdit.CopyKind == 0) {
    CopyZoneFields(m, form->Texts(), Ticked());
  } else if (!form->ApplyWindowSizer(Ticked())) {
    return;
  }
  close();
}

void copytozone::cancel_Click() { close(); }

copytozone* CopyToZoneWindow() { return Loaded().data(); }

void OpenCopyToZone() {
  if (copytozone* open = Loaded().data()) {
    Loaded() = nullptr;
    delete open;
  }
  auto* window = new copytozone;
  Loaded() = window;
  shell::ShowModeless(window);
}

}  // namespace kalvano::zones
