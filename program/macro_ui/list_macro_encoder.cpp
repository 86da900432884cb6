#include "list_macro_encoder.h"

#include "macro_encoding.h"

namespace varnel::program {

uint32_t KeypadNameCodePage(CLumoApi& api) {
    return api.GetUiLanguage() == 1042 ? 949 : 1252;
}

DeviceMacro EncodeListMacro(CLumoApi& api, const EditorMacro& macro) {
    MacroEncoderContext context;
    context.usageOf = [&api](uint16_t keyCode) {
        return static_cast<uint8_t>(api.KeyToUsage(keyCode));
    };
    context.gameWidth = api.GetGameWidth();
    context.gameHeight = api.GetGameHeight();
    context.codePage = KeypadNameCodePage(api);
    return EncodeMacro(macro, kProgramEncoderRules, context);
}

}  // namespace varnel::program
