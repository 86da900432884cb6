// Profile names. A profile's name is its file name without ".VPD", so a name must stay a plain
// file name inside the profile folder; new and copied profiles get numbered names.
#pragma once

#include <string>
#include <vector>

namespace varnel::program {

// False for an empty name, a name with a path separator (/ or \) or a control character, and a
// name that begins with "..": none of them may become a file name in the profile folder.
bool IsUsableProfileName(const std::u16string& name);

// The first "Profile%d" (counting from 0) that no name begins with, compared without regard to
// case: with Profile0 and Profile10 listed, Profile1 is taken (Profile10 begins with it) and
// Profile2 is the answer.
std::u16string NewProfileName(const std::vector<std::u16string>& names);

// The first "%s_Copy%d" of `source` (counting from 0) that no name equals exactly.
std::u16string CopyProfileName(const std::vector<std::u16string>& names,
                               const std::u16string& source);

}  // namespace varnel::program
