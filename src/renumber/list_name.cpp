#include "renumber/list_name.h"

#include "model/designator.h"

namespace varnel::renumber {

ListName::ListName(std::string text) : name(std::move(text)) {
  hasNumber = !model::designator::numberPart(name).empty();
  number = model::designator::wholeNumber(name);
}

}  // namespace varnel::renumber
