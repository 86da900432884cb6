#include "key_assignment_texts.h"

#include <map>

#include "localized_text.h"
#include "workshop_texts.h"

namespace varnel::program {

namespace {

const StringTable& Table() {
    // The function names of the tool-tips have one text for both languages.
    static const StringTable table = {
        {kTextCalculator, {u"CALCULATOR  ", u"Calulator"}},
        {kTextMouseLeft, {u"Mouse Left", u"Mouse Left"}},
        {kTextMouseMiddle, {u"Mouse Middle", u"Mouse Middle"}},
        {kTextMouseRight, {u"Mouse Right", u"Mouse Right"}},
        {kTextWebBrowser, {u"Web Browser", u"Web Browser"}},
        {kTextWindowsSearch, {u"Windows Search", u"Windows Search"}},
        {kTextEmail, {u"E-Mail", u"E-Mail"}},
        {kTextDesktop, {u"Desktop", u"Desktop"}},
        {kTextMediaPlayer, {u"Media", u"Media"}},
        {kTextVolumeDown, {u"Volume Down", u"Volume Down"}},
        {kTextMute, {u"Mute", u"Mute"}},
        {kTextVolumeUp, {u"Volume Up", u"Volume Up"}},
        {kTextDataChanged, {u"There is data that has changed.", u"변경된 데이터가 있습니다."}},
        {kTextSaveToProfile, {u"Do you want to save to profile?", u"프로파일에 저장하시겠습니까?"}},
    };
    return table;
}

}  // namespace

std::u16string KeyAssignmentString(uint16_t id, uint16_t language) {
    return LookUpText(Table(), id, language);
}

}  // namespace varnel::program
