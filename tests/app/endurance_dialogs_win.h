#pragma once
// How the endurance run answers the dialogs its actions open.
#include <string>
#include <vector>

#include "endurance_actions.h"
#include "modal_driver_win.h"

namespace veilo::testing {

// The modal driver's steps for action `a`: the CP code typed, the save
// dialog given `savePath` (for kSaveAs), every other dialog accepted as
// offered, or (kCancelDialog) every dialog cancelled.
std::vector<ModalDriver::Step> DialogAnswers(const Action& a, const std::string& savePath);

}  // namespace veilo::testing
