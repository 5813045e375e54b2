#include "plain_keep_right.h"

#include <algorithm>

#include "fixtures.h"
#include "model/designator.h"

namespace varnel::tests {

namespace {

class PlainKeepingRight {
 public:
  PlainKeepingRight(standin::MemoryHost& host, std::vector<std::string> finals)
      : document_(host.ActiveDocument()), finals_(std::move(finals)) {
    list_ = document_->Scopes()->Count() > 1 ? document_->Components()
                                             : document_->CurrentScope()->Components();
    for (base::Int16 q = 1; q <= list_->Count(); q = base::add16(q, 1))
      base_ = std::max(base_, model::designator::wholeNumber(name(q)));
    for (const std::string& final : finals_)
      base_ = std::max(base_, model::designator::wholeNumber(final));
  }

  PlainOutcome run() {
    const base::Int16 n = base::toInt16(list_->Count());
    for (base::Int16 p = 1; p <= n; p = base::add16(p, 1)) {
      if (name(p) == finals_[p - 1] || inUse(finals_[p - 1])) continue;
      const std::string left = name(p);
      rename(p, finals_[p - 1]);
      follow(left, p - 1);
    }
    for (base::Int16 q = 1; q <= n; q = base::add16(q, 1)) {
      if (name(q) == finals_[q - 1]) continue;
      const std::string left = name(q);
      rename(q, temporary(q));
      follow(left, n);
    }
    return outcome_;
  }

 private:
  std::string name(base::Int16 q) { return list_->Item(q)->Name(); }
  bool inUse(const std::string& designator) { return !list_->Item(designator).empty(); }
  void rename(base::Int16 q, const std::string& to) {
    outcome_.oldNames.push_back(name(q));
    list_->Item(q)->setName(to);
    outcome_.newNames.push_back(name(q));
  }
  // Whoever among the first upTo waits for the name freed takes it.
  void follow(std::string freed, base::Int16 upTo) {
    for (bool moved = true; moved && !inUse(freed);) {
      moved = false;
      for (base::Int16 q = 1; q <= upTo && !moved; q = base::add16(q, 1)) {
        if (name(q) == finals_[q - 1] || finals_[q - 1] != freed) continue;
        freed = name(q);
        rename(q, finals_[q - 1]);
        moved = true;
      }
    }
  }
  std::string temporary(base::Int16 q) {
    base::Int16 number = base::add16(base_, 1);
    while (inUse(model::designator::withNumber(name(q), number))) number = base::add16(number, 1);
    return model::designator::withNumber(name(q), number);
  }

  host::Ref<host::Document> document_;
  host::Ref<host::ComponentList> list_;
  std::vector<std::string> finals_;
  base::Int16 base_ = 0;
  PlainOutcome outcome_;
};

}  // namespace

PlainOutcome plainKeepingRight(standin::MemoryHost& host, const renumber::RunSettings& settings) {
  renumber::RunSettings full = settings;
  full.rules.keepRight = false;
  standin::MemoryHost copy(host.design());
  PlainOutcome outcome = plainRenumbering(copy, full);
  PlainOutcome kept = PlainKeepingRight(host, designators(copy.design())).run();
  kept.ignored = outcome.ignored;
  return kept;
}

}  // namespace varnel::tests
