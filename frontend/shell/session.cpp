#include "frontend/shell/session.h"

#include <QPointer>

#include <memory>

#include "frontend/shell/content.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/mainform.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/projectinfo.h"
#include "frontend/shell/retrieve.h"
#include "frontend/shell/run/runsim.h"
#include "frontend/shell/saveinput.h"
#include "frontend/shell/run/saveoutput.h"
#include "frontend/shell/run/selectview.h"
#include "frontend/shell/warning.h"
#include "frontend/shell/zoneentry.h"

namespace kalvano::shell {

namespace {

struct Session {
  model::ProjectModel model;
  QPointer<mainform> startup;
  QPointer<mainmenu> menu;
  QPointer<Content> content;
  QPointer<Learning> learning;
  QPointer<warning> exitDialog;
  QPointer<projectinfo> projectInfo;
  QPointer<oldfileform> retrieve;
  QPointer<SampleFileForm> sample;
  QPointer<saveinputform> save;
  QPointer<saveoutform> saveOutput;
  DialogFolders folders;
};

Session& TheSession() {
  static Session session;
  return session;
}

template <class W>
W& CreatedOnce(QPointer<W>& window) {
  if (window.isNull()) window = new W;
  return *window;
}

template <class W>
void Destroy(QPointer<W>& window) {
  delete window.data();
  window = nullptr;
}

}  // namespace

model::ProjectModel& Model() { return TheSession().model; }
DialogFolders& LastFolders() { return TheSession().folders; }

mainform* StartupWindow() { return TheSession().startup.data(); }
void SetStartupWindow(mainform* window) { TheSession().startup = window; }

mainmenu& MainMenu() { return CreatedOnce(TheSession().menu); }
Content& ContentWindow() { return CreatedOnce(TheSession().content); }
Learning& LearningWindow() { return CreatedOnce(TheSession().learning); }
warning& ExitDialog() { return CreatedOnce(TheSession().exitDialog); }
projectinfo& ProjectInfoWindow() { return CreatedOnce(TheSession().projectInfo); }
bool ProjectInfoLoaded() { return !TheSession().projectInfo.isNull(); }
void UnloadProjectInfo() {
  QPointer<projectinfo>& window = TheSession().projectInfo;
  if (window.isNull()) return;
  window->hide();
  window->deleteLater();
  window = nullptr;
}
oldfileform& RetrieveDialog() { return CreatedOnce(TheSession().retrieve); }
bool RetrieveDialogExists() { return !TheSession().retrieve.isNull(); }
SampleFileForm& SampleDialog() { return CreatedOnce(TheSession().sample); }
saveinputform& SaveDialog() { return CreatedOnce(TheSession().save); }
bool SaveDialogExists() { return !TheSession().save.isNull(); }
saveoutform& SaveOutputDialog() { return CreatedOnce(TheSession().saveOutput); }
bool SaveOutputDialogExists() { return !TheSession().saveOutput.isNull(); }

void ResetSession() {
  Session& s = TheSession();
  Destroy(s.exitDialog);
  Destroy(s.projectInfo);
  Destroy(s.retrieve);
  Destroy(s.sample);
  Destroy(s.save);
  Destroy(s.saveOutput);
  if (ViewOutputPickerExists()) delete &ViewOutputPicker();
  if (RunWindowLoaded()) delete &RunWindow();
  Destroy(s.content);
  Destroy(s.learning);
  Destroy(s.menu);
  Destroy(s.startup);
  s.model = model::ProjectModel{};
  s.folders = DialogFolders{};
  ZoneListGrid() = ZoneGrid{};
}

}  // namespace kalvano::shell
