// CLumoAPILibrary: the library's implementation of every CLumoApi operation.
//
// The operations are implemented in the files of their subsystems: device exchanges and the
// object's own operations in api/, firmware in firmware/, macros and settings in macro/.
#pragma once

#include <cstdint>

#include "hid_cmd.h"
#include "varnel/LumoApi.h"

namespace varnel {

class CLumoAPILibrary final : public CLumoApi {
  public:
    CLumoAPILibrary();
    ~CLumoAPILibrary() override;

    int Reserved1(uint32_t first, uint32_t second) override;
    void RegisterRawInput(CLumoWindow* window) override;
    void UnregisterRawInput() override;
    void SetDeviceId(uint16_t vendorId, uint16_t productId) override;
    void SetProgressWindow(CLumoMessageReceiver* window) override;
    uint32_t DecodeBlock(uint32_t offset, uint8_t* data, uint32_t length) override;
    bool BootQuery(const uint8_t* request, uint8_t* reply) override;
    int BootCommand(const uint8_t* request) override;
    int WriteLdrom() override;
    bool ReadVersion(const uint8_t* request, uint8_t* version) override;
    bool Query(const uint8_t* request, uint8_t* reply) override;
    bool Command(const uint8_t* request) override;
    bool QueryInfo(const uint8_t* request, uint8_t* reply) override;
    bool Send(const uint8_t* request) override;
    bool EraseLdrom() override;
    int EraseAprom() override;
    int EraseApromSize(uint32_t size) override;
    int EraseApromRange(uint32_t start, uint32_t end) override;
    bool UpdateLdrom() override;
    int WriteLdromData(uint32_t address, uint32_t length, const uint8_t* data) override;
    bool CheckFirmwareHeader(const uint8_t* header) override;
    bool DecFirmware(const uint8_t* file, uint32_t size) override;
    void LoadFirmwareFile(const char16_t* path) override;
    int GetFirmwareFileId(const uint8_t* file, uint16_t* ids) override;
    bool IsDevicePresent(const uint16_t* identity) override;
    bool ReadBootDataBlock(uint8_t* block) override;
    int LdromBootHold() override;
    bool VerifyLdrom() override;
    void LoadLdromResource(const char16_t* type, uint16_t id) override;
    void ExportLdromResource(const char16_t* type, uint16_t id, const char16_t* path) override;
    bool WriteAprom() override;
    bool ProgramAprom(const uint8_t* data, uint32_t size) override;
    bool EraseDeviceArea(uint32_t start, uint32_t size) override;
    int ReadDeviceMacrosPlain(uint32_t address, uint32_t maxBytes) override;
    int WriteDeviceMacrosPlain(uint32_t address, uint32_t unused) override;
    uint32_t GetDeviceImageSize() override;
    int ReadDeviceMacros(uint32_t address, uint32_t maxBytes) override;
    int WriteDeviceMacros(uint32_t address, uint32_t unused) override;
    uint32_t GetDeviceImageSize2() override;
    uint8_t QueryDevice(uint8_t code) override;
    void SendDeviceCommand(uint8_t code) override;
    void SendDeviceCommand2(uint8_t code, uint8_t argument) override;
    uint8_t QueryDevice2(uint8_t code, uint8_t argument) override;
    const char* GetDeviceMacroInfo(int index) override;
    void ClearDeviceMacros() override;
    int GetDeviceMacroCount() override;
    void SetDeviceMacro(int index, MacroHeader header, std::vector<MacroCell> cells) override;
    void DeleteDeviceMacro(int index) override;
    void DeleteLastDeviceMacro() override;
    void AddDeviceMacro(DeviceMacro macro) override;
    int FindMacro(const std::u16string& name, int skipIndex) override;
    EditorMacro GetMacro(int index) override;
    void SetEditMacro(EditorMacro* macro) override;
    void SetMacro(int index, EditorMacro macro) override;
    int GetMacroCount() override;
    std::u16string GetMacroName(int index) override;
    int FindDeviceMacro(const std::u16string& name, int skipIndex) override;
    const DeviceMacro* GetDeviceMacro(int index) override;
    bool LoadMacroFile(const char16_t* path, std::u16string* reason) override;
    bool MergeMacroFile(CLumoWindow* owner, const char16_t* path, std::u16string* reason) override;
    bool ImportMacroText(const char16_t* path, std::u16string* reason) override;
    bool SaveMacroFile(const char16_t* path, std::u16string* reason) override;
    void AddMacro(EditorMacro macro) override;
    void DeleteMacro(int index) override;
    void PutDeviceMacro(const EditorMacro* macro) override;
    void EditListInsertEvent(CLumoListView* list, int row, const MacroItem& event,
                             int flag) override;
    void EditListDeleteRow(CLumoListView* list, int row) override;
    void EditListRefreshRow(CLumoListView* list, int row) override;
    void EditListInsertMouseAbsolute(CLumoListView* list, int row, const MacroItem& event,
                                     int flag) override;
    void EditListInsertMouseRelative(CLumoListView* list, int row, const MacroItem& event,
                                     int flag) override;
    uint16_t GetUiLanguage() override;
    int GetKeyScanCode(uint32_t row) override;
    int FindKeyByScanCode(int scanCode) override;
    int GetKeyVirtualCode(uint32_t row) override;
    int FindKeyByVirtualCode(int virtualKey) override;
    std::u16string GetKeyName(uint32_t row) override;
    int FindKeyByUsage(int usage) override;
    std::u16string GetKeyNameByVirtualCode(int virtualKey) override;
    uint8_t* UsageToKeyCodes(uint8_t* pair, int usage) override;
    int FindKeyByCode(uint16_t keyCode) override;
    int KeyToUsage(uint16_t keyCode) override;
    std::u16string UsageToShortName(uint32_t usage) override;
    int GetKeyCount() override;
    std::u16string GetKeyActionName(uint32_t action) override;
    std::u16string GetButtonActionName(uint32_t action) override;
    std::u16string FormatMacroItem(const MacroItem& item) override;
    void SetSettingsKey(const char16_t* keyPath) override;
    uint32_t GetGameWidth() override;
    uint32_t GetGameHeight() override;
    uint32_t GetPositionCaptureKey() override;
    uint32_t GetRecordKey() override;
    uint32_t GetRecordOption0() override;
    uint32_t GetRecordOption1() override;
    uint32_t GetRecordOption2() override;
    uint32_t GetRecordOption3() override;
    uint32_t GetRecordOption4() override;
    uint32_t GetRecordOption7() override;
    uint32_t GetRecordOption8() override;
    uint32_t GetRecordMouseDistance() override;
    uint32_t GetRecordEventInterval() override;
    uint32_t GetDefaultDelay() override;
    void LoadSettings() override;
    void SetGameWidth(uint32_t value) override;
    void SetGameHeight(uint32_t value) override;
    void SetPositionCaptureKey(uint32_t value) override;
    void SetRecordKey(uint32_t value) override;
    void SetRecordOption0(uint32_t flag) override;
    void SetRecordOption1(uint32_t flag) override;
    void SetRecordOption2(uint32_t flag) override;
    void SetRecordOption3(uint32_t flag) override;
    void SetRecordOption4(uint32_t flag) override;
    void SetRecordOption7(uint32_t flag) override;
    void SetRecordOption8(uint32_t flag) override;
    void SetRecordMouseDistance(uint32_t value) override;
    void SetRecordEventInterval(uint32_t value) override;
    void SetDefaultDelay(uint32_t value) override;
    void SaveSettings() override;
    void ReadSettingsBlock(uint32_t index, uint8_t* buffer) override;
    void WriteSettingsBlock(uint32_t index, const uint8_t* buffer) override;
    uint32_t QueryDeviceState() override;

    // Identities and state of the object (read by tests and by the other subsystems).
    uint16_t m_usBootVID = 0x060B;
    uint16_t m_usBootPID = 0x2320;
    uint16_t m_usDevVID = 0;
    uint16_t m_usDevPID = 0;
    uint16_t m_usFileVID = 0;
    uint16_t m_usFilePID = 0;
    CHidCmd m_Cmd;
    EditorMacro* m_pEditMacro = nullptr;
    int m_nProgress = 0;
    CLumoMessageReceiver* m_pProgressWindow = nullptr;
    uint16_t m_wGameWidth = 0;
    uint16_t m_wGameHeight = 0;

  private:
    // Upload of the device macro image; progress messages only when asked for.
    int WriteDeviceImage(uint32_t address, bool withProgress);
    // Inserts the items of a captured event into the edit macro and their rows into the list.
    void InsertEditEvent(CLumoListView* list, int row, const MacroItem& event);

    DeviceIdentity BootIdentity() const { return {m_usBootVID, m_usBootPID}; }
    DeviceIdentity DeviceIdentityNow() const { return {m_usDevVID, m_usDevPID}; }
};

}  // namespace varnel
