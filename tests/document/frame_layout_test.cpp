// The viewport row of the main window by where the two toolbars are.
#include <gtest/gtest.h>

#include "document/frame_state.h"

namespace qv {
namespace {

TEST(ViewportRow, FollowsWhereTheToolbarsAre) {
  using enum BarDock;
  struct Case {
    BarDock main, control;
    int32_t expected;  // client height 1000, toolbar height 40
  };
  const Case cases[] = {
      {kTop, kTop, 850},            // the state after start-up: one row at the top
      {kTop, kBottom, 810},         {kBottom, kTop, 810},
      {kBottom, kBottom, 850},      {kFloating, kFloating, 890},
      {kFloating, kLeft, 890},      {kFloating, kRight, 890},
      {kFloating, kTop, 850},       {kFloating, kBottom, 850},
      {kLeft, kFloating, 890},      {kRight, kFloating, 890},
      {kTop, kFloating, 850},       {kBottom, kFloating, 850},
      {kLeft, kTop, 850},           {kTop, kLeft, 850},
      {kLeft, kRight, 850},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ViewportRowHeight(1000, 40, c.main, c.control), c.expected)
        << static_cast<int>(c.main) << " " << static_cast<int>(c.control);
}

}  // namespace
}  // namespace qv
