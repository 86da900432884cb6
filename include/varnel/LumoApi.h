// Public interface of VarnelLibrary: the export pair, the CLumoApi operation table, the records
// that cross it, and the small abstract classes through which the library reaches windows, list
// views and the desktop.
//
// CLumoApi is bound by slot: callers rely on the order of its virtual operations, so new
// operations are never inserted and existing ones never move. The slot number of each operation
// is given beside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#if defined(_WIN32)
#define VARNEL_STDCALL __stdcall
#if defined(VARNEL_LIBRARY_BUILD)
#define VARNEL_API __declspec(dllexport)
#else
#define VARNEL_API __declspec(dllimport)
#endif
#else
#define VARNEL_STDCALL
#define VARNEL_API __attribute__((visibility("default")))
#endif

// ---------------------------------------------------------------------------------------------
// Records

// Kinds of an editor macro step (word 0 of a MacroItem).
enum MacroItemKind : uint32_t {
    kMacroItemStart = 0,
    kMacroItemKeyboard = 1,
    kMacroItemMouse = 2,
    kMacroItemDelay = 3,
};

// One step of an editor macro: four 32-bit words, word 0 the kind.
struct MacroItem {
    uint32_t kind = 0;
    uint32_t word1 = 0;
    uint32_t word2 = 0;
    uint32_t word3 = 0;
};
static_assert(sizeof(MacroItem) == 16, "MacroItem is stored as 16 bytes in macro files");

#pragma pack(push, 1)
// Head of a keypad macro: cell count (0xFFFF: none), repeat, 20-byte ANSI name (not terminated
// when all 20 bytes are used).
struct MacroHeader {
    uint16_t cellCount = 0;
    int16_t repeat = 0;
    char name[20] = {};
};
static_assert(sizeof(MacroHeader) == 24, "MacroHeader is 24 bytes in the keypad's macro area");

// One step of a keypad macro: code, delay after the step in milliseconds, 6 data bytes.
struct MacroCell {
    uint16_t code = 0;
    uint32_t delay = 0;
    uint8_t data[6] = {};
};
static_assert(sizeof(MacroCell) == 12, "MacroCell is 12 bytes in memory");
#pragma pack(pop)

// A macro in its editable form (a list macro).
struct EditorMacro {
    uint8_t workArea[256] = {};    // working area for playing on the computer; not in files
    std::vector<MacroItem> items;  // the steps
    int32_t playbackCursor = -1;   // next item while playing; not in files
    uint32_t playbackWordA = 0;    // not in files
    uint32_t playbackWordB = 0;    // not in files
    std::u16string name;
    uint32_t options[10] = {};  // word 9 is the repeat word
};

// A macro in the keypad's encoding.
struct DeviceMacro {
    MacroHeader header;
    std::vector<MacroCell> cells;
};

// ---------------------------------------------------------------------------------------------
// Windows across the boundary

// Message box styles and answers, with the values the desktop uses.
enum LumoMessageBoxType : uint32_t {
    kLumoMbOk = 0x0,
    kLumoMbYesNo = 0x4,
    kLumoMbIconError = 0x10,
    kLumoMbIconQuestion = 0x20,
    kLumoMbIconWarning = 0x30,
    kLumoMbIconInformation = 0x40,
};
enum LumoMessageBoxAnswer : int {
    kLumoIdOk = 1,
    kLumoIdCancel = 2,
    kLumoIdYes = 6,
    kLumoIdNo = 7,
};

// Message that carries a progress percentage (0 to 100) in its first parameter.
inline constexpr uint32_t kLumoProgressMessage = 0x0400 + 2;

// Something that receives window messages, such as a progress bar.
class CLumoMessageReceiver {
  public:
    virtual ~CLumoMessageReceiver() = default;
    virtual intptr_t SendWindowMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};

// A window: receives messages and owns message boxes.
class CLumoWindow : public CLumoMessageReceiver {
  public:
    virtual int ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                               uint32_t type) = 0;
};

// A list-view control with one text column per row.
class CLumoListView {
  public:
    virtual ~CLumoListView() = default;
    virtual int GetItemCount() const = 0;
    virtual void InsertItem(int row, const std::u16string& text) = 0;
    virtual void DeleteItem(int row) = 0;
    virtual void SetItemText(int row, const std::u16string& text) = 0;
    virtual void SelectItem(int row) = 0;
    virtual void EnsureVisible(int row) = 0;
};

