#include "frontend/reports/tabular.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "frontend/reports/hourly.h"
#include "frontend/reports/tabprint.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/run/saveoutput.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"

namespace kalvano::reports {

namespace {

QPointer<tabular>& TheViewer() {
  static QPointer<tabular> viewer;
  return viewer;
}

// The tabular choice (1..8) of each view button; 0 for the action buttons.
constexpr std::array<int, 11> kViewChoice{1, 2, 3, 4, 5, 6, 7, 0, 0, 0, 8};

}  // namespace

tabular::tabular(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("tabular");
  static constexpr std::array<const char*, 11> kCaptions{
      "Project Data", "Zone Data",  "Summaries",     "HVAC Design",   "Peak Profiles",
      "Cost Analysis", "Weather",   "Print ...",     "Main Menu",     "Hourly Output",
      "Space Comfort"};
  for (int i = 0; i < 11; ++i) {
    auto* button = new QPushButton(kCaptions[static_cast<std::size_t>(i)], this);
    button->setObjectName(QString("Summary(%1)").arg(i));
    connect(button, &QPushButton::clicked, this, [this, i] { Summary_Click(i); });
    summary_[static_cast<std::size_t>(i)] = button;
  }
  next_ = new QPushButton("Next >>", this);
  next_->setObjectName("zone(1)");
  previous_ = new QPushButton("<< Previous", this);
  previous_->setObjectName("zone(2)");
  save_ = new QPushButton("Save Output", this);
  save_->setObjectName("save(9)");
  graphical_ = new QPushButton("Graphical", this);
  graphical_->setObjectName("graphical");
  connect(next_, &QPushButton::clicked, this, [this] { zone_Click(1); });
  connect(previous_, &QPushButton::clicked, this, [this] { zone_Click(2); });
  connect(save_, &QPushButton::clicked, this, [this] { save_Click(9); });
  connect(graphical_, &QPushButton::clicked, this, &tabular::graphical_Click);

  text1_ = new QPlainTextEdit(this);
  text1_->setObjectName("Text1");
  text1_->setReadOnly(true);  // typing changes nothing
  text1_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text1_->setFont(shell::FixedPitchFont(8.25));
  label2_ = new QLabel(this);
  label2_->setObjectName("Label2");

  auto* buttons = new QGridLayout;
  for (int i : {0, 1, 2, 3, 4, 5, 6, 10}) buttons->addWidget(Summary(i), 0, i == 10 ? 7 : i);
  buttons->addWidget(previous_, 1, 0);
  buttons->addWidget(next_, 1, 1);
  buttons->addWidget(Summary(7), 1, 2);
  buttons->addWidget(Summary(9), 1, 3);
  buttons->addWidget(graphical_, 1, 4);
  buttons->addWidget(save_, 1, 5);
  buttons->addWidget(Summary(8), 1, 6);
  buttons->addWidget(label2_, 1, 7);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(text1_, 1);
  next_->setEnabled(false);
  previous_->setEnabled(false);
}

void tabular::Form_Load() {
  const model::ProjectModel& m = shell::Model();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    resize(std::min(area.width(), static_cast<int>(area.width() * 0.85) + 96),
           static_cast<int>(area.height() * 0.85));
  }
  shell::CentreOnScreen(this);
  Summary(9)->setEnabled(m.HourlyOutput == 1);
  graphical_->setEnabled(shell::HasWindowOpener(shell::window::graphs));
  save_->setEnabled(shell::HasWindowOpener(shell::window::saveoutput));
  label2_->setText(shell::FromLocal(m.OutputFile));
  paging_.ComfortPageIndex = 0;
}

void tabular::Form_Activate() { label2_->setText(shell::FromLocal(shell::Model().OutputFile)); }

bool tabular::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Form_Activate();
  return QWidget::event(event);
}

void tabular::closeEvent(QCloseEvent* event) {
  // The viewer unloads itself when it goes back to the main menu.
  event->ignore();
  BackToMainMenu();
}

void tabular::ShowView(const TabView& view) {
  if (view.shown) {
    page_ = view.text;
    text1_->setPlainText(shell::DisplayText(view.text));
    setWindowTitle(shell::FromLocal(view.caption));
  }
  if (view.next) next_->setEnabled(*view.next);
  if (view.previous) previous_->setEnabled(*view.previous);
  if (view.enableViews) EnableViews();
}

