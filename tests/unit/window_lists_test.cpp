#include "scroller/window_lists.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using scroller::ClassToMakeNonScrolling;
using scroller::ListedRow;

TEST(WindowLists, TheChosenRowsClassAsListedMovesToTheNonScrollingList) {
  const std::vector<ListedRow> rows = {{0x10, "Notepad"}, {0x20, ""}, {0x30, "CalcFrame"}};
  const std::vector<std::string> classes = {"notepad"};
  struct Case {
    int chosen;
    std::optional<std::string> moved;
    const char* why;
  };
  const Case cases[] = {
      {2, "CalcFrame", "the class as the row listed it"},
      {0, std::nullopt, "already non-scrolling, in another letter case"},
      {1, std::nullopt, "a class that could not be read"},
      {-1, std::nullopt, "no row chosen"},
      {3, std::nullopt, "beyond the listed rows"},
  };
  for (const Case& c : cases) EXPECT_EQ(ClassToMakeNonScrolling(rows, c.chosen, classes), c.moved) << c.why;
}

TEST(WindowLists, TheListIsRefilledOnlyWhileShownAndWhenTheCountChanged) {
  EXPECT_TRUE(scroller::RefillAfterScan(true, 3, 0));
  EXPECT_FALSE(scroller::RefillAfterScan(true, 3, 3));
  EXPECT_FALSE(scroller::RefillAfterScan(false, 3, 0));
  EXPECT_TRUE(scroller::RefillAfterScan(true, 0, 2)) << "an emptied scroll list shows as empty";
}

}  // namespace
