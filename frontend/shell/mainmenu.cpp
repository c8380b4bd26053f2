#include "frontend/shell/mainmenu.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include <exception>
#include <filesystem>
#include <system_error>

#include "frontend/model/atomic_file.h"
#include "frontend/model/project_model.h"
#include "frontend/shell/filefault.h"
#include "runfiles.h"
#include "frontend/shell/content.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/projectinfo.h"
#include "frontend/model/project_file.h"
#include "frontend/shell/filepicker.h"
#include "frontend/shell/retrieve.h"
#include "frontend/shell/run/rundispatch.h"
#include "frontend/shell/run/runoptions.h"
#include "frontend/shell/run/runsim.h"
#include "frontend/shell/run/saveoutput.h"
#include "frontend/shell/saveinput.h"
#include "frontend/shell/run/selectview.h"
#include "frontend/shell/session.h"
#include "frontend/shell/run/viewoutput.h"
#include "frontend/shell/warning.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"
#include "frontend/shell/zoneentry.h"

namespace kalvano::shell {

namespace {

struct StepRow {
  MenuItem caption;
  MenuItem picture;
  const char* captionName;
  const char* pictureName;
  const char* text;
  QColor colour;
};

}  // namespace

mainmenu::mainmenu(QWidget* parent) : QMainWindow(parent) {
  setObjectName("mainmenu");
  BuildMenus();
  setCentralWidget(BuildSteps());
  enabling_ = CreatedEnabling();
  ApplyEnabling(enabling_);
}

void mainmenu::Register(MenuItem item, QObject* control) {
  controls_[static_cast<std::size_t>(item)] = control;
}

QAction* mainmenu::AddItem(QMenu* menu, MenuItem item, const char* caption,
                           const char* shortcut) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  action->setObjectName(Latin1(MenuItemName(item)));
  if (shortcut != nullptr) action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
  action->setVisible(!ItemHidden(item));
  Register(item, action);
  return action;
}

