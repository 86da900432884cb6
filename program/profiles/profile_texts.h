// Texts of the profile commands. The numbered ones come from the program's string table in
// English and Korean; the others are shown as they are, whatever the language. The question about
// unsaved changes is the one the OK button asks (SaveToProfileQuestion in key_assignment.h).
#pragma once

#include <cstdint>
#include <string>

namespace varnel::program {

enum ProfileText : uint16_t {
    kTextNoSupportedDevice = 113,
    // Ours, for failures the commands report instead of passing over them; "%s" is a name.
    kTextBadProfileName = 3001,
    kTextProfileNotWritten = 3002,
    kTextProfileNotRenamed = 3003,
    kTextProfileNotDeleted = 3004,
    kTextProfileNotRead = 3005,
};

inline constexpr char16_t kTextNoProfileSelected[] = u"선택된 프로파일이 없습니다.";
inline constexpr char16_t kTextSameProfileExists[] =
    u"동일한 프로파일이 있습니다.\n 이름을 바꿔주세요.\n";
inline constexpr char16_t kTextExportTitle[] = u"파일저장";
inline constexpr char16_t kTextExportFileType[] = u"Ostrel Varnel Data file";
inline constexpr char16_t kExportPattern[] = u"*.VPD";
inline constexpr char16_t kExportDefaultName[] = u"Varnel.VPD";

// The text in the language GetUiLanguage gives (1042 Korean, else English); "%s" in it is
// replaced by `argument` when one is given.
std::u16string ProfileString(uint16_t id, uint16_t language, const std::u16string& argument = {});

// "%s 에 저장하였습니다." with the profile's name.
std::u16string SavedToProfileText(const std::u16string& name);

}  // namespace varnel::program
