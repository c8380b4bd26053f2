#include "frontend/shell/session.h"

#include <QPointer>

#include <memory>

#include "frontend/shell/content.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/mainform.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/warning.h"

namespace kalvano::shell {

namespace {

struct Session {
  model::ProjectModel model;
  QPointer<mainform> startup;
  QPointer<mainmenu> menu;
  QPointer<Content> content;
  QPointer<Learning> learning;
  QPointer<warning> exitDialog;
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

mainform* StartupWindow() { return TheSession().startup.data(); }
void SetStartupWindow(mainform* window) { TheSession().startup = window; }

mainmenu& MainMenu() { return CreatedOnce(TheSession().menu); }
Content& ContentWindow() { return CreatedOnce(TheSession().content); }
Learning& LearningWindow() { return CreatedOnce(TheSession().learning); }
warning& ExitDialog() { return CreatedOnce(TheSession().exitDialog); }

void ResetSession() {
  Session& s = TheSession();
  Destroy(s.exitDialog);
  Destroy(s.content);
  Destroy(s.learning);
  Destroy(s.menu);
  Destroy(s.startup);
  s.model = model::ProjectModel{};
}

}  // namespace kalvano::shell
