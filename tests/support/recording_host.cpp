#include "recording_host.h"

#include "host.h"

namespace varnel::testing {

RecordingHost::RecordingHost() {
    SetLumoHost(this);
}
RecordingHost::~RecordingHost() {
    SetLumoHost(nullptr);
}

int RecordingHost::ShowMessageBox(const std::u16string& text, const std::u16string&, uint32_t) {
    messages.push_back(Utf16ToUtf8(text));
    return answer;
}

int RecordingHost::RegisterRawInputDevices(const LumoRawInputDevice* devices, uint32_t count) {
    if (rawInputError != 0) return rawInputError;
    registrations.insert(registrations.end(), devices, devices + count);
    return 0;
}

}  // namespace varnel::testing
