#pragma once
// Every error number Varnel raises or looks for, in one place: the classic
// run-time error numbers the system's messages have always shown, the
// host's HRESULTs, and Varnel's own refusals from 1001.
#include <cstdint>

namespace varnel::base::errors {

// Classic run-time errors.
inline constexpr std::int64_t kOverflow = 6;
inline constexpr std::int64_t kSubscriptOutOfRange = 9;
inline constexpr std::int64_t kTypeMismatch = 13;
inline constexpr std::int64_t kFileNotFound = 53;
inline constexpr std::int64_t kPermissionDenied = 70;
inline constexpr std::int64_t kPathFileAccess = 75;
inline constexpr std::int64_t kPathNotFound = 76;
inline constexpr std::int64_t kObjectNotSet = 91;
inline constexpr std::int64_t kCannotCreateObject = 429;

// The host's: no design loaded (or no component in it), and its refusals
// of a rename.
inline constexpr std::int64_t kNoDesign = 0x80040202;
inline constexpr std::int64_t kDesignatorInUse = 0x80040203;
inline constexpr std::int64_t kIllegalDesignator = 0x80040204;

// Varnel's own.
inline constexpr std::int64_t kHostRenamedOtherwise = 1001;  // the host gave another name
inline constexpr std::int64_t kEcoCannotCarry = 1002;        // a name no ECO file can hold
inline constexpr std::int64_t kNoPrefix = 1003;              // a designator without letters
inline constexpr std::int64_t kNotAJournal = 1004;           // a journal line not understood
inline constexpr std::int64_t kDesignChanged = 1005;         // an undo of a changed design
inline constexpr std::int64_t kSharedDesignator = 1006;      // one designator, several parts
inline constexpr std::int64_t kNumberingRule = 1007;         // a numbering option not understood
inline constexpr std::int64_t kRecoveryUnfit = 1008;         // a choice that does not fit the run
inline constexpr std::int64_t kStopped = 1009;               // the user stopped the work
inline constexpr std::int64_t kPlacementFile = 1010;         // a placement file not understood

}  // namespace varnel::base::errors
