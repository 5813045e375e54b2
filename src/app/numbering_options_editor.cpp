#include "app/numbering_options_editor.h"

#include "base/error.h"

namespace varnel::app {

NumberingOptionsEditor::NumberingOptionsEditor(MainWindowView& view, NumberingOptionsStore& store)
    : view_(view), store_(store), rules_(renumber::parseRules(store.load())) {}

bool NumberingOptionsEditor::edit() {
  const auto chosen = view_.askNumberingOptions(
      renumber::textsOf(rules_),
      [](const renumber::RulesTexts& texts) -> std::optional<renumber::FieldRefusal> {
        try {
          renumber::parseRules(texts);
          return std::nullopt;
        } catch (const renumber::FieldRefusal& refusal) {
          return refusal;
        }
      });
  if (!chosen) return false;
  rules_ = renumber::parseRules(*chosen);
  store_.save(renumber::textsOf(rules_));
  return true;
}

}  // namespace varnel::app
