#include "shell_texts.h"

#include <map>

namespace varnel::program {

namespace {

constexpr uint16_t kKorean = 1042;

struct Texts {
    const char16_t* english;
    const char16_t* korean;
};

const std::map<uint16_t, Texts>& Table() {
    static const std::map<uint16_t, Texts> table = {
        {kTextCompleted, {u"Completed!", u"완료!"}},
        {kTextFactoryResetQuestion,
         {u"Delete all data stored on the Varnel device.",
          u"Varnel 장치에 저장된 모든 데이터를 삭제합니다."}},
    };
    return table;
}

}  // namespace

std::u16string ShellString(uint16_t id, uint16_t language) {
    const auto found = Table().find(id);
    if (found == Table().end()) return {};
    return language == kKorean ? found->second.korean : found->second.english;
}

}  // namespace varnel::program
