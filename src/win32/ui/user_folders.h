#pragma once
// Folders of the user's profile that Varnel keeps files in.
#include <string>

namespace varnel::win {

// %LOCALAPPDATA%\Varnel\Journal (UTF-8); the temporary folder's Varnel\Journal
// when the profile has no local application data.
std::string journalFolder();

// The user's Documents folder (UTF-8), or an empty text when the profile
// has none.
std::string documentsFolder();

}  // namespace varnel::win
