// The main window's option rules as a table: the states before a click,
// the control clicked, and the states the rules come to.
#include "app/option_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::app {
namespace {

// The ruled controls in kRuledControls order, two letters each: checked
// (x or .) and enabled (e or -).
OptionStates statesOf(const std::string& marks) {
  OptionStates states;
  std::size_t k = 0;
  for (const Control id : kRuledControls) {
    states[id] = {marks[k] == 'x', marks[k + 1] == 'e'};
    k += 3;
  }
  return states;
}

std::string marksOf(const OptionStates& states) {
  std::string marks;
  for (const Control id : kRuledControls) {
    if (!marks.empty()) marks += ' ';
    marks += states.at(id).checked ? 'x' : '.';
    marks += states.at(id).enabled ? 'e' : '-';
  }
  return marks;
}

TEST(OptionRules, AClickComesToTheStatesOfTheTable) {
  struct Row {
    const char* before;  // all sel assign dup write force eco start
    Control clicked;
    const char* after;
  };
  const Row rows[] = {
      // Choosing all components: no conflict rule to choose.
      {".e .e xe .e .- .- .e .e", Control::allComponents, "xe .e .- .- .- .- .e .e"},
      // Choosing selected components: assign next free names, both rules open.
      {"xe .e .- .- .- .- .e .-", Control::selectedComponents, ".e xe xe .e .- .- .e .e"},
      // An option already chosen changes nothing.
      {"xe .e .- .- .- .- .e .e", Control::allComponents, "xe .e .- .- .- .- .e .e"},
      {".e xe xe .e .- .- .e .e", Control::renameDuplicates, ".e xe .e xe .- .- .e .e"},
      // Write ECO toggles, and both ECO options follow it.
      {".e xe xe .e .- x- .e .e", Control::writeEco, ".e xe xe .e .e xe xe .e"},
      {".e xe xe .e .e xe xe .e", Control::writeEco, ".e xe xe .e .- x- .e .e"},
      {".e xe xe .e .e xe xe .e", Control::writeOnly, ".e xe xe .e xe .e xe .e"},
      // Any other control is no option.
      {".e xe xe .e .e xe xe .e", Control::run, ".e xe xe .e .e xe xe .e"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(marksOf(optionsAfterClick(statesOf(row.before), row.clicked)), row.after)
        << row.before << " clicking " << static_cast<int>(row.clicked);
}

}  // namespace
}  // namespace varnel::app