void mainmenu::BuildMenus() {
  QMenuBar* bar = menuBar();
  auto spacer = [bar] { bar->addAction(QString())->setEnabled(false); };

  QMenu* file = bar->addMenu("&File");
  file->setObjectName("filemenu");
  Register(MenuItem::filemenu, file->menuAction());
  connect(AddItem(file, MenuItem::newitem, "&New Project", "Ctrl+N"), &QAction::triggered, this,
          &mainmenu::newitem_Click);
  connect(AddItem(file, MenuItem::retrieveitem, "&Retrieve Old Project", "Ctrl+R"),
          &QAction::triggered, this, &mainmenu::retrieveitem_Click);
  file->addSeparator();
  connect(AddItem(file, MenuItem::saveinput, "Save &Project File", "Ctrl+S"),
          &QAction::triggered, this, &mainmenu::saveinput_Click);
  file->addSeparator();
  connect(AddItem(file, MenuItem::exititem, "E&xit", "Ctrl+X"), &QAction::triggered, this,
          &mainmenu::exititem_Click);
  spacer();

  QMenu* run = bar->addMenu("&Analysis");
  run->setObjectName("runmenu");
  Register(MenuItem::runmenu, run->menuAction());
  const std::array<std::pair<MenuItem, const char*>, 4> runs{{
      {MenuItem::runenergy1, "&Error Check Only"},
      {MenuItem::runenergy2, "&Abbreviated Run"},
      {MenuItem::runenergy3, "Run with   A/C "},
      {MenuItem::runenergy4, "Run w/out A/C (&Passive)"},
  }};
  const char* shortcuts[] = {"Ctrl+E", nullptr, "Ctrl+A", "Ctrl+P"};
  for (int i = 0; i < 4; ++i) {
    connect(AddItem(run, runs[static_cast<std::size_t>(i)].first,
                    runs[static_cast<std::size_t>(i)].second, shortcuts[i]),
            &QAction::triggered, this, [this, i] { runenergy_Click(i + 1); });
  }
  spacer();

  QMenu* view = bar->addMenu("&View Output");
  view->setObjectName("viewmenu");
  Register(MenuItem::viewmenu, view->menuAction());
  QMenu* tables = view->addMenu("Tabular Results (Current)");
  tables->menuAction()->setObjectName("view(6)");
  Register(MenuItem::view6, tables->menuAction());
  int table = 0;
  for (const char* caption : {"Project Data", "Zone Data", "Monthly Summaries", "HVAC Design Data",
                              "Peak Demand Profiles", "Cost Analysis", "Weather Summary",
                              "Space Comfort Conditions"}) {
    const int index = ++table;
    QAction* item = tables->addAction(QString::fromLatin1(caption));
    item->setObjectName(QString("Table(%1)").arg(index));
    connect(item, &QAction::triggered, this, [this, index] { Table_Click(index); });
  }
  connect(AddItem(view, MenuItem::view7, "Space Comfort Conditions"), &QAction::triggered, this,
          [this] { view_Click(7); });
  connect(AddItem(view, MenuItem::view8, "Weather Summary"), &QAction::triggered, this,
          [this] { view_Click(8); });
  view->addSeparator();
  QMenu* graphs = view->addMenu("Graphical Results (Current)");
  graphs->menuAction()->setObjectName("view(10)");
  Register(MenuItem::view10, graphs->menuAction());
  int chart = 0;
  for (const char* caption : {"Peak Heating Load", "Peak Cooling Load", "Annual Heating Load",
                              "Annual Cooling Load", "Monthly Heating & Cooling",
                              "Monthly Utility Costs", "Breakdown of Annual Energy"}) {
    const int index = ++chart;
    QAction* item = graphs->addAction(QString::fromLatin1(caption).replace("&", "&&"));
    item->setObjectName(QString("graph(%1)").arg(index));
    connect(item, &QAction::triggered, this, [this, index] { graph_Click(index); });
  }
  view->addSeparator();
  connect(AddItem(view, MenuItem::view12, "Retrieve Previous Output File"), &QAction::triggered,
          this, [this] { view_Click(12); });
  spacer();

  QMenu* dtbase = bar->addMenu("Database");
  dtbase->setObjectName("dtbase");
  Register(MenuItem::dtbase, dtbase->menuAction());
  connect(AddItem(dtbase, MenuItem::dbase1, "Wall/Roof/Floor Catalog"), &QAction::triggered, this,
          [this] { dbase_Click(1); });
  connect(AddItem(dtbase, MenuItem::dbase2, "Window && Skylight Catalog"), &QAction::triggered,
          this, [this] { dbase_Click(2); });
  connect(AddItem(dtbase, MenuItem::dbase3, "HVAC System Types"), &QAction::triggered, this,
          [this] { dbase_Click(3); });
  spacer();

  QMenu* help = bar->addMenu("&Help");
  help->setObjectName("Helpmenu");
  Register(MenuItem::Helpmenu, help->menuAction());
  connect(AddItem(help, MenuItem::contentitem, "Content"), &QAction::triggered, this,
          &mainmenu::contentitem_Click);
  help->addSeparator();
  connect(AddItem(help, MenuItem::introductionitem, "Introduction to KAL-VANO"),
          &QAction::triggered, this, &mainmenu::introductionitem_Click);
  connect(AddItem(help, MenuItem::learningitem, "Learning KAL-VANO"), &QAction::triggered, this,
          &mainmenu::learningitem_Click);
  connect(AddItem(help, MenuItem::Licenseitem, "License Agreement"), &QAction::triggered, this,
          &mainmenu::Licenseitem_Click);
  help->addSeparator();
  connect(AddItem(help, MenuItem::aboutitem, "About KAL-VANO"), &QAction::triggered, this,
          &mainmenu::aboutitem_Click);
}

