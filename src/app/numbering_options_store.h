#pragma once
// Where the Numbering options window's choices are kept between sessions
// (the registry, on Windows). What cannot be read is at its default; the
// texts are parsed again when read, so a value edited by hand that no
// longer parses is at its default too.
#include "renumber/numbering_rules_text.h"

namespace varnel::app {

class NumberingOptionsStore {
 public:
  virtual ~NumberingOptionsStore() = default;
  virtual renumber::RulesTexts load() = 0;
  virtual void save(const renumber::RulesTexts& texts) = 0;
};

}  // namespace varnel::app
