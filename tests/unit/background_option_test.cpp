#include "scroller/background_option.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

using scroller::BackgroundChange;

// The dialog answers from a script; loading succeeds for the files named loadable.
struct FakePictures : scroller::BackgroundPictures {
  std::vector<std::optional<std::string>> answers;
  std::vector<std::string> loadable;
  int asked = 0;
  std::vector<std::string> loaded;

  std::optional<std::string> AskForPicture() override {
    return asked < static_cast<int>(answers.size()) ? answers[asked++] : (++asked, std::nullopt);
  }
  bool LoadPicture(const std::string& path) override {
    loaded.push_back(path);
    return std::find(loadable.begin(), loadable.end(), path) != loadable.end();
  }
};

struct Option {
  std::string file;
  bool use = false;
  FakePictures pictures;

  BackgroundChange Change(bool checked, bool userClick) {
    return scroller::BackgroundCheckBoxChanged(checked, userClick, {file, use}, pictures);
  }
};

TEST(BackgroundOption, TheUserCheckingTheBoxAsksForAPicture) {
  struct Case {
    const char* what;
    std::optional<std::string> answer;
    bool loads;
    std::string file;     // afterwards
    bool use;
    bool uncheck;
    int loadCalls;
  };
  const Case cases[] = {
      {"a loadable bitmap", "C:\\sky.bmp", true, "C:\\sky.bmp", true, false, 1},
      {"a JPEG in capitals", "C:\\SKY.JPG", true, "C:\\SKY.JPG", true, false, 1},
      {"a damaged JPEG", "C:\\broken.jpg", false, "", false, true, 1},
      {"cancelled", std::nullopt, false, "", false, true, 0},
      {"a file of another kind", "C:\\notes.txt", true, "", false, true, 0},
      {"a file without extension", "C:\\Web\\TranscodedWallpaper", true, "", false, true, 0},
  };
  for (const Case& c : cases) {
    Option o;
    o.file = "C:\\old.bmp";
    o.pictures.answers = {c.answer};
    if (c.loads && c.answer) o.pictures.loadable = {*c.answer};
    const BackgroundChange change = o.Change(true, true);
    EXPECT_EQ(o.pictures.asked, 1) << c.what;
    EXPECT_EQ(o.file, c.file) << c.what;
    EXPECT_EQ(o.use, c.use) << c.what;
    EXPECT_EQ(change.uncheckBox, c.uncheck) << c.what;
    EXPECT_TRUE(change.markChanged) << c.what << ": every change the user made is saved";
    EXPECT_EQ(static_cast<int>(o.pictures.loaded.size()), c.loadCalls) << c.what;
  }
}

// The box unchecked from code after a failure runs the handler once more; that run only
// repeats the clean-up and never marks a change.
TEST(BackgroundOption, TheCleanUpRunOfTheHandlerOnlyClears) {
  Option o;
  o.pictures.answers = {std::nullopt};
  ASSERT_TRUE(o.Change(true, true).uncheckBox);
  const BackgroundChange again = o.Change(false, false);
  EXPECT_FALSE(again.uncheckBox);
  EXPECT_FALSE(again.markChanged);
  EXPECT_EQ(o.file, "");
  EXPECT_FALSE(o.use);
  EXPECT_EQ(o.pictures.asked, 1);
}

TEST(BackgroundOption, UncheckingKeepsNothingAndCheckingAgainAsksAgain) {
  Option o;
  o.pictures.answers = {"C:\\sky.bmp", "C:\\sea.jpeg"};
  o.pictures.loadable = {"C:\\sky.bmp", "C:\\sea.jpeg"};
  o.Change(true, true);
  ASSERT_TRUE(o.use);

  const BackgroundChange off = o.Change(false, true);
  EXPECT_EQ(o.file, "");
  EXPECT_FALSE(o.use);
  EXPECT_FALSE(off.uncheckBox);
  EXPECT_TRUE(off.markChanged);

  o.Change(true, true);
  EXPECT_EQ(o.pictures.asked, 2) << "the earlier picture is not reused";
  EXPECT_EQ(o.file, "C:\\sea.jpeg");
  EXPECT_TRUE(o.use);
  EXPECT_EQ(o.pictures.loaded, (std::vector<std::string>{"C:\\sky.bmp", "C:\\sea.jpeg"}));
}

// The settings load checks the box for a stored path: no dialog, nothing marked changed.
TEST(BackgroundOption, TheProgramCheckingTheBoxLoadsTheStoredPathWithoutAsking) {
  struct Case {
    const char* what;
    std::string stored;
    bool loads;
    std::string file;
    bool use;
    bool uncheck;
  };
  const Case cases[] = {
      {"a loadable picture", "C:\\sky.bmp", true, "C:\\sky.bmp", true, false},
      {"a bitmap that is none", "C:\\sky.bmp", false, "", false, true},
      {"a stored wallpaper without extension", "C:\\Web\\TranscodedWallpaper", true, "", false, true},
      {"an empty path", "", true, "", false, true},
  };
  for (const Case& c : cases) {
    Option o;
    o.file = c.stored;
    if (c.loads) o.pictures.loadable = {c.stored};
    const BackgroundChange change = o.Change(true, false);
    EXPECT_EQ(o.pictures.asked, 0) << c.what;
    EXPECT_EQ(o.file, c.file) << c.what;
    EXPECT_EQ(o.use, c.use) << c.what;
    EXPECT_EQ(change.uncheckBox, c.uncheck) << c.what;
    EXPECT_FALSE(change.markChanged) << c.what;
  }

  Option off;
  off.file = "C:\\sky.bmp";
  off.use = true;
  EXPECT_FALSE(off.Change(false, false).markChanged);
  EXPECT_EQ(off.file, "");
  EXPECT_FALSE(off.use);
}

}  // namespace
