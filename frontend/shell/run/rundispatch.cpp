#include "frontend/shell/run/rundispatch.h"

namespace kalvano::shell {

RunDecision RunDispatch(model::ProjectModel& m, int index, MessageBoxes& boxes) {
  RunDecision d;
  if (m.Resketched == 1) {
    boxes.show(kResketchedBeforeRun, "Error", MsgIcon::Exclamation);
    return d;
  }
  m.RunType = static_cast<int16_t>(index);
  auto giveUp = [&m, &d] {
    m.RunType = 0;
    return d;
  };
  if (m.SketchOpenCount >= 1 &&
      boxes.ask(kSketchedZonesQuestion, "Warning...", MsgIcon::Exclamation, MsgButtons::YesNo) !=
          MsgAnswer::Yes) {
    return giveUp();
  }
  if (m.InputSaved != 0) {
    d.step = RunStep::RunWindow;
    return d;
  }
  if (boxes.ask(kRunWithoutSavingQuestion, "Save input", MsgIcon::Information,
                MsgButtons::YesNo) != MsgAnswer::Yes) {
    d.step = RunStep::SaveInput;
    return d;
  }
  if (m.ResultsExist == 1 && m.OutputSaved == 0) {
    d.step = RunStep::SaveOutput;
    if (m.Run.LastRunType < 4) {
      d.pattern = "*.ot*";
      d.prompt = std::string(kSavePreviousResults);
    } else if (m.Run.LastRunType == 4) {
      d.pattern = "*.fl*";
      d.prompt = std::string(kSavePreviousPassive);
    }
    return d;
  }
  d.step = RunStep::RunWindow;
  d.readHeader = true;
  return d;
}

}  // namespace kalvano::shell
