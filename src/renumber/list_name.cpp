#include "renumber/list_name.h"

#include "model/designator.h"

namespace varnel::renumber {

ListName::ListName(std::string text) : name(std::move(text)) {
  hasNumber = !designator::numberPart(name).empty();
  number = designator::wholeNumber(name);
}

}  // namespace varnel::renumber
