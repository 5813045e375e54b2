#include "win32/ui/registry_numbering_options.h"

#include "base/error.h"
#include "win32/base/text.h"

namespace varnel::win {

namespace {

constexpr wchar_t kKeepRight[] = L"KeepRight";
constexpr wchar_t kLocked[] = L"LockedDesignators";
constexpr wchar_t kOnly[] = L"OnlyPrefixes";
constexpr wchar_t kStartFor[] = L"StartPerPrefix";
constexpr wchar_t kOrder[] = L"PlacementOrder";
constexpr wchar_t kAcross[] = L"PlacementAcross";
constexpr wchar_t kDown[] = L"PlacementDown";
constexpr wchar_t kGrid[] = L"PlacementGrid";
constexpr wchar_t kNumberBy[] = L"NumberBy";  // "sheet" or "board"
constexpr wchar_t kBoardFile[] = L"PlacementFile";
constexpr wchar_t kBottomFile[] = L"BottomPlacementFile";
constexpr wchar_t kSides[] = L"BoardSides";
constexpr wchar_t kBottomStart[] = L"BottomStart";
constexpr wchar_t kBottomView[] = L"BottomView";
constexpr wchar_t kBoardGrid[] = L"BoardGrid";

// A text value, or what the window holds by default when there is none.
std::string textOr(const UserRegistryKey& key, const wchar_t* name, const std::string& fallback) {
  const auto text = key.text(name);
  return text ? narrow(*text) : fallback;
}

}  // namespace

renumber::RulesTexts RegistryNumberingOptions::load() {
  renumber::RulesTexts texts;
  texts.keepRight = key_.number(kKeepRight).value_or(0) != 0;
  texts.locked = narrow(key_.text(kLocked).value_or(L""));
  texts.only = narrow(key_.text(kOnly).value_or(L""));
  texts.startFor = narrow(key_.text(kStartFor).value_or(L""));
  texts.order = textOr(key_, kOrder, texts.order);
  texts.across = textOr(key_, kAcross, texts.across);
  texts.down = textOr(key_, kDown, texts.down);
  texts.grid = textOr(key_, kGrid, texts.grid);
  texts.byBoard = textOr(key_, kNumberBy, "sheet") == "board";
  texts.boardFile = textOr(key_, kBoardFile, "");
  texts.bottomFile = textOr(key_, kBottomFile, "");
  texts.sides = textOr(key_, kSides, texts.sides);
  texts.bottomStart = textOr(key_, kBottomStart, "");
  texts.bottomView = textOr(key_, kBottomView, texts.bottomView);
  texts.boardGrid = textOr(key_, kBoardGrid, texts.boardGrid);
  try {
    renumber::parseRules(texts);
  } catch (const base::Error&) {
    return {};
  }
  return texts;
}

void RegistryNumberingOptions::save(const renumber::RulesTexts& texts) {
  key_.setNumber(kKeepRight, texts.keepRight ? 1 : 0);
  key_.setText(kLocked, widen(texts.locked));
  key_.setText(kOnly, widen(texts.only));
  key_.setText(kStartFor, widen(texts.startFor));
  key_.setText(kOrder, widen(texts.order));
  key_.setText(kAcross, widen(texts.across));
  key_.setText(kDown, widen(texts.down));
  key_.setText(kGrid, widen(texts.grid));
  key_.setText(kNumberBy, texts.byBoard ? L"board" : L"sheet");
  key_.setText(kBoardFile, widen(texts.boardFile));
  key_.setText(kBottomFile, widen(texts.bottomFile));
  key_.setText(kSides, widen(texts.sides));
  key_.setText(kBottomStart, widen(texts.bottomStart));
  key_.setText(kBottomView, widen(texts.bottomView));
  key_.setText(kBoardGrid, widen(texts.boardGrid));
}

}  // namespace varnel::win
