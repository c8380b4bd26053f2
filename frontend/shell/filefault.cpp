#include "frontend/shell/filefault.h"

#include "frontend/model/helpers.h"
#include "frontend/shell/messagebox.h"

namespace kalvano::shell {

void ReportFileFault(const model::FileError& error) {
  if (error.detail().empty()) {
    model::ReportFileError(Messages(), error);
    return;
  }
  Messages().show(model::FileErrorMessage(error.number()) + "\n\n" + error.detail(),
                  model::FileErrorTitle(error.number()), MsgIcon::Exclamation);
}

}  // namespace kalvano::shell
