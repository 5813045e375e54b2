#include "renumber/placement_order.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <unordered_map>

namespace varnel::order {

std::string coordinateText(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

double wholeValue(const std::string& text) {
  return std::nearbyint(std::strtod(text.c_str(), nullptr));
}

PlacementKey keyOf(const std::string& textX, const std::string& textY) {
  return {wholeValue(textX), textX, wholeValue(textY)};
}

bool mustComeBefore(const PlacementKey& b, const PlacementKey& a) {
  return b.wholeX < a.wholeX || (b.textX == a.textX && b.wholeY > a.wholeY);
}

namespace {

// The rows still unplaced, grouped so that the rows nothing precedes are
// known at once: those of the smallest whole X whose whole Y is the largest
// among the rows with the same X text. A row that is such stays such until it
// is placed, since placing rows only raises the smallest X and lowers the
// largest Y of a text.
class Remaining {
 public:
  explicit Remaining(const std::vector<PlacementKey>& run) {
    for (int i = 0; i < static_cast<int>(run.size()); ++i) {
      auto [it, added] = classOf_.try_emplace(run[i].textX, static_cast<int>(classes_.size()));
      if (added) classes_.push_back({run[i].wholeX, {}});
      classes_[it->second].rowsByY[run[i].wholeY].push_back(i);
      if (added) classesByX_[run[i].wholeX].push_back(it->second);
      ++rowsAtX_[run[i].wholeX];
      rowClass_.push_back(it->second);
      rowY_.push_back(run[i].wholeY);
    }
    if (!classesByX_.empty())
      for (int c : classesByX_.begin()->second) addTopRows(c);
  }

  // The first free row at or after cursor, going round.
  int firstFreeFrom(int cursor) const {
    auto it = free_.lower_bound(cursor);
    return it != free_.end() ? *it : *free_.begin();
  }

  void place(int row) {
    free_.erase(row);
    Class& c = classes_[rowClass_[row]];
    auto top = c.rowsByY.find(rowY_[row]);
    if (--top->second.remaining == 0) {
      c.rowsByY.erase(top);
      if (!c.rowsByY.empty()) addTopRows(rowClass_[row]);
    }
    auto atX = rowsAtX_.find(c.wholeX);
    if (--atX->second == 0) {
      rowsAtX_.erase(atX);
      classesByX_.erase(classesByX_.begin());
      if (!classesByX_.empty())
        for (int next : classesByX_.begin()->second) addTopRows(next);
    }
  }

 private:
  struct Rows {
    std::vector<int> rows;
    int remaining = 0;
    void push_back(int row) {
      rows.push_back(row);
      ++remaining;
    }
  };
  struct Class {
    double wholeX;
    std::map<double, Rows, std::greater<>> rowsByY;
  };

  void addTopRows(int c) {
    for (int row : classes_[c].rowsByY.begin()->second.rows) free_.insert(row);
  }

  std::vector<Class> classes_;
  std::unordered_map<std::string, int> classOf_;
  std::map<double, std::vector<int>> classesByX_;
  std::map<double, int> rowsAtX_;
  std::vector<int> rowClass_;
  std::vector<double> rowY_;
  std::set<int> free_;
};

}  // namespace

std::vector<int> placementOrder(const std::vector<PlacementKey>& run) {
  Remaining remaining(run);
  std::vector<int> order;
  order.reserve(run.size());
  int cursor = 0;
  while (order.size() < run.size()) {
    const int row = remaining.firstFreeFrom(cursor);
    remaining.place(row);
    order.push_back(row);
    cursor = row + 1;
  }
  return order;
}

}  // namespace varnel::order