void tabular::EnableViews() {
  for (int i = 0; i <= 6; ++i) Summary(i)->setEnabled(true);
}

void tabular::Summary_Click(int index) {
  model::ProjectModel& m = shell::Model();
  for (QPushButton* button : summary_) button->setEnabled(true);
  Summary(index)->setEnabled(false);
  if (m.HourlyOutput != 1) Summary(9)->setEnabled(false);
  next_->setEnabled(index == 1 || index == 6 || index == 10);
  previous_->setEnabled(false);

  if (const int choice = kViewChoice[static_cast<std::size_t>(index)]; choice != 0) {
    ShowView(ShowTableChoice(m, paging_, choice, shell::Messages()));
  } else if (index == 7) {
    PrintWithDialog(page_, model::AppPath(m, "temp/tabular.pdf"), this);
  } else if (index == 8) {
    BackToMainMenu();
  } else if (index == 9) {
    hide();
    shell::ShowModeless(&HourlyWindow());
  }
}

bool tabular::BackToMainMenu() {
  const model::ProjectModel& m = shell::Model();
  if (m.ResultsExist == 1 && m.OutputSaved == 0) {
    const shell::MsgAnswer answer =
        shell::Messages().ask(kUnsavedResultsText, kUnsavedResultsTitle,
                              model::MsgIcon::Information, shell::MsgButtons::YesNoCancel);
    if (answer == shell::MsgAnswer::Yes) {
      Summary(8)->setEnabled(true);
      OpenSaveOutput();
      return false;
    }
    if (answer != shell::MsgAnswer::No) return false;
  }
  text1_->clear();
  page_.clear();
  paging_.ComfortPageIndex = 0;
  shell::ShowModeless(&shell::MainMenu());
  UnloadTabularViewer();
  return true;
}

void tabular::zone_Click(int index) {
  ShowView(PageClick(shell::Model(), paging_, shell::ToLocal(windowTitle()), index == 1,
                     shell::Messages()));
}

void tabular::save_Click(int /*index*/) {
  save_->setEnabled(false);
  OpenSaveOutput();
  update();
}

void tabular::OpenSaveOutput() {
  // From a results window the dialog's "Run" is disabled; its Cancel gives this window its
  // "Main Menu" and "Save Output" back.
  if (!shell::OpenWindow(shell::window::saveoutput, 1) || !shell::SaveOutputDialogExists()) return;
  connect(&shell::SaveOutputDialog(), &shell::saveoutform::cancelled, this,
          &tabular::SaveOutputCancelled, Qt::UniqueConnection);
}

void tabular::SaveOutputCancelled() {
  Summary(8)->setEnabled(true);
  save_->setEnabled(true);
}

void tabular::graphical_Click() {
  if (!shell::OpenWindow(shell::window::graphs, shell::kGraphEnergyBreakdown)) return;
  UnloadTabularViewer();
}

tabular& TabularViewer() {
  QPointer<tabular>& viewer = TheViewer();
  if (viewer.isNull()) {
    viewer = new tabular;
    viewer->Form_Load();
  }
  return *viewer;
}

bool TabularViewerLoaded() { return !TheViewer().isNull(); }

void UnloadTabularViewer() {
  QPointer<tabular>& viewer = TheViewer();
  if (viewer.isNull()) return;
  viewer->hide();
  viewer->deleteLater();
  viewer = nullptr;
}

void ShowTabularViewer() { shell::ShowModeless(&TabularViewer()); }

bool OpenTabularViewer(int view) {
  // The registry's numbering has the comfort pages where the tabular choices have the weather.
  const int tableChoice = view == shell::kTabularComfortPages ? 8
                          : view == shell::kTabularWeather    ? 7
                                                              : view;
  const bool loaded = TabularViewerLoaded();
  tabular& viewer = TabularViewer();
  if (view != 0) {
    // A view from outside starts with the paging buttons off; a paged view sets them.
    viewer.zone(1)->setEnabled(false);
    viewer.zone(2)->setEnabled(false);
    const TabView shown = ShowTableChoice(shell::Model(), viewer.Paging(), tableChoice, shell::Messages());
    viewer.ShowView(shown);
    if (!shown.shown && !viewer.isVisible()) {
      if (!loaded) UnloadTabularViewer();
      return false;
    }
  }
  ShowTabularViewer();
  return true;
}

}  // namespace kalvano::reports
