#include "renumber/placement_order.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <unordered_map>

namespace varnel::renumber {

std::string coordinateText(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

double wholeValue(const std::string& text) {
  return std::nearbyint(std::strtod(text.c_str(), nullptr));
}

namespace {

struct Axis {
  double whole;
  std::string text;
};

Axis axisOf(const std::string& text, double grid) {
  if (grid <= 0) return {wholeValue(text), text};
  // + 0.0: the cell of -0.3 is the cell 0, not one whose text is "-0".
  const double cell = std::nearbyint(std::strtod(text.c_str(), nullptr) / grid) + 0.0;
  return {cell, coordinateText(cell)};
}

}  // namespace

PlacementKey keyOf(const std::string& textX, const std::string& textY,
                   const PlacementSettings& settings) {
  const Axis x = axisOf(textX, settings.grid), y = axisOf(textY, settings.grid);
  const double across = settings.across == Across::leftToRight ? x.whole : -x.whole;
  const double down = settings.down == Down::topToBottom ? -y.whole : y.whole;
  if (settings.lines == Lines::columnsFirst) return {across, x.text, down};
  return {down, y.text, across};
}

bool mustComeBefore(const PlacementKey& b, const PlacementKey& a) {
  return b.line < a.line || (b.lineText == a.lineText && b.along < a.along);
}

namespace {

// The rows still unplaced, grouped so that the rows nothing precedes are
// known at once: those of the first line whose place is the first among the
// rows of the same line text. A row that is such stays such until it is
// placed, since placing rows only moves the first line and the first place
// of a text onward.
class Remaining {
 public:
  explicit Remaining(const std::vector<PlacementKey>& run) {
    for (int i = 0; i < static_cast<int>(run.size()); ++i) {
      auto [it, added] = classOf_.try_emplace(run[i].lineText, static_cast<int>(classes_.size()));
      if (added) classes_.push_back({run[i].line, {}});
      classes_[it->second].rowsByPlace[run[i].along].push_back(i);
      if (added) classesByLine_[run[i].line].push_back(it->second);
      ++rowsOnLine_[run[i].line];
      rowClass_.push_back(it->second);
      rowPlace_.push_back(run[i].along);
    }
    if (!classesByLine_.empty())
      for (int c : classesByLine_.begin()->second) addTopRows(c);
  }

  // The first free row at or after cursor, going round.
  int firstFreeFrom(int cursor) const {
    auto it = free_.lower_bound(cursor);
    return it != free_.end() ? *it : *free_.begin();
  }

  void place(int row) {
    free_.erase(row);
    Class& c = classes_[rowClass_[row]];
    auto top = c.rowsByPlace.find(rowPlace_[row]);
    if (--top->second.remaining == 0) {
      c.rowsByPlace.erase(top);
      if (!c.rowsByPlace.empty()) addTopRows(rowClass_[row]);
    }
    auto onLine = rowsOnLine_.find(c.line);
    if (--onLine->second == 0) {
      rowsOnLine_.erase(onLine);
      classesByLine_.erase(classesByLine_.begin());
      if (!classesByLine_.empty())
        for (int next : classesByLine_.begin()->second) addTopRows(next);
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
    double line;
    std::map<double, Rows> rowsByPlace;
  };

  void addTopRows(int c) {
    for (int row : classes_[c].rowsByPlace.begin()->second.rows) free_.insert(row);
  }

  std::vector<Class> classes_;
  std::unordered_map<std::string, int> classOf_;
  std::map<double, std::vector<int>> classesByLine_;
  std::map<double, int> rowsOnLine_;
  std::vector<int> rowClass_;
  std::vector<double> rowPlace_;
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

}  // namespace varnel::renumber
