#include "win32/ui/registry_numbering_options.h"

#include "base/error.h"
#include "win32/base/text.h"

namespace varnel::win {

namespace {

constexpr wchar_t kKeepRight[] = L"KeepRight";
constexpr wchar_t kLocked[] = L"LockedDesignators";
constexpr wchar_t kOnly[] = L"OnlyPrefixes";
constexpr wchar_t kStartFor[] = L"StartPerPrefix";

}  // namespace

rules::RulesTexts RegistryNumberingOptions::load() {
  rules::RulesTexts texts;
  texts.keepRight = key_.number(kKeepRight).value_or(0) != 0;
  texts.locked = narrow(key_.text(kLocked).value_or(L""));
  texts.only = narrow(key_.text(kOnly).value_or(L""));
  texts.startFor = narrow(key_.text(kStartFor).value_or(L""));
  try {
    rules::parseRules(texts);
  } catch (const Error&) {
    return {};
  }
  return texts;
}

void RegistryNumberingOptions::save(const rules::RulesTexts& texts) {
  key_.setNumber(kKeepRight, texts.keepRight ? 1 : 0);
  key_.setText(kLocked, widen(texts.locked));
  key_.setText(kOnly, widen(texts.only));
  key_.setText(kStartFor, widen(texts.startFor));
}

}  // namespace varnel::win
