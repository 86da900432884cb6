// Factory Reset: after a Yes to "Delete all data stored on the Varnel device.", the keypad's
// macro area is erased, its key map emptied, step 4 selected, and every profile deleted.
#pragma once

#include <functional>

#include "device_lock.h"
#include "keymap_image.h"
#include "macro_questions.h"
#include "varnel/LumoApi.h"

namespace varnel::program {

enum class FactoryResetOutcome { Done, Declined, Failed };

// `edited` and `device` are the window's key map images; both end empty. `deleteAllProfiles`
// removes the profile files and says whether it could. The keypad collection must hold what the
// keypad holds (read it first), since its image size decides how much of the area is erased.
// "Completed!" is told only when every step succeeded; otherwise the user is told that the
// keypad may keep part of its data.
FactoryResetOutcome FactoryReset(CLumoApi& api, DeviceLock& lock, MacroQuestions& questions,
                                 KeyMapImage& edited, KeyMapImage& device,
                                 const std::function<bool()>& deleteAllProfiles);

}  // namespace varnel::program
