// Profile files: one key map image per file, "NAME.VPD" in the profile folder. A file is 2313
// bytes, the 497-byte image first and zeros after it; readers take the image only.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "keymap_image.h"

namespace varnel::program {

inline constexpr size_t kProfileFileSize = 2313;
inline constexpr char16_t kProfileExtension[] = u".VPD";

// The names of the profile files in the folder, in the order the folder gives them (not sorted).
// The extension is matched without regard to case, so that files copied from Windows as
// "name.vpd" are found; folders are skipped, and so are files whose name could not be used
// as a profile name.
std::vector<std::u16string> ListProfiles(const std::filesystem::path& folder);

// The file of profile `name`: an existing "name.VPD" in any letter case of the extension, else
// "name.VPD". Empty for a name that IsUsableProfileName refuses.
std::filesystem::path ProfileFile(const std::filesystem::path& folder, const std::u16string& name);

bool ProfileFileExists(const std::filesystem::path& file);

// Reads up to 497 bytes into the start of `image`; a shorter file leaves the rest as it was.
// False when the file cannot be opened (a folder cannot).
bool ReadProfile(const std::filesystem::path& file, KeyMapImage& image);

// Writes the image with its signature and zeros up to 2313 bytes, beside the file first and
// then in its place, so that a failed write leaves the old file whole. False on any failure.
bool WriteProfile(const std::filesystem::path& file, const KeyMapImage& image);

}  // namespace varnel::program
