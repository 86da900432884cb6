// The program's data folder: "Varnel" in the user's documents folder, with "MACRO" beside the
// profiles for macro files. The documents folder is passed in, so that tests and varnelctl
// options can put everything somewhere else.
#pragma once

#include <filesystem>

namespace varnel::program {

// $XDG_DOCUMENTS_DIR when set, else the documents folder Qt knows for the user (on Linux the
// user-dirs entry, else ~/Documents).
std::filesystem::path UserDocumentsFolder();

std::filesystem::path DataFolder(const std::filesystem::path& documents);   // documents/Varnel
std::filesystem::path MacroFolder(const std::filesystem::path& documents);  // .../Varnel/MACRO

// Creates the data folder and its MACRO folder; folders that exist already are fine. False when
// either is still missing afterwards.
bool CreateDataFolders(const std::filesystem::path& documents);

}  // namespace varnel::program
