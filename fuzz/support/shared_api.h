// The one library object a fuzz target's runs share, made through the exported constructor.
#pragma once

#include "varnel/LumoApi.h"

namespace varnel::fuzz {

CLumoApi& SharedApi();

}  // namespace varnel::fuzz
