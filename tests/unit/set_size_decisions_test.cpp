#include "setsize/set_size_decisions.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace setsize {
namespace {

struct ParseCase {
  const char* text;
  std::optional<int32_t> value;
};

TEST(SetSizeDecisions, SizeTextIsOneWholeInteger) {
  const ParseCase cases[] = {
      {"800", 800},
      {"0", 0},
      {"  3000 ", 3000},
      {"+64", 64},
      {"-5", -5},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"abc", std::nullopt},
      {"800px", std::nullopt},
      {"80 0", std::nullopt},
      {"12.5", std::nullopt},
      {"0x400", std::nullopt},
      {"+", std::nullopt},
      {"+-3", std::nullopt},
      {"2147483648", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const ParseCase& c : cases) EXPECT_EQ(ParseSizeText(c.text), c.value) << '"' << c.text << '"';
}

TEST(SetSizeDecisions, BadWidthIsToldBeforeTheHeightIsRead) {
  EXPECT_EQ(ReadEnteredSize("wide", "tall").error, SizeError::InvalidWidth);
  EXPECT_EQ(ReadEnteredSize("800", "tall").error, SizeError::InvalidHeight);
  const EnteredSize ok = ReadEnteredSize("800", "600");
  EXPECT_EQ(ok.error, SizeError::None);
  EXPECT_EQ(ok.width, 800);
  EXPECT_EQ(ok.height, 600);
  EXPECT_STREQ(ErrorMessage(SizeError::InvalidWidth), "Invalid width value!");
  EXPECT_STREQ(ErrorMessage(SizeError::InvalidHeight), "Invalid height value!");
  EXPECT_STREQ(ErrorMessage(SizeError::OutOfRange), "Values out of range!");
}

TEST(SetSizeDecisions, WindowSizesFrom64To32000) {
  struct Case {
    int32_t width, height;
    SizeError error;
  };
  const Case cases[] = {
      {64, 64, SizeError::None},         {32000, 32000, SizeError::None},
      {3000, 2500, SizeError::None},     {63, 600, SizeError::OutOfRange},
      {800, 63, SizeError::OutOfRange},  {32001, 600, SizeError::OutOfRange},
      {800, 32001, SizeError::OutOfRange}, {-800, 600, SizeError::OutOfRange},
      {INT32_MAX, INT32_MAX, SizeError::OutOfRange},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckWindowSize(c.width, c.height), c.error) << c.width << " x " << c.height;
  // The packed form of 800 x 600 that the hook libraries receive.
  EXPECT_EQ(core::packSize(800, 600), 39322400u);
}

TEST(SetSizeDecisions, DesktopDialogOpensWithTwiceTheScreenOrTheFixedSize) {
  const core::Size screen{1920, 1080};
  EXPECT_EQ(DesktopDialogTexts({}, screen).width, 3840);
  EXPECT_EQ(DesktopDialogTexts({}, screen).height, 2160);
  const DesktopTexts fixed = DesktopDialogTexts({.LimitX = 1920, .LimitY = 1080}, screen);
  EXPECT_EQ(fixed.width, 3840);
  EXPECT_EQ(fixed.height, 2160);
  // A stored limit at the edge of the range does not wrap.
  EXPECT_EQ(DesktopDialogTexts({.LimitX = INT32_MAX, .LimitY = 0}, screen).width, int64_t{INT32_MAX} + 1920);
}

TEST(SetSizeDecisions, DesktopSizeFixedForTheFirstTimeStartsAtTheView) {
  const core::Size screen{1920, 1080};
  const navigator::ScrollRoom measured{.ScrollMinX = -500, .ScrollMaxX = 700, .ScrollMinY = -20, .ScrollMaxY = 90};
  const auto fixed = FixDesktopSize(3840, 2160, screen, {}, measured);
  ASSERT_TRUE(fixed);
  EXPECT_EQ(fixed->limits.LimitX, 1920);
  EXPECT_EQ(fixed->limits.LimitY, 1080);
  EXPECT_EQ(fixed->room, (navigator::ScrollRoom{.ScrollMinX = 0, .ScrollMaxX = 1920, .ScrollMinY = 0,
                                                .ScrollMaxY = 1080}));
}

TEST(SetSizeDecisions, DesktopSizeFixedAgainKeepsTheViewsPlace) {
  const core::Size screen{1920, 1080};
  const navigator::ScrollRoom room{.ScrollMinX = -300, .ScrollMaxX = 1620, .ScrollMinY = -50, .ScrollMaxY = 1030};
  const auto fixed = FixDesktopSize(5000, 1080, screen, {.LimitX = 1920, .LimitY = 1080}, room);
  ASSERT_TRUE(fixed);
  EXPECT_EQ(fixed->limits.LimitX, 3080);
  EXPECT_EQ(fixed->limits.LimitY, 0);
  EXPECT_EQ(fixed->room, (navigator::ScrollRoom{.ScrollMinX = -300, .ScrollMaxX = 2780, .ScrollMinY = -50,
                                                .ScrollMaxY = -50}));
}

TEST(SetSizeDecisions, DesktopSizeBelowTheScreenIsRefusedAndAnySizeAboveIsTaken) {
  const core::Size screen{1920, 1080};
  EXPECT_FALSE(FixDesktopSize(1919, 5000, screen, {}, {}));
  EXPECT_FALSE(FixDesktopSize(5000, 1079, screen, {}, {}));
  const auto exact = FixDesktopSize(1920, 1080, screen, {}, {});
  ASSERT_TRUE(exact);
  // Exactly the screen means no fixed size: the desktop grows with the windows again.
  EXPECT_FALSE(exact->limits.FixedSizeInForce());
  const navigator::ScrollRoom far{.ScrollMinX = 2'000'000'000, .ScrollMaxX = 2'000'000'000};
  const auto huge = FixDesktopSize(INT32_MAX, INT32_MAX, screen, {.LimitX = 5, .LimitY = 5}, far);
  ASSERT_TRUE(huge);
  EXPECT_EQ(huge->limits.LimitX, INT32_MAX - 1920);
  EXPECT_EQ(huge->room.ScrollMaxX, INT32_MAX);
}

TEST(SetSizeDecisions, RememberSetsInPlaceAndForgetTouchesOnlyRememberedClasses) {
  navigator::RememberedSizes remembered;
  remembered.Assign({"Notepad", "XTerm"}, {core::packSize(800, 600), core::packSize(640, 480)});

  EXPECT_TRUE(RememberChoice(remembered, "notepad", core::packSize(3000, 2500), true));
  EXPECT_EQ(remembered.Classes(), (std::vector<std::string>{"Notepad", "XTerm"}));
  EXPECT_EQ(remembered.Sizes()[0], core::packSize(3000, 2500));

  // The same size again still counts as a change: the settings are written back.
  EXPECT_TRUE(RememberChoice(remembered, "XTerm", core::packSize(640, 480), true));

  EXPECT_TRUE(RememberChoice(remembered, "Edit", core::packSize(100, 100), true));
  EXPECT_EQ(remembered.Classes().back(), "Edit");

  EXPECT_TRUE(RememberChoice(remembered, "XTERM", 0, false));
  EXPECT_EQ(remembered.Classes(), (std::vector<std::string>{"Notepad", "Edit"}));
  EXPECT_EQ(remembered.Sizes().size(), 2u);

  EXPECT_FALSE(RememberChoice(remembered, "NeverSeen", core::packSize(100, 100), false));
  EXPECT_EQ(remembered.Classes().size(), 2u);
}

TEST(SetSizeDecisions, OwnWindowClassesAreComparedExactly) {
  EXPECT_TRUE(IsOwnWindowClass("TTavelmoorForm"));
  EXPECT_TRUE(IsOwnWindowClass("TNavigator"));
  EXPECT_FALSE(IsOwnWindowClass("ttavelmoorform"));
  EXPECT_FALSE(IsOwnWindowClass("Notepad"));
}

}  // namespace
}  // namespace setsize