QWidget* mainmenu::BuildSteps() {
  auto* central = new QWidget(this);

  QFont big = central->font();
  big.setBold(true);
  big.setPointSize(26);
  auto* kalvano = new QLabel("KALVANO", central);
  kalvano->setFont(big);
  kalvano->setStyleSheet("color: #123c78;");
  QFont small = central->font();
  small.setItalic(true);
  small.setPointSize(12);
  auto* energy = new QLabel("energy compliance ", central);
  energy->setFont(small);
  auto* ec = new QLabel("ec", central);
  QFont ecFont = big;
  ecFont.setPointSize(20);
  ec->setFont(ecFont);
  ec->setStyleSheet("color: #b03020;");
  auto* title = new QHBoxLayout;
  title->addWidget(kalvano);
  title->addWidget(energy, 0, Qt::AlignBottom);
  title->addWidget(ec, 0, Qt::AlignBottom);
  title->addStretch(1);

  const std::array<StepRow, 6> rows{{
      {MenuItem::projectinformation, MenuItem::Image1, "projectinformation", "Image1",
       "1. Project Information", QColor(0, 96, 160)},
      {MenuItem::weatherdata, MenuItem::Image2, "weatherdata", "Image2",
       "2. Weather Data Selection", QColor(0, 128, 128)},
      {MenuItem::economicsdata, MenuItem::Image3, "economicsdata", "Image3",
       "3. Economic Parameters", QColor(0, 128, 64)},
      {MenuItem::buildingsketch, MenuItem::Image4, "buildingsketch", "Image4",
       "4. Building Sketch Routine", QColor(160, 110, 0)},
      {MenuItem::zonedescription, MenuItem::Image5, "zonedescription", "Image5",
       "5. Zone Description Parameters", QColor(160, 60, 0)},
      {MenuItem::executerun, MenuItem::Image6, "executerun", "Image6",
       "6. Execute Energy Analysis", QColor(150, 0, 40)},
  }};
  auto* steps = new QGroupBox("  Main Menu", central);
  auto* grid = new QGridLayout(steps);
  QFont stepFont = central->font();
  stepFont.setPointSize(13);
  stepFont.setBold(true);
  int r = 0;
  for (const StepRow& row : rows) {
    auto* picture = new ClickLabel({}, steps);
    picture->setObjectName(row.pictureName);
    picture->setPixmap(TilePicture(40, row.colour, QString::number(r + 1)));
    auto* caption = new ClickLabel(row.text, steps);
    caption->setObjectName(row.captionName);
    caption->setFont(stepFont);
    grid->addWidget(picture, r, 0);
    grid->addWidget(caption, r, 1);
    if (row.caption == MenuItem::weatherdata) {
      grid->addWidget(new QLabel("( 2000-City Database )", steps), r, 2);
    }
    Register(row.caption, caption);
    Register(row.picture, picture);
    if (row.caption == MenuItem::projectinformation) {
      connect(caption, &ClickLabel::clicked, this, &mainmenu::projectinformation_Click);
      connect(picture, &ClickLabel::clicked, this, &mainmenu::projectinformation_Click);
    }
    if (row.caption == MenuItem::weatherdata) {
      connect(caption, &ClickLabel::clicked, this, &mainmenu::weatherdata_Click);
      connect(picture, &ClickLabel::clicked, this, &mainmenu::Image2_Click);
    }
    if (row.caption == MenuItem::economicsdata) {
      connect(caption, &ClickLabel::clicked, this, &mainmenu::economicsdata_Click);
      connect(picture, &ClickLabel::clicked, this, &mainmenu::Image3_Click);
    }
    if (row.caption == MenuItem::buildingsketch) {
      connect(caption, &ClickLabel::clicked, this, &mainmenu::buildingsketch_Click);
      connect(picture, &ClickLabel::clicked, this, &mainmenu::Image4_Click);
    }
    if (row.caption == MenuItem::zonedescription) {
      connect(caption, &ClickLabel::clicked, this, &mainmenu::zonedescription_Click);
      connect(picture, &ClickLabel::clicked, this, &mainmenu::Image5_Click);
    }
    if (row.caption == MenuItem::executerun) {
      connect(caption, &ClickLabel::clicked, this, &mainmenu::executerun_Click);
      connect(picture, &ClickLabel::clicked, this, &mainmenu::executerun_Click);
    }
    ++r;
  }
  grid->setColumnStretch(2, 1);

  auto* first = new QGroupBox("  First Time User?", central);
  auto* firstLayout = new QVBoxLayout(first);
  auto* picture1 = new ClickLabel("Retrieve a sample Kalvano project, SampleProject.inp", first);
  picture1->setObjectName("Picture1");
  auto* picture2 =
      new ClickLabel("Retrieve output results from any previous project, anyfile.ot1", first);
  picture2->setObjectName("Picture2");
  for (ClickLabel* picture : {picture1, picture2}) {
    picture->setFrameStyle(QFrame::Panel | QFrame::Raised);
    picture->setLineWidth(2);
    picture->setMargin(6);
    firstLayout->addWidget(picture);
  }
  Register(MenuItem::Picture1, picture1);
  connect(picture1, &ClickLabel::clicked, this, &mainmenu::Picture1_Click);
  Register(MenuItem::Picture2, picture2);
  connect(picture2, &ClickLabel::clicked, this, &mainmenu::Picture2_Click);

  auto* layout = new QVBoxLayout(central);
  layout->addLayout(title);
  layout->addWidget(steps);
  layout->addWidget(first);
  for (const char* hint :
       {"* Normal procedure=> Click the icons or the numbered items shown above.",
        "* Use the View Output pop-down menu to retrieve results of previous project.",
        "* Click the Sample Project button to load a sample project for execution."}) {
    layout->addWidget(new QLabel(QString::fromLatin1(hint), central));
  }
  layout->addStretch(1);
  return central;
}

