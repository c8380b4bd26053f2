#include "frontend/shell/filefault.h"

#include "frontend/model/helpers.h"
#include "frontend/shell/messagebox.h"

#include <string>

namespace kalvano::shell {

void ReportFileFault(const model::FileError& error) {
  const std::string text = model::FileErrorBoxText(error);
  const std::string title = model::FileErrorTitle(error.number());
  if (error.namesFile()) {
    Messages().showNaming(text, title, MsgIcon::Exclamation);
  } else {
    Messages().show(text, title, MsgIcon::Exclamation);
  }
}

}  // namespace kalvano::shell
