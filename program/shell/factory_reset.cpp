#include "factory_reset.h"

#include <mutex>

#include "keymap_transfer.h"
#include "keypad_macros.h"
#include "shell_texts.h"

namespace varnel::program {

namespace {

constexpr uint8_t kCodeStep = 0x09;
constexpr uint8_t kFactoryStep = 3;  // STEP4

// Erases every block of the macro area that the keypad collection's image covers, or the first
// block when there is none: either way the magic goes and the keypad has no macros.
bool EraseMacroArea(CLumoApi& api) {
    const uint32_t size = api.GetDeviceImageSize();
    if (size == 0) return api.EraseDeviceArea(kMacroAreaAddress, kEraseBlock);
    api.QueryDevice(kQueryBeforeUpload);
    bool erased = true;
    for (uint32_t offset = 0; offset < size; offset += kEraseBlock) {
        erased = api.EraseDeviceArea(kMacroAreaAddress + offset, kEraseBlock) && erased;
    }
    return erased;
}

}  // namespace

FactoryResetOutcome FactoryReset(CLumoApi& api, DeviceLock& lock, MacroQuestions& questions,
                                 KeyMapImage& edited, KeyMapImage& device,
                                 const std::function<bool()>& deleteAllProfiles) {
    const uint16_t language = api.GetUiLanguage();
    if (!questions.AskYesNo(ShellString(kTextFactoryResetQuestion, language), u"VARNELKEYPAD")) {
        return FactoryResetOutcome::Declined;
    }
    std::lock_guard hold(lock);
    const bool macrosErased = EraseMacroArea(api);
    api.ClearDeviceMacros();
    edited = EmptyKeyMap();
    api.SendDeviceCommand2(kCodeStep, kFactoryStep);
    const bool mapWritten = WriteKeyMapFull(api, lock, edited, device);
    const bool profilesDeleted = !deleteAllProfiles || deleteAllProfiles();
    if (macrosErased && mapWritten && profilesDeleted) {
        questions.Tell(ShellString(kTextCompleted, language));
        return FactoryResetOutcome::Done;
    }
    questions.Tell(!macrosErased ? u"The keypad's macros could not all be erased."
                   : !mapWritten ? u"The keypad's key map could not be written."
                                 : u"Not every profile could be deleted.");
    return FactoryResetOutcome::Failed;
}

}  // namespace varnel::program
