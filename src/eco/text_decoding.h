#pragma once
// Text files as the layout tools write them, read as UTF-8 lines.
#include <string>
#include <string_view>
#include <vector>

namespace varnel::eco {

// The bytes of a text file as UTF-8: UTF-8 with or without its byte order
// mark, UTF-16 little- or big-endian with theirs; any other bytes are
// Windows-1252, the code page such exporters write by default.
std::string decodeText(std::string_view bytes);

// The lines of text, whichever way they end (LF, CR LF or CR); a line end at
// the very end starts no further line.
std::vector<std::string_view> splitLines(std::string_view text);

}  // namespace varnel::eco
