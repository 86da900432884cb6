// The key map's three transfers between the program and the keypad: the read, the direct write
// (a whole profile applied, under a device lock the caller holds) and the full write (every other
// change: the header goes last, so an interrupted write leaves a map without signature that the
// next read reports invalid). Each goes through the library's generic exchanges.
#pragma once

#include "device_lock.h"
#include "keymap_image.h"
#include "varnel/LumoApi.h"

namespace varnel::program {

struct KeyMapRead {
    bool bootLoader = false;  // the keypad runs its boot loader: nothing was read
    bool present = false;     // the application answered the presence test
    bool valid = false;
    KeyMapImage image{};  // zeros where no reply came
};

KeyMapRead ReadKeyMap(CLumoApi& api, DeviceLock& lock);

// Both copy the edited image, signed, over the device image. True when every request succeeded.
bool WriteKeyMapDirect(CLumoApi& api, KeyMapImage& edited, KeyMapImage& device);
bool WriteKeyMapFull(CLumoApi& api, DeviceLock& lock, KeyMapImage& edited, KeyMapImage& device);

}  // namespace varnel::program
