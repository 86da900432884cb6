// The JITBIT macro recorder's own names of keys. The recorder writes a key by its .NET
// System.Windows.Forms.Keys name ("D1", "Return", "LShiftKey", "OemMinus", ...), and many of
// those are not short names of the key table; this table links each to a key table row.
#pragma once

#include <string_view>

namespace varnel {

// The key table row (the import variant's numbering) the recorder's name stands for, or -1.
// Names are compared exactly, letter case included, as the key table's short names are.
int FindRecorderKeyRow(std::u16string_view name);

}  // namespace varnel