void mainmenu::ApplyEnabling(const MenuEnabling& state) {
  enabling_ = state;
  for (std::size_t i = 0; i < kMenuItemCount; ++i) {
    const auto item = static_cast<MenuItem>(i);
    const bool on = ShownEnabled(state, item);
    if (auto* action = qobject_cast<QAction*>(controls_[i])) action->setEnabled(on);
    else if (auto* widget = qobject_cast<QWidget*>(controls_[i])) widget->setEnabled(on);
  }
}

void mainmenu::EnableItems(std::initializer_list<MenuItem> items) {
  MenuEnabling state = enabling_;
  for (MenuItem item : items) state.Set(item, true);
  ApplyEnabling(state);
}

bool mainmenu::ControlEnabled(MenuItem item) const {
  QObject* control = Control(item);
  if (auto* action = qobject_cast<QAction*>(control)) return action->isEnabled();
  if (auto* widget = qobject_cast<QWidget*>(control)) return widget->isEnabled();
  return false;
}

bool mainmenu::ControlVisible(MenuItem item) const {
  QObject* control = Control(item);
  if (auto* action = qobject_cast<QAction*>(control)) return action->isVisible();
  if (auto* widget = qobject_cast<QWidget*>(control)) return !widget->isHidden();
  return false;
}

bool mainmenu::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Form_Activate();
  return QMainWindow::event(event);
}

void mainmenu::Form_Activate() {
  const model::ProjectModel& m = Model();
  std::error_code ec;
  std::filesystem::current_path(m.AppDir, ec);
  setWindowTitle(FromLocal(MainMenuCaption(m.ProjectLoaded, m.ProjectFile)));
  CentreOnScreen(this);
  ApplyEnabling(OnActivation(enabling_, m.StepFlags));
}

void mainmenu::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  CentreOnScreen(this);
}

void mainmenu::closeEvent(QCloseEvent* event) {
  event->ignore();
  exititem_Click();
}

void mainmenu::newitem_Click() {
  Messages().beep();
  if (Messages().ask(kNewProjectQuestion, kNewProjectTitle, MsgIcon::Exclamation,
                     MsgButtons::YesNo) != MsgAnswer::Yes) {
    return;
  }
  model::ProjectModel& m = Model();
  model::NewProject(m);
  for (int i = 1; i <= 5; ++i) m.StepFlags[static_cast<std::size_t>(i)] = 0;
  m.ResultsViewable = 0;
  setWindowTitle(FromLocal("-- " + m.ProjectFile));
  ApplyEnabling(OnNewProject(enabling_));
}