// ---------------------------------------------------------------------------------------------
// The platform host: what the library asks of the desktop.

enum LumoRawInputFlags : uint32_t {
    kLumoRawInputRemove = 0x00000001,
    kLumoRawInputSink = 0x00000100,  // deliver while the target window is in the background
};

struct LumoRawInputDevice {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint32_t flags = 0;
    CLumoWindow* target = nullptr;
};

struct LumoScreenSize {
    int width = 0;
    int height = 0;
};

class CLumoHost {
  public:
    virtual ~CLumoHost() = default;
    // A message box without an owner window; returns a LumoMessageBoxAnswer.
    virtual int ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                               uint32_t type) = 0;
    // Registers or removes raw input; 0 on success, else the system's error code.
    virtual int RegisterRawInputDevices(const LumoRawInputDevice* devices, uint32_t count) = 0;
    // The user's default language identifier (0x0409 English, 0x0412 Korean, ...).
    virtual uint16_t GetUserDefaultLanguage() = 0;
    // Size of the virtual screen, all monitors together.
    virtual LumoScreenSize GetVirtualScreenSize() = 0;
    // The ANSI code page device macro names are kept in (1252, 949, ...).
    virtual uint32_t GetAnsiCodePage() = 0;
};

// ---------------------------------------------------------------------------------------------
// The operation table

class VARNEL_API CLumoApi {
  public:
    virtual ~CLumoApi() = default;  // 0

    virtual int Reserved1(uint32_t first, uint32_t second) = 0;                         // 1
    virtual void RegisterRawInput(CLumoWindow* window) = 0;                             // 2
    virtual void UnregisterRawInput() = 0;                                              // 3
    virtual void SetDeviceId(uint16_t vendorId, uint16_t productId) = 0;                // 4
    virtual void SetProgressWindow(CLumoMessageReceiver* window) = 0;                   // 5
    virtual uint32_t DecodeBlock(uint32_t offset, uint8_t* data, uint32_t length) = 0;  // 6

    // Requests and replies are 64-byte blocks.
    virtual bool BootQuery(const uint8_t* request, uint8_t* reply) = 0;      // 7
    virtual int BootCommand(const uint8_t* request) = 0;                     // 8
    virtual int WriteLdrom() = 0;                                            // 9
    virtual bool ReadVersion(const uint8_t* request, uint8_t* version) = 0;  // 10
    virtual bool Query(const uint8_t* request, uint8_t* reply) = 0;          // 11
    virtual bool Command(const uint8_t* request) = 0;                        // 12
    virtual bool QueryInfo(const uint8_t* request, uint8_t* reply) = 0;      // 13
    virtual bool Send(const uint8_t* request) = 0;                           // 14

    virtual bool EraseLdrom() = 0;                                                           // 15
    virtual int EraseAprom() = 0;                                                            // 16
    virtual int EraseApromSize(uint32_t size) = 0;                                           // 17
    virtual int EraseApromRange(uint32_t start, uint32_t end) = 0;                           // 18
    virtual bool UpdateLdrom() = 0;                                                          // 19
    virtual int WriteLdromData(uint32_t address, uint32_t length, const uint8_t* data) = 0;  // 20
    virtual bool CheckFirmwareHeader(const uint8_t* header) = 0;                             // 21
    virtual bool DecFirmware(const uint8_t* file, uint32_t size) = 0;                        // 22
    virtual void LoadFirmwareFile(const char16_t* path) = 0;                                 // 23
    // ids[0] receives the vendor identifier, ids[1] the product identifier; returns 1.
    virtual int GetFirmwareFileId(const uint8_t* file, uint16_t* ids) = 0;  // 24
    // identity[0] vendor, identity[1] product.
    virtual bool IsDevicePresent(const uint16_t* identity) = 0;             // 25
    virtual bool ReadBootDataBlock(uint8_t* block) = 0;                     // 26
    virtual int LdromBootHold() = 0;                                        // 27
    virtual bool VerifyLdrom() = 0;                                         // 28
    virtual void LoadLdromResource(const char16_t* type, uint16_t id) = 0;  // 29
    virtual void ExportLdromResource(const char16_t* type, uint16_t id,
                                     const char16_t* path) = 0;         // 30
    virtual bool WriteAprom() = 0;                                      // 31
    virtual bool ProgramAprom(const uint8_t* data, uint32_t size) = 0;  // 32
    virtual bool EraseDeviceArea(uint32_t start, uint32_t size) = 0;    // 33

