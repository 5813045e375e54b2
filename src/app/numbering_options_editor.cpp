#include "app/numbering_options_editor.h"

#include "base/error.h"

namespace varnel::app {

NumberingOptionsEditor::NumberingOptionsEditor(MainWindowView& view, NumberingOptionsStore& store)
    : view_(view), store_(store), rules_(rules::parseRules(store.load())) {}

bool NumberingOptionsEditor::edit() {
  const auto chosen = view_.askNumberingOptions(
      rules::textsOf(rules_),
      [](const rules::RulesTexts& texts) -> std::optional<rules::FieldRefusal> {
        try {
          rules::parseRules(texts);
          return std::nullopt;
        } catch (const rules::FieldRefusal& refusal) {
          return refusal;
        }
      });
  if (!chosen) return false;
  rules_ = rules::parseRules(*chosen);
  store_.save(rules::textsOf(rules_));
  return true;
}

}  // namespace varnel::app
