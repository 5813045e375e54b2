#include "app/numbering_options_editor.h"

#include "base/error.h"

namespace varnel::app {

NumberingOptionsEditor::NumberingOptionsEditor(MainWindowView& view, NumberingOptionsStore& store)
    : view_(view), store_(store), kept_(store.load()), rules_(renumber::parseRules(kept_)) {}

bool NumberingOptionsEditor::edit() {
  const auto chosen = view_.askNumberingOptions(
      renumber::textsOf(rules_, kept_),
      [](const renumber::RulesTexts& texts) -> std::optional<renumber::FieldRefusal> {
        try {
          renumber::parseRules(texts);
          return std::nullopt;
        } catch (const renumber::FieldRefusal& refusal) {
          return refusal;
        }
      });
  if (!chosen) return false;
  kept_ = *chosen;
  rules_ = renumber::parseRules(*chosen);
  // The board's file stays chosen while the sheet is numbered by.
  store_.save(renumber::textsOf(rules_, *chosen));
  return true;
}

}  // namespace varnel::app
