#include "frontend/shell/exitcore.h"

namespace kalvano::shell {

ExitOutcome DecideExitNo(int resultsExist, int outputSaved,
                         const std::function<MsgAnswer()>& askResults) {
  if (resultsExist == 1 && outputSaved == 0) {
    switch (askResults()) {
      case MsgAnswer::Yes: return ExitOutcome::SaveOutput;
      case MsgAnswer::No: return ExitOutcome::EndProgram;
      default: return ExitOutcome::StayRunning;
    }
  }
  return ExitOutcome::EndProgram;
}

namespace {
// The pieces that "OK" hands over to; each becomes true when it is part of the program.
constexpr bool kProjectWriterBuilt = true;
constexpr bool kSaveInputDialogBuilt = true;
}  // namespace

bool ExitOkAvailable(int projectLoaded) {
  return projectLoaded == 1 ? kProjectWriterBuilt : kSaveInputDialogBuilt;
}

}  // namespace kalvano::shell
