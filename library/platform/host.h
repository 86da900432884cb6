// Access to the platform host the library asks for message boxes, raw input, the user's language,
// the screen size and the ANSI code page.
#pragma once

#include <string>

#include "text_encoding.h"
#include "varnel/LumoApi.h"

namespace varnel {

// The installed host, or the default one.
CLumoHost& Host();
void InstallHost(CLumoHost* host);

// The library's default host: messages go to stderr and every question is answered No.
CLumoHost& DefaultHost();

// A message box of the library: through the owner window when one is given, else the host.
int ShowLibraryMessage(const std::u16string& text, uint32_t type = kLumoMbOk,
                       CLumoWindow* owner = nullptr);

}  // namespace varnel