    virtual int ReadDeviceMacrosPlain(uint32_t address, uint32_t maxBytes) = 0;  // 34
    virtual int WriteDeviceMacrosPlain(uint32_t address, uint32_t unused) = 0;   // 35
    virtual uint32_t GetDeviceImageSize() = 0;                                   // 36
    virtual int ReadDeviceMacros(uint32_t address, uint32_t maxBytes) = 0;       // 37
    virtual int WriteDeviceMacros(uint32_t address, uint32_t unused) = 0;        // 38
    // The same operation as slot 36, kept in its own slot.
    virtual uint32_t GetDeviceImageSize2() = 0;  // 39

    virtual uint8_t QueryDevice(uint8_t code) = 0;                        // 40
    virtual void SendDeviceCommand(uint8_t code) = 0;                     // 41
    virtual void SendDeviceCommand2(uint8_t code, uint8_t argument) = 0;  // 42
    virtual uint8_t QueryDevice2(uint8_t code, uint8_t argument) = 0;     // 43

    // Device macro list.
    virtual const char* GetDeviceMacroInfo(int index) = 0;  // 44 (20 bytes)
    virtual void ClearDeviceMacros() = 0;                   // 45
    virtual int GetDeviceMacroCount() = 0;                  // 46
    virtual void SetDeviceMacro(int index, MacroHeader header,
                                std::vector<MacroCell> cells) = 0;  // 47
    virtual void DeleteDeviceMacro(int index) = 0;                  // 48
    virtual void DeleteLastDeviceMacro() = 0;                       // 49
    virtual void AddDeviceMacro(DeviceMacro macro) = 0;             // 50

    // Editor macro list.
    virtual int FindMacro(const std::u16string& name, int skipIndex) = 0;        // 51
    virtual EditorMacro GetMacro(int index) = 0;                                 // 52
    virtual void SetEditMacro(EditorMacro* macro) = 0;                           // 53
    virtual void SetMacro(int index, EditorMacro macro) = 0;                     // 54
    virtual int GetMacroCount() = 0;                                             // 55
    virtual std::u16string GetMacroName(int index) = 0;                          // 56
    virtual int FindDeviceMacro(const std::u16string& name, int skipIndex) = 0;  // 57
    virtual const DeviceMacro* GetDeviceMacro(int index) = 0;                    // 58

    // Macro files. When reason is given it receives why a file was refused.
    virtual bool LoadMacroFile(const char16_t* path, std::u16string* reason = nullptr) = 0;  // 59
    virtual bool MergeMacroFile(CLumoWindow* owner, const char16_t* path,
                                std::u16string* reason = nullptr) = 0;                         // 60
    virtual bool ImportMacroText(const char16_t* path, std::u16string* reason = nullptr) = 0;  // 61
    virtual bool SaveMacroFile(const char16_t* path, std::u16string* reason = nullptr) = 0;    // 62
    virtual void AddMacro(EditorMacro macro) = 0;                                              // 63
    virtual void DeleteMacro(int index) = 0;                                                   // 64
    virtual void PutDeviceMacro(const EditorMacro* macro) = 0;                                 // 65

    // Editing the macro set by SetEditMacro together with a list view.
    virtual void EditListInsertEvent(CLumoListView* list, int row, const MacroItem& event,
                                     int flag) = 0;                     // 66
    virtual void EditListDeleteRow(CLumoListView* list, int row) = 0;   // 67
    virtual void EditListRefreshRow(CLumoListView* list, int row) = 0;  // 68
    virtual void EditListInsertMouseAbsolute(CLumoListView* list, int row, const MacroItem& event,
                                             int flag) = 0;  // 69
    virtual void EditListInsertMouseRelative(CLumoListView* list, int row, const MacroItem& event,
                                             int flag) = 0;  // 70

    virtual uint16_t GetUiLanguage() = 0;  // 71

    // Key table.
    virtual int GetKeyScanCode(uint32_t row) = 0;                        // 72
    virtual int FindKeyByScanCode(int scanCode) = 0;                     // 73
    virtual int GetKeyVirtualCode(uint32_t row) = 0;                     // 74
    virtual int FindKeyByVirtualCode(int virtualKey) = 0;                // 75
    virtual std::u16string GetKeyName(uint32_t row) = 0;                 // 76
    virtual int FindKeyByUsage(int usage) = 0;                           // 77
    virtual std::u16string GetKeyNameByVirtualCode(int virtualKey) = 0;  // 78
    // pair[0] receives the virtual-key code, pair[1] the scan code; returns pair.
    virtual uint8_t* UsageToKeyCodes(uint8_t* pair, int usage) = 0;  // 79
    virtual int FindKeyByCode(uint16_t keyCode) = 0;                 // 80
    virtual int KeyToUsage(uint16_t keyCode) = 0;                    // 81
    virtual std::u16string UsageToShortName(uint32_t usage) = 0;     // 82
    virtual int GetKeyCount() = 0;                                   // 83

