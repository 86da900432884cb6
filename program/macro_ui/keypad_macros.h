// The rules of the keypad side of the macro workshop, shared by the macro manager and
// varnelctl: reading the keypad's macros, copying list macros onto the keypad, deleting keypad
// macros, and uploading the macro area.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "device_lock.h"
#include "macro_questions.h"
#include "varnel/LumoApi.h"

namespace varnel::program {

inline constexpr uint32_t kMacroAreaAddress = 0x10000;
inline constexpr uint32_t kMacroAreaSize = 61440;
inline constexpr int kKeypadMacroLimit = 23;
inline constexpr uint32_t kEraseBlock = 2048;
inline constexpr uint8_t kQueryBeforeUpload = 0x10;
inline constexpr uint8_t kCommandConfigurationChanged = 0x07;

// Empties the keypad collection and reads the keypad's macro area into it, under the lock.
void ReadKeypadMacros(CLumoApi& api, DeviceLock& lock);

// Whether the keypad collection's image with its magic fits the macro area.
bool KeypadImageFits(CLumoApi& api);

struct CopyResult {
    enum class Outcome { Copied, NoKeypad, NothingSelected, Refused } outcome;
    int keypadRow = -1;  // the keypad row to select afterwards
};

// "=>": encodes the given list macros and adds each to the keypad collection, asking before a
// keypad macro of the same name is replaced. Every failure (more than 23 macros, an image that
// would not fit, a No) undoes its step, tells string 140 where the rules say so, and reads the
// keypad collection again; nothing is uploaded then. On success the caller uploads.
CopyResult CopyListMacrosToKeypad(CLumoApi& api, DeviceLock& lock, MacroQuestions& questions,
                                  const std::vector<EditorMacro>& macros);

// Removes the given keypad rows (in any order) from the keypad collection; `deleted` is told
// each removed index. The caller uploads.
void DeleteKeypadMacros(CLumoApi& api, std::vector<int> rows,
                        const std::function<void(int index)>& deleted = {});

// Uploads the keypad collection into the macro area: erases every 2048-byte block the image
// and its magic cover (only the first block for an empty collection, which leaves the keypad
// without macros), then writes the image. Progress goes to `progress` when given. True when the
// keypad took it; the caller then sends command 0x07.
bool UploadKeypadMacros(CLumoApi& api, DeviceLock& lock, CLumoMessageReceiver* progress);

}  // namespace varnel::program
