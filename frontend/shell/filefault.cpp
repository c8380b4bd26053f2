#include "frontend/shell/filefault.h"

#include "frontend/model/helpers.h"
#include "frontend/shell/messagebox.h"

namespace kalvano::shell {

void ReportFileFault(const model::FileError& error) {
  Messages().show(model::FileErrorBoxText(error), model::FileErrorTitle(error.number()),
                  MsgIcon::Exclamation);
}

}  // namespace kalvano::shell
