#include "shell_texts.h"

#include <map>

#include "localized_text.h"

namespace varnel::program {

namespace {

const StringTable& Table() {
    static const StringTable table = {
        {kTextCompleted, {u"Completed!", u"완료!"}},
        {kTextFactoryResetQuestion,
         {u"Delete all data stored on the Varnel device.",
          u"Varnel 장치에 저장된 모든 데이터를 삭제합니다."}},
    };
    return table;
}

}  // namespace

std::u16string ShellString(uint16_t id, uint16_t language) {
    return LookUpText(Table(), id, language);
}

}  // namespace varnel::program