void mainmenu::projectinformation_Click() {
  model::ProjectModel& m = Model();
  if (m.Resketched == 1 && m.OrientEdited == 0) m.ProjectData[7] = m.BldOrient;
  projectinfo& window = ProjectInfoWindow();
  for (int i = 0; i < model::kProjectItems; ++i) {
    window.SetBoxText(i, m.StepFlags[1] == 0 ? std::string() : m.ProjectData[static_cast<std::size_t>(i)]);
  }
  if (m.StepFlags[1] == 0 && m.WeatherEntered == 1) window.SetBoxText(3, m.ProjectData[3]);
  ShowModeless(&window);
}

void mainmenu::economicsdata_Click() { OpenWindow(window::economics); }

void mainmenu::Image3_Click() { economicsdata_Click(); }

void mainmenu::dbase_Click(int index) {
  if (index >= 3) {
    OpenWindow(window::hvac);
  } else {
    OpenWindow(window::catalog, index);
  }
}

void mainmenu::EnableLaterSteps() {
  const model::ProjectModel& m = Model();
  if (m.ProjectLoaded == 1) {
    EnableItems({MenuItem::zonedescription, MenuItem::Image5, MenuItem::runmenu,
                 MenuItem::Image6, MenuItem::executerun});
  }
  if (m.StepFlags[4] == 1) EnableItems({MenuItem::zonedescription, MenuItem::Image5});
}

void mainmenu::zonedescription_Click() {
  if (ZoneEntry(Model(), ZoneListGrid(), Messages())) OpenWindow(window::zonename);
}

void mainmenu::Image5_Click() { zonedescription_Click(); }

void mainmenu::weatherdata_Click() { OpenWindow(window::weather); }

void mainmenu::Image2_Click() { weatherdata_Click(); }

void mainmenu::buildingsketch_Click() {
  model::ProjectModel& m = Model();
  if (m.SketchOpenCount == 0 && m.ProjectLoaded == 0) {
    try {
      model::AtomicFile copy(model::AppPath(m, files::kBuildingMatrix));
      copy.text(model::ReadWholeFile(model::AppPath(m, files::kBlankSketch)));
      copy.commit();
      m.NewSketch = 1;
    } catch (const model::FileError& error) {
      ReportFileFault(error);
      return;
    }
  }
  // A sketch that cannot be read has told why and changed nothing: the steps, the zones and
  // the run stay as they were.
  if (!OpenWindow(window::sketch)) return;
  m.StepFlags[4] = 1;
  m.OrientEdited = 0;
  for (int z = 1; z <= model::kMaxZones; ++z) m.ZoneOpened[static_cast<std::size_t>(z)] = 0;
  ZoneGrid& grid = ZoneListGrid();
  for (int row = 1; row < kZoneGridRows; ++row) grid.cells[static_cast<std::size_t>(row)] = {};
  ApplyEnabling(OnSketchOpened(enabling_));
  m.Resketched = 1;
  if (m.SketchOpenCount < INT16_MAX) ++m.SketchOpenCount;
}

void mainmenu::Image4_Click() { buildingsketch_Click(); }

bool mainmenu::MayDropProject() {
  if (!AnyStepDone(Model().StepFlags)) return true;
  Messages().beep();
  return Messages().ask(kNewProjectQuestion, kNewProjectTitle, MsgIcon::Exclamation,
                        MsgButtons::YesNo) == MsgAnswer::Yes;
}

void mainmenu::retrieveitem_Click() {
  if (!MayDropProject()) return;
  oldfileform& dialog = RetrieveDialog();
  ShowBlocking(&dialog, this);
  dialog.retrievefile()->clear();
}

void mainmenu::Picture1_Click() {
  if (!MayDropProject()) return;
  SampleFileForm& dialog = SampleDialog();
  ShowBlocking(&dialog, this);
  dialog.retrievefile()->clear();
}

