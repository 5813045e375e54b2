#pragma once
// The design file: UTF-8 text, one item a line; blank lines and lines that
// start with '#' are ignored.
//   design NAME          first other line; NAME is the rest, trimmed
//   scopes N             optional, right after it (default 1)
//   DESIGNATOR X Y [selected]   one component a line, in list order;
//                        "" is the empty designator
#include <stdexcept>
#include <string>
#include <string_view>

#include "standin/design.h"

namespace varnel::standin {

// A file that could not be read or parsed; what() names the file, the line
// and what was expected ("board.design:7: expected X coordinate, got 'x'").
class DesignFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The file is not there, or may not be read.
class DesignFileMissing : public DesignFileError {
 public:
  using DesignFileError::DesignFileError;
};

// Parses the whole text or throws DesignFileError; never half-loads.
DesignData parseDesign(std::string_view text, const std::string& fileName);

// The same form back; numbers in the shortest text that reads back exactly.
std::string formatDesign(const DesignData& design);

// Throws DesignFileMissing when the file cannot be opened.
DesignData loadDesignFile(const std::string& path);
// Throws DesignFileError when the file cannot be written.
void saveDesignFile(const DesignData& design, const std::string& path);

// Shortest decimal text that reads back to the same double.
std::string shortestNumberText(double value);

}  // namespace varnel::standin
