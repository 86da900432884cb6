#include "localized_text.h"

namespace varnel::program {

std::u16string LookUpText(const StringTable& table, uint16_t id, uint16_t language) {
    const auto found = table.find(id);
    if (found == table.end()) return {};
    return language == kKoreanLanguage ? found->second.korean : found->second.english;
}

}  // namespace varnel::program
