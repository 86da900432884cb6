// The library's own texts: the messages it shows and the words of the macro step texts.
#include "string_table.h"

#include <algorithm>
#include <iterator>

#include "host.h"
#include "user_language.h"

namespace varnel {

namespace {

struct LibraryString {
    uint16_t id;
    const char16_t* english;
    const char16_t* korean;
};

// In id order. Ids 215 and 217 to 219 are not used.
constexpr LibraryString kLibraryStrings[] = {
    {205, u"The maximum number of macros that can be stored on the mouse is 23!",
     u"마우스에 저장할 수 있는 매크로는 최대 23개입니다!"},
    {206, u"You have exceeded the maximum size that can be stored on the device.",
     u"장치에 저장할 수 있는 최대 크기를 초과하였습니다."},
    {212, u"Keyboard", u"키보드"},
    {213, u"Mouse", u"마우스"},
    {214, u"Delay", u"지연"},
    {216, u"Second", u"초"},
    {220, u"Down", u"누르기"},
    {221, u"Up", u"떼기"},
    {222, u"Error", u"오류"},
    {223, u"Click", u"클릭"},
    {224, u"Wheel up", u"휠 위로"},
    {225, u"Wheel down", u"휠 아래로"},
    {226, u"Left Button", u"왼쪽 버튼"},
    {227, u"Right Button", u"오른쪽 버튼"},
    {228, u"Middle button", u"가운데 버튼"},
    {229, u"Absolute position", u"절대 위치"},
    {230, u"Relative position", u"상대 위치"},
    {231, u"Random delay", u"무작위 지연"},
    {232, u"Add", u"추가"},
    {233, u"Hour", u"시"},
    {234, u"Minute", u"분"},
    {235, u"till", u"까지"},
    {236, u"Keystroke Waitig", u"키 입력 대기"},
    {282, u"A macro with the same name exists.\nUpdate with a new macro?",
     u"같은 이름의 매크로가 있습니다.\n새 매크로로 바꾸시겠습니까?"},
};

}  // namespace

std::u16string LibraryText(uint16_t id) {
    return LibraryText(id, UiLanguageFor(Host().GetUserDefaultLanguage()));
}

std::u16string LibraryText(uint16_t id, uint16_t language) {
    const auto found = std::lower_bound(
        std::begin(kLibraryStrings), std::end(kLibraryStrings), id,
        [](const LibraryString& entry, uint16_t wanted) { return entry.id < wanted; });
    if (found == std::end(kLibraryStrings) || found->id != id) return {};
    return UiLanguageFor(language) == kLangKorean ? found->korean : found->english;
}

}  // namespace varnel
