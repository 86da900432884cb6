#include "keypad_macros.h"

#include <algorithm>
#include <mutex>

#include "list_macro_encoder.h"
#include "workshop_texts.h"

namespace varnel::program {

namespace {

constexpr uint16_t kApplicationVid = 0x1C6C;
constexpr uint16_t kApplicationPid = 0xC008;

enum class StepResult { Added, Failed };

// Adding one macro, as the "=>" rules say; `row` becomes the keypad row to select.
StepResult AddOne(CLumoApi& api, MacroQuestions& questions, const EditorMacro& macro, int& row) {
    const uint16_t language = api.GetUiLanguage();
    const DeviceMacro encoded = EncodeListMacro(api, macro);
    const int count = api.GetDeviceMacroCount();
    auto tooMany = [&] {
        questions.Tell(WorkshopString(kTextTooManyMacros, language));
        return StepResult::Failed;
    };
    if (count > kKeypadMacroLimit) return tooMany();
    const int index = api.FindDeviceMacro(macro.name, -1);
    if (index >= 0) {
        if (!questions.AskYesNo(WorkshopString(kTextUpdateMacro, language), macro.name)) {
            row = count == kKeypadMacroLimit ? kKeypadMacroLimit - 1 : count - 1;
            return StepResult::Failed;
        }
        api.SetDeviceMacro(index, encoded.header, encoded.cells);
        if (KeypadImageFits(api)) return StepResult::Added;
        if (api.GetDeviceMacroCount() > 0) api.DeleteDeviceMacro(index);
        return tooMany();
    }
    if (count == kKeypadMacroLimit) return tooMany();
    api.AddDeviceMacro(encoded);
    if (KeypadImageFits(api)) {
        row = api.GetDeviceMacroCount() - 1;
        return StepResult::Added;
    }
    if (api.GetDeviceMacroCount() > 0) api.DeleteLastDeviceMacro();
    return tooMany();
}

}  // namespace

void ReadKeypadMacros(CLumoApi& api, DeviceLock& lock) {
    std::lock_guard guard(lock);
    api.ClearDeviceMacros();
    api.ReadDeviceMacros(kMacroAreaAddress, kMacroAreaSize);
}

bool KeypadImageFits(CLumoApi& api) {
    return api.GetDeviceImageSize() + 4 <= kMacroAreaSize;
}

CopyResult CopyListMacrosToKeypad(CLumoApi& api, DeviceLock& lock, MacroQuestions& questions,
                                  const std::vector<EditorMacro>& macros) {
    const uint16_t keypad[2] = {kApplicationVid, kApplicationPid};
    if (!api.IsDevicePresent(keypad)) return {CopyResult::Outcome::NoKeypad};
    if (macros.empty()) return {CopyResult::Outcome::NothingSelected};
    CopyResult result{CopyResult::Outcome::Copied};
    for (const EditorMacro& macro : macros) {
        if (AddOne(api, questions, macro, result.keypadRow) == StepResult::Failed) {
            ReadKeypadMacros(api, lock);
            result.outcome = CopyResult::Outcome::Refused;
            return result;
        }
    }
    return result;
}

void DeleteKeypadMacros(CLumoApi& api, std::vector<int> rows,
                        const std::function<void(int index)>& deleted) {
    // From the top, each row found again after the deletions above it.
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    int removed = 0;
    for (int original : rows) {
        const int row = original - removed;
        if (row < 0 || row >= api.GetDeviceMacroCount()) continue;
        if (api.GetDeviceMacroCount() == 1) {
            api.ClearDeviceMacros();
        } else {
            api.DeleteDeviceMacro(row);
        }
        ++removed;
        if (deleted) deleted(row);
    }
}

bool UploadKeypadMacros(CLumoApi& api, DeviceLock& lock, CLumoMessageReceiver* progress) {
    std::lock_guard guard(lock);
    api.SetProgressWindow(progress);
    const uint32_t size = api.GetDeviceImageSize();
    bool ok = false;
    if (size != 0) {
        api.QueryDevice(kQueryBeforeUpload);
        bool erased = true;
        for (uint32_t offset = 0; offset < size + 4; offset += kEraseBlock) {
            erased = api.EraseDeviceArea(kMacroAreaAddress + offset, kEraseBlock) && erased;
        }
        ok = api.WriteDeviceMacros(kMacroAreaAddress, size) != 0 && erased;
    } else {
        ok = api.EraseDeviceArea(kMacroAreaAddress, kEraseBlock);
    }
    api.SetProgressWindow(nullptr);
    return ok;
}

}  // namespace varnel::program
