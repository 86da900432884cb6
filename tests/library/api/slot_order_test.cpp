// Callers bind CLumoApi operations by slot, so the declared order is part of the interface. The
// slot of a virtual function is read from its pointer to member, which in the Itanium C++ ABI
// holds 1 + the byte offset of its vtable entry. The destructor takes two entries there
// (complete and deleting), so slot s (s >= 1) lives at entry s + 1.
#include <gtest/gtest.h>

#include <cstring>

#include "varnel/LumoApi.h"

namespace {

template <typename Pmf>
long VtableEntry(Pmf pmf) {
    static_assert(sizeof(Pmf) == 2 * sizeof(uintptr_t), "Itanium pointer to member function");
    uintptr_t words[2];
    std::memcpy(words, &pmf, sizeof words);
    EXPECT_EQ(words[0] & 1, 1u) << "not a virtual function";
    return static_cast<long>((words[0] - 1) / sizeof(void*));
}

#define SLOT(slot, name) \
    { slot, #name, VtableEntry(&CLumoApi::name) }

struct SlotCase {
    long slot;
    const char* name;
    long entry;
};

TEST(SlotOrder, EveryOperationSitsInItsSlot) {
    const SlotCase cases[] = {
        SLOT(1, Reserved1),
        SLOT(2, RegisterRawInput),
        SLOT(3, UnregisterRawInput),
        SLOT(4, SetDeviceId),
        SLOT(5, SetProgressWindow),
        SLOT(6, DecodeBlock),
        SLOT(7, BootQuery),
        SLOT(8, BootCommand),
        SLOT(9, WriteLdrom),
        SLOT(10, ReadVersion),
        SLOT(11, Query),
        SLOT(12, Command),
        SLOT(13, QueryInfo),
        SLOT(14, Send),
        SLOT(15, EraseLdrom),
        SLOT(16, EraseAprom),
        SLOT(17, EraseApromSize),
        SLOT(18, EraseApromRange),
        SLOT(19, UpdateLdrom),
        SLOT(20, WriteLdromData),
        SLOT(21, CheckFirmwareHeader),
        SLOT(22, DecFirmware),
        SLOT(23, LoadFirmwareFile),
        SLOT(24, GetFirmwareFileId),
        SLOT(25, IsDevicePresent),
        SLOT(26, ReadBootDataBlock),
        SLOT(27, LdromBootHold),
        SLOT(28, VerifyLdrom),
        SLOT(29, LoadLdromResource),
        SLOT(30, ExportLdromResource),
        SLOT(31, WriteAprom),
        SLOT(32, ProgramAprom),
        SLOT(33, EraseDeviceArea),
        SLOT(34, ReadDeviceMacrosPlain),
        SLOT(35, WriteDeviceMacrosPlain),
        SLOT(36, GetDeviceImageSize),
        SLOT(37, ReadDeviceMacros),
        SLOT(38, WriteDeviceMacros),
        SLOT(39, GetDeviceImageSize2),
        SLOT(40, QueryDevice),
        SLOT(41, SendDeviceCommand),
        SLOT(42, SendDeviceCommand2),
        SLOT(43, QueryDevice2),
        SLOT(44, GetDeviceMacroInfo),
        SLOT(45, ClearDeviceMacros),
        SLOT(46, GetDeviceMacroCount),
        SLOT(47, SetDeviceMacro),
        SLOT(48, DeleteDeviceMacro),
        SLOT(49, DeleteLastDeviceMacro),
        SLOT(50, AddDeviceMacro),
        SLOT(51, FindMacro),
        SLOT(52, GetMacro),
        SLOT(53, SetEditMacro),
        SLOT(54, SetMacro),
        SLOT(55, GetMacroCount),
        SLOT(56, GetMacroName),
        SLOT(57, FindDeviceMacro),
        SLOT(58, GetDeviceMacro),
        SLOT(59, LoadMacroFile),
        SLOT(60, MergeMacroFile),
        SLOT(61, ImportMacroText),
        SLOT(62, SaveMacroFile),
        SLOT(63, AddMacro),
        SLOT(64, DeleteMacro),
        SLOT(65, PutDeviceMacro),
        SLOT(66, EditListInsertEvent),
        SLOT(67, EditListDeleteRow),
        SLOT(68, EditListRefreshRow),
        SLOT(69, EditListInsertMouseAbsolute),
        SLOT(70, EditListInsertMouseRelative),
        SLOT(71, GetUiLanguage),
        SLOT(72, GetKeyScanCode),
        SLOT(73, FindKeyByScanCode),
        SLOT(74, GetKeyVirtualCode),
        SLOT(75, FindKeyByVirtualCode),
        SLOT(76, GetKeyName),
        SLOT(77, FindKeyByUsage),
        SLOT(78, GetKeyNameByVirtualCode),
        SLOT(79, UsageToKeyCodes),
        SLOT(80, FindKeyByCode),
        SLOT(81, KeyToUsage),
        SLOT(82, UsageToShortName),
        SLOT(83, GetKeyCount),
        SLOT(84, GetKeyActionName),
        SLOT(85, GetButtonActionName),
        SLOT(86, FormatMacroItem),
        SLOT(87, SetSettingsKey),
        SLOT(88, GetGameWidth),
        SLOT(89, GetGameHeight),
        SLOT(90, GetPositionCaptureKey),
        SLOT(91, GetRecordKey),
        SLOT(92, GetRecordOption0),
        SLOT(93, GetRecordOption1),
        SLOT(94, GetRecordOption2),
        SLOT(95, GetRecordOption3),
        SLOT(96, GetRecordOption4),
        SLOT(97, GetRecordOption7),
        SLOT(98, GetRecordOption8),
        SLOT(99, GetRecordMouseDistance),
        SLOT(100, GetRecordEventInterval),
        SLOT(101, GetDefaultDelay),
        SLOT(102, LoadSettings),
        SLOT(103, SetGameWidth),
        SLOT(104, SetGameHeight),
        SLOT(105, SetPositionCaptureKey),
        SLOT(106, SetRecordKey),
        SLOT(107, SetRecordOption0),
        SLOT(108, SetRecordOption1),
        SLOT(109, SetRecordOption2),
        SLOT(110, SetRecordOption3),
        SLOT(111, SetRecordOption4),
        SLOT(112, SetRecordOption7),
        SLOT(113, SetRecordOption8),
        SLOT(114, SetRecordMouseDistance),
        SLOT(115, SetRecordEventInterval),
        SLOT(116, SetDefaultDelay),
        SLOT(117, SaveSettings),
        SLOT(118, ReadSettingsBlock),
        SLOT(119, WriteSettingsBlock),
        SLOT(120, QueryDeviceState),
    };
    ASSERT_EQ(std::size(cases), 120u) << "every slot after the destructor";
    for (const SlotCase& c : cases) EXPECT_EQ(c.entry, c.slot + 1) << c.name;
}

#undef SLOT

}  // namespace