    // Text form of macro items.
    virtual std::u16string GetKeyActionName(uint32_t action) = 0;       // 84
    virtual std::u16string GetButtonActionName(uint32_t action) = 0;    // 85
    virtual std::u16string FormatMacroItem(const MacroItem& item) = 0;  // 86

    // Macro settings.
    virtual void SetSettingsKey(const char16_t* keyPath) = 0;  // 87
    virtual uint32_t GetGameWidth() = 0;                       // 88
    virtual uint32_t GetGameHeight() = 0;                      // 89
    virtual uint32_t GetPositionCaptureKey() = 0;              // 90
    virtual uint32_t GetRecordKey() = 0;                       // 91
    virtual uint32_t GetRecordOption0() = 0;                   // 92
    virtual uint32_t GetRecordOption1() = 0;                   // 93
    virtual uint32_t GetRecordOption2() = 0;                   // 94
    virtual uint32_t GetRecordOption3() = 0;                   // 95
    virtual uint32_t GetRecordOption4() = 0;                   // 96
    virtual uint32_t GetRecordOption7() = 0;                   // 97
    virtual uint32_t GetRecordOption8() = 0;                   // 98
    virtual uint32_t GetRecordMouseDistance() = 0;             // 99
    virtual uint32_t GetRecordEventInterval() = 0;             // 100
    virtual uint32_t GetDefaultDelay() = 0;                    // 101
    virtual void LoadSettings() = 0;                           // 102
    virtual void SetGameWidth(uint32_t value) = 0;             // 103
    virtual void SetGameHeight(uint32_t value) = 0;            // 104
    virtual void SetPositionCaptureKey(uint32_t value) = 0;    // 105
    virtual void SetRecordKey(uint32_t value) = 0;             // 106
    virtual void SetRecordOption0(uint32_t flag) = 0;          // 107
    virtual void SetRecordOption1(uint32_t flag) = 0;          // 108
    virtual void SetRecordOption2(uint32_t flag) = 0;          // 109
    virtual void SetRecordOption3(uint32_t flag) = 0;          // 110
    virtual void SetRecordOption4(uint32_t flag) = 0;          // 111
    virtual void SetRecordOption7(uint32_t flag) = 0;          // 112
    virtual void SetRecordOption8(uint32_t flag) = 0;          // 113
    virtual void SetRecordMouseDistance(uint32_t value) = 0;   // 114
    virtual void SetRecordEventInterval(uint32_t value) = 0;   // 115
    virtual void SetDefaultDelay(uint32_t value) = 0;          // 116
    virtual void SaveSettings() = 0;                           // 117

    // Settings blocks of the data area.
    virtual void ReadSettingsBlock(uint32_t index, uint8_t* buffer) = 0;         // 118
    virtual void WriteSettingsBlock(uint32_t index, const uint8_t* buffer) = 0;  // 119
    virtual uint32_t QueryDeviceState() = 0;                                     // 120
};

// ---------------------------------------------------------------------------------------------
// Exports

// Creates the library object. Returns 1 and stores the object, or 0 and a null object; *error
// receives the system's last error code after construction.
VARNEL_API int VARNEL_STDCALL CreateLumoApi(CLumoApi** api, long* error);
// Destroys an object made by CreateLumoApi; null is allowed.
VARNEL_API void VARNEL_STDCALL DestroyLumoApi(CLumoApi* api);
// Installs the platform host; null restores the library's default host (messages to stderr,
// questions answered No). The host must outlive its installation.
VARNEL_API void VARNEL_STDCALL SetLumoHost(CLumoHost* host);
// Chooses the HID transport for every later exchange: "hidapi", or "socket:PATH" for the keypad
// simulator. Returns 0 for a spec it does not know, leaving the transport as it was. Without a
// call the transport named by the environment variable VARNEL_HID is used, else hidapi.
VARNEL_API int VARNEL_STDCALL SelectLumoTransport(const char* spec);
