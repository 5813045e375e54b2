#pragma once
// A change log as the bytes of an ECO file.
#include <string>

#include "eco/ansi_encoding.h"
#include "eco/change_log.h"

namespace varnel::eco {

// A name as the ECO file holds it; error 1002 when the file cannot carry it
// (empty, a blank or control character, no place in the code page).
std::string encodedForEco(const std::string& name, AnsiEncoder& encoder);

// The whole file; every name is checked and encoded before anything else.
std::string ecoFileBytes(const ChangeLog& log, AnsiEncoder& encoder);

}  // namespace varnel::eco
