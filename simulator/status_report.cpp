#include "status_report.h"

#include <cstdio>

#include "boot_data_block.h"
#include "crc32.h"
#include "firmware_marker.h"
#include "macro_area.h"
#include "text_printf.h"

namespace varnel::sim {

namespace {

struct AreaSummary {
    int number;
    const char* name;
    size_t size;
    size_t programmed;
    uint32_t crc;
};

std::vector<AreaSummary> SummarizeAreas(const PersistentState& state) {
    const std::pair<const char*, const FlashArea*> areas[] = {
        {"boot-loader flash", &state.bootLoaderFlash},
        {"application flash", &state.applicationFlash},
        {"data", &state.dataArea},
    };
    std::vector<AreaSummary> summaries;
    int number = 1;
    for (const auto& [name, area] : areas) {
        summaries.push_back(
            {number++, name, area->Size(), area->ProgrammedByteCount(), Crc32(area->Bytes())});
    }
    return summaries;
}

std::string IdentityText(UsbIdentity identity) {
    return Printf("%04X:%04X", identity.vendorId, identity.productId);
}

const char* YesNo(bool value) {
    return value ? "yes" : "no";
}
const char* TrueFalse(bool value) {
    return value ? "true" : "false";
}

std::string MacroAreaText(const MacroAreaSummary& area) {
    if (!area.hasMagic) return "macro area: no macros (no magic)\n";
    std::string text = Printf("macro area: %u macros, %u of %u bytes\n", area.count, area.usedBytes,
                              kMacroAreaSize);
    int number = 1;
    for (const StoredMacro& macro : area.macros) {
        text += Printf("  macro %d: \"%s\", %u cells, repeat %d\n", number++,
                       PrintableName(macro.name).c_str(), macro.cellCount, macro.repeat);
    }
    return text;
}

std::string MacroAreaJson(const MacroAreaSummary& area) {
    std::string json =
        Printf("\"macroArea\":{\"magic\":%s,\"count\":%u,\"usedBytes\":%u,\"macros\":[",
               TrueFalse(area.hasMagic), area.count, area.usedBytes);
    for (size_t i = 0; i < area.macros.size(); ++i) {
        const StoredMacro& macro = area.macros[i];
        json += Printf("%s{\"name\":\"%s\",\"cells\":%u,\"repeat\":%d}", i ? "," : "",
                       JsonName(macro.name).c_str(), macro.cellCount, macro.repeat);
    }
    return json + "]}";
}

// What the application flash holds: nothing, an image with its version marker, or an image
// without one.
std::string ApplicationText(const FlashArea& flash) {
    if (flash.ProgrammedByteCount() == 0) return "application image: none (erased)\n";
    const auto marker = FindFirmwareMarker(flash.Bytes());
    if (!marker) return "application image: no version marker\n";
    return Printf("application image: version %s (%u.%u.%u)\n",
                  DisplayFirmwareVersion(*marker).c_str(), marker->major, marker->minor,
                  marker->patch);
}

std::string ApplicationJson(const FlashArea& flash) {
    const auto marker = FindFirmwareMarker(flash.Bytes());
    std::string json = Printf("\"applicationImage\":{\"erased\":%s,\"marker\":",
                              TrueFalse(flash.ProgrammedByteCount() == 0));
    if (!marker) return json + "null}";
    return json + Printf("{\"firmware\":\"%s\",\"firmwareBytes\":[%u,%u,%u]}}",
                         DisplayFirmwareVersion(*marker).c_str(), marker->major, marker->minor,
                         marker->patch);
}

// Where the boot loader's data block carries the keypad's application identity.
const char* BootDataIdentityName(const DeviceModel& model) {
    return BootDataLayoutName(
        FindBootDataIdentity(model.State().dataArea, model.ApplicationIdentity()));
}

}  // namespace

std::string FormatStatusText(const SimulatorStatus& status) {
    const DeviceModel& model = *status.model;
    const PersistentState& state = model.State();
    std::string faults;
    for (const std::string& fault : status.faults) faults += (faults.empty() ? "" : " ") + fault;
    std::string text;
    text += Printf("mode: %s\n", ModeName(model.Mode()));
    text += "identity: " + IdentityText(model.Identity()) + "\n";
    text += Printf("plugged: %s\npresent: %s\n", YesNo(status.plugged), YesNo(status.present));
    text += Printf("firmware: %s (%u.%u.%u)\n", DisplayFirmwareVersion(state.firmware).c_str(),
                   state.firmware.major, state.firmware.minor, state.firmware.patch);
    text += ApplicationText(state.applicationFlash);
    text += Printf("boot data identity: %s\n", BootDataIdentityName(model));
    text += Printf("step: %u (raw %u)\n", state.step + 1u, state.step);
    text += Printf("configuration notices: %llu\n",
                   static_cast<unsigned long long>(model.ConfigurationNoticeCount()));
    text += Printf("state word: 0x%08X\n", model.StateWord());
    text += Printf("timing: %s\n", TimingModelName(status.timing));
    text += "faults: " + (faults.empty() ? std::string("none") : faults) + "\n";
    for (const AreaSummary& area : SummarizeAreas(state)) {
        text += Printf("area %d %s: size %zu, not 0xFF %zu, crc32 %08X\n", area.number, area.name,
                       area.size, area.programmed, area.crc);
    }
    return text + MacroAreaText(SummarizeMacroArea(state.dataArea));
}

std::string FormatStatusJson(const SimulatorStatus& status) {
    const DeviceModel& model = *status.model;
    const PersistentState& state = model.State();
    const UsbIdentity identity = model.Identity();
    std::string json = "{";
    json += Printf("\"mode\":\"%s\",", ModeName(model.Mode()));
    json += Printf("\"vendorId\":%u,\"productId\":%u,", identity.vendorId, identity.productId);
    json += "\"identity\":\"" + IdentityText(identity) + "\",";
    json += Printf("\"plugged\":%s,\"present\":%s,", TrueFalse(status.plugged),
                   TrueFalse(status.present));
    json += Printf("\"firmware\":\"%s\",\"firmwareBytes\":[%u,%u,%u],",
                   DisplayFirmwareVersion(state.firmware).c_str(), state.firmware.major,
                   state.firmware.minor, state.firmware.patch);
    json += ApplicationJson(state.applicationFlash) + ",";
    json += Printf("\"bootDataIdentity\":\"%s\",", BootDataIdentityName(model));
    json += Printf("\"step\":%u,\"stepRaw\":%u,", state.step + 1u, state.step);
    json += Printf("\"configurationNotices\":%llu,",
                   static_cast<unsigned long long>(model.ConfigurationNoticeCount()));
    json += Printf("\"stateWord\":%u,", model.StateWord());
    json += Printf("\"timing\":\"%s\",", TimingModelName(status.timing));
    json += "\"faults\":[";
    for (size_t i = 0; i < status.faults.size(); ++i) {
        // Fault rules are made of letters, digits, '-' and ':', so they need no escaping.
        json += (i ? ",\"" : "\"") + status.faults[i] + "\"";
    }
    json += "],\"areas\":[";
    bool first = true;
    for (const AreaSummary& area : SummarizeAreas(state)) {
        json += Printf(
            "%s{\"area\":%d,\"name\":\"%s\",\"size\":%zu,\"notErased\":%zu,"
            "\"crc32\":\"%08X\"}",
            first ? "" : ",", area.number, area.name, area.size, area.programmed, area.crc);
        first = false;
    }
    return json + "]," + MacroAreaJson(SummarizeMacroArea(state.dataArea)) + "}\n";
}

}  // namespace varnel::sim
