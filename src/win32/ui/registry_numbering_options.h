#pragma once
// The Numbering options under HKEY_CURRENT_USER\Software\Varnel: KeepRight
// (a number, 0 or 1), LockedDesignators, OnlyPrefixes and StartPerPrefix
// (texts as typed in the window), and PlacementOrder, PlacementAcross,
// PlacementDown (words as on the command line) and PlacementGrid.
#include "app/numbering_options_store.h"
#include "win32/base/user_registry_key.h"

namespace varnel::win {

class RegistryNumberingOptions final : public app::NumberingOptionsStore {
 public:
  explicit RegistryNumberingOptions(UserRegistryKey key = UserRegistryKey())
      : key_(std::move(key)) {}
  renumber::RulesTexts load() override;
  void save(const renumber::RulesTexts& texts) override;

 private:
  UserRegistryKey key_;
};

}  // namespace varnel::win
