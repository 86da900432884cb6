#include "workshop_texts.h"

#include <map>

#include "localized_text.h"

namespace varnel::program {

namespace {

const StringTable& Table() {
    static const StringTable table = {
        {kTextForward, {u"FORWARD", u"앞으로"}},
        {kTextBack, {u"BACK", u"뒤로"}},
        {kTextTooManyMacros,
         {u"The maximum number of macros that can be stored on the mouse is 23!",
          u"장치에 저장할 수 있는 매크로는 최대 23개입니다!"}},
        {kTextMacroItem, {u"Macro Item", u"매크로 항목"}},
        {kTextKeyboard, {u"Keyboard", u"키보드"}},
        {kTextMouse, {u"Mouse", u"마우스"}},
        {kTextDelay, {u"Delay", u"지연"}},
        {kTextDown, {u"Down", u"누름"}},
        {kTextUp, {u"Up", u"뗌"}},
        {kTextWheelUp, {u"Wheel up", u"휠 위로"}},
        {kTextWheelDown, {u"Wheel down", u"휠 아래로"}},
        {kTextLeftButton, {u"Left Button", u"왼쪽 버튼"}},
        {kTextRightButton, {u"Right Button", u"오른쪽 버튼"}},
        {kTextMiddleButton, {u"Middle button", u"가운데 버튼"}},
        {kTextAbsolutePosition, {u"Absolute position", u"절대 위치"}},
        {kTextRelativePosition, {u"Relative position", u"상대 위치"}},
        {kTextDelete, {u"DELETE", u"삭제"}},
        {kTextUpdateMacro,
         {u"This name exists with a macro.\nWould you like to update this macro?",
          u"같은 이름의 매크로가 있습니다.\n이 매크로를 업데이트하시겠습니까?"}},
        {kTextUploadWait,
         {u"Please wait a moment for the macro to complete the update.",
          u"매크로 업데이트가 끝날 때까지 잠시 기다려 주십시오."}},
    };
    return table;
}

}  // namespace

std::u16string WorkshopString(uint16_t id, uint16_t language) {
    return LookUpText(Table(), id, language);
}

}  // namespace varnel::program