void mainmenu::saveinput_Click() {
  model::ProjectModel& m = Model();
  auto refuse = [](std::string_view text, std::string_view title) {
    Messages().show(text, title, MsgIcon::Exclamation);
  };
  if (m.Resketched == 1) {
    return refuse(kResketchedBeforeSave, "Error");
  }
  if (m.StepFlags[2] == 0 && m.ProjectLoaded == 0) {
    return refuse(kWeatherBeforeSave, "Weather Data");
  }
  if (m.StepFlags[4] == 0) {
    return refuse(kSketchBeforeSave, "Building Sketch");
  }
  m.RunType = 0;
  ShowModeless(&SaveDialog());
}

void mainmenu::executerun_Click() { ShowRunOptions(); }

void mainmenu::runenergy_Click(int index) {
  model::ProjectModel& m = Model();
  const RunDecision d = RunDispatch(m, index, Messages());
  switch (d.step) {
    case RunStep::Nothing:
      break;
    case RunStep::RunWindow:
      if (d.readHeader) model::ReadProjectHeader(m);
      ShowRunWindow();
      break;
    case RunStep::SaveInput: {
      saveinputform& dialog = SaveDialog();
      dialog.Picker()->SetPattern("*.inp");
      dialog.Picker()->Refresh();
      ShowModeless(&dialog);
      break;
    }
    case RunStep::SaveOutput:
      SaveOutputDialog().Open(d.prompt, d.pattern, true);
      break;
  }
}

void mainmenu::exititem_Click() {
  const model::ProjectModel& m = Model();
  warning& dialog = ExitDialog();
  const ExitLabels labels = ExitQuestion(m.InputSaved, m.ProjectLoaded, m.LastProjectFile,
                                         ToLocal(dialog.Label2()->text()));
  dialog.Label1()->setText(Latin1(labels.first));
  dialog.Label2()->setText(FromLocal(labels.second));
  ShowModeless(&dialog);
}

void mainmenu::contentitem_Click() { ShowContent(); }

void mainmenu::ShowHelpItem(MenuItem item) {
  for (const HelpItem& help : HelpMenuItems()) {
    if (help.item == item) ShowHelpFile(help.file, std::string(help.caption));
  }
}

void mainmenu::introductionitem_Click() { ShowHelpItem(MenuItem::introductionitem); }
void mainmenu::learningitem_Click() { ShowHelpItem(MenuItem::learningitem); }
void mainmenu::Licenseitem_Click() { ShowHelpItem(MenuItem::Licenseitem); }
void mainmenu::aboutitem_Click() { ShowHelpItem(MenuItem::aboutitem); }

void mainmenu::Table_Click(int index) { RunViewAction(TableItem(Model(), index)); }

void mainmenu::graph_Click(int index) { RunViewAction(ChartItem(Model(), index)); }

void mainmenu::view_Click(int index) { RunViewAction(ViewItem(Model(), index)); }

void mainmenu::Picture2_Click() { view_Click(12); }

void mainmenu::RunViewAction(const ViewAction& action) {
  // Any failure here, outside the report readers (which report their own), gives the one
  // message of the menu and no window.
  bool opened = true;
  try {
    switch (action.kind) {
      case ViewAction::kNothing:
        return;
      case ViewAction::kTable:
        opened = HasWindowOpener(window::tabular);
        OpenWindow(window::tabular, TabularArgFor(action.index));
        break;
      case ViewAction::kChart:
        opened = HasWindowOpener(window::graphs);
        OpenWindow(window::graphs, action.index);
        break;
      case ViewAction::kPicker:
        opened = ViewOutputPicker().Open(true);
        break;
      case ViewAction::kPickerAsIs:
        opened = ViewOutputPicker().Open(false);
        break;
      case ViewAction::kAskSaveFirst:
        if (Messages().ask(kUnsavedRunQuestion, kUnsavedRunTitle, MsgIcon::Exclamation,
                           MsgButtons::YesNo) == MsgAnswer::Yes) {
          opened = OpenWindow(window::saveoutput, kSaveOutputReports);
        } else {
          opened = ViewOutputPicker().Open(true);
        }
        break;
    }
  } catch (const std::exception&) {
    opened = false;
  }
  if (!opened) {
    Messages().beep();
    Messages().show(kOutputMissing, kOutputMissingTitle, MsgIcon::Exclamation);
  }
}

}  // namespace kalvano::shell
