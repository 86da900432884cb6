#include "profile_texts.h"

#include <map>

#include "localized_text.h"

namespace varnel::program {

namespace {

const StringTable& Table() {
    static const StringTable table = {
        {kTextNoSupportedDevice,
         {u"Can not find a supported Device!\nPlease connect the device and run again.",
          u"지원하는 장치를 찾을 수 없습니다.\n연결 후에 다시 실행하세요."}},
        {kTextBadProfileName,
         {u"\"%s\" cannot be a profile name.\nA name must not be empty, begin with \"..\" or "
          u"contain / \\ or control characters.",
          u"\"%s\"은(는) 프로파일 이름으로 쓸 수 없습니다.\n이름은 비어 있거나 \"..\"로 "
          u"시작하거나 / \\ 또는 제어 문자를 포함할 수 없습니다."}},
        {kTextProfileNotWritten,
         {u"The profile file %s could not be written.", u"프로파일 파일 %s을(를) 쓸 수 없습니다."}},
        {kTextProfileNotRenamed,
         {u"The profile file %s could not be renamed.",
          u"프로파일 파일 %s의 이름을 바꿀 수 없습니다."}},
        {kTextProfileNotDeleted,
         {u"The profile file %s could not be deleted.",
          u"프로파일 파일 %s을(를) 삭제할 수 없습니다."}},
        {kTextProfileNotRead,
         {u"The profile file %s could not be read.", u"프로파일 파일 %s을(를) 읽을 수 없습니다."}},
    };
    return table;
}

std::u16string WithArgument(std::u16string text, const std::u16string& argument) {
    if (const size_t at = text.find(u"%s"); at != std::u16string::npos) {
        text.replace(at, 2, argument);
    }
    return text;
}

}  // namespace

std::u16string ProfileString(uint16_t id, uint16_t language, const std::u16string& argument) {
    return WithArgument(LookUpText(Table(), id, language), argument);
}

std::u16string SavedToProfileText(const std::u16string& name) {
    return WithArgument(u"%s 에 저장하였습니다.", name);
}

}  // namespace varnel::program
