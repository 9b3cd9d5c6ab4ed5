#include "scroller/scan_cache.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using scroller::ClassAtom;
using scroller::IconHandle;
using scroller::ScanCache;
using scroller::WindowHandle;
using scroller::WindowOwner;

constexpr WindowHandle kWindow = 0x10;
constexpr WindowHandle kOther = 0x20;
constexpr WindowOwner kOwner{100, 7};

// A cache with a clock of its own and the platform's answers counted.
class ScanCacheTest : public ::testing::Test {
 protected:
  void Begin(ScanCache::Clock::duration at) { cache_.BeginScan(ScanCache::Clock::time_point{} + 1h + at); }

  std::string ClassOf(WindowHandle w, ClassAtom atom, const std::string& real = "Notepad") {
    return cache_.ClassName(w, atom, [&] {
      ++classReads_;
      return real;
    });
  }
  IconHandle IconOf(WindowHandle w, const WindowOwner& owner = kOwner, IconHandle real = 0x500) {
    return cache_.Icon(w, owner, [&] {
      ++iconAsks_;
      return real;
    });
  }

  ScanCache cache_;
  int classReads_ = 0;
  int iconAsks_ = 0;
};

TEST_F(ScanCacheTest, AClassIsReadOnceWhileItsAtomStaysAndAnewForAnotherAtom) {
  Begin(0s);
  EXPECT_EQ(ClassOf(kWindow, 0xC001, "Notepad"), "Notepad");
  EXPECT_EQ(ClassOf(kOther, 0xC002, "Edit"), "Edit");
  cache_.EndScan();
  for (int scan = 1; scan <= 3; ++scan) {
    Begin(scan * 100ms);
    EXPECT_EQ(ClassOf(kWindow, 0xC001, "unread"), "Notepad");
    EXPECT_EQ(ClassOf(kOther, 0xC002, "unread"), "Edit");
    cache_.EndScan();
  }
  EXPECT_EQ(classReads_, 2);

  // The handle now belongs to a window of another class.
  Begin(1s);
  EXPECT_EQ(ClassOf(kWindow, 0xC003, "WordPad"), "WordPad");
  EXPECT_EQ(ClassOf(kWindow, 0xC003, "unread"), "WordPad");
  EXPECT_EQ(classReads_, 3);
}

TEST_F(ScanCacheTest, AnUnreadableAtomKeepsNothing) {
  for (int scan = 0; scan < 2; ++scan) {
    Begin(scan * 100ms);
    EXPECT_EQ(ClassOf(kWindow, 0, "Notepad"), "Notepad");
    cache_.EndScan();
  }
  EXPECT_EQ(classReads_, 2);
  EXPECT_EQ(cache_.Size(), 0u);
}

TEST_F(ScanCacheTest, AWindowAScanDidNotMeetIsForgotten) {
  Begin(0s);
  ClassOf(kWindow, 0xC001);
  IconOf(kWindow);
  ClassOf(kOther, 0xC001);
  cache_.EndScan();
  EXPECT_EQ(cache_.Size(), 2u);

  // kWindow was gone (or hidden) for one scan: a window behind its handle later is a stranger,
  // even with the same class and owner.
  Begin(100ms);
  ClassOf(kOther, 0xC001);
  cache_.EndScan();
  EXPECT_EQ(cache_.Size(), 1u);
  Begin(200ms);
  ClassOf(kWindow, 0xC001);
  IconOf(kWindow);
  cache_.EndScan();
  EXPECT_EQ(classReads_, 3);
  EXPECT_EQ(iconAsks_, 2);
}

// The icon's times are the scans' times since the first question.
struct IconRow {
  const char* what;
  std::vector<std::chrono::milliseconds> scans;
  int asks;
};

TEST_F(ScanCacheTest, AnIconIsAskedAtMostOnceASecond) {
  const IconRow rows[] = {
      {.what = "ten scans a second for 0.9 s", .scans = {0ms, 100ms, 200ms, 500ms, 900ms, 999ms}, .asks = 1},
      {.what = "asked again at a second", .scans = {0ms, 100ms, 1000ms, 1100ms}, .asks = 2},
      {.what = "the second counts from the last question", .scans = {0ms, 1500ms, 2400ms, 2499ms}, .asks = 2},
      {.what = "three seconds of scans", .scans = {0ms, 400ms, 1000ms, 1400ms, 2000ms, 2900ms, 3000ms}, .asks = 4},
  };
  for (const IconRow& row : rows) {
    ScanCache cache;
    int asks = 0;
    for (auto at : row.scans) {
      cache.BeginScan(ScanCache::Clock::time_point{} + 1h + at);
      cache.ClassName(kWindow, 0xC001, [] { return std::string("Busy"); });
      const IconHandle got = cache.Icon(kWindow, kOwner, [&] { return IconHandle(0x500 + ++asks); });
      EXPECT_EQ(got, IconHandle(0x500 + asks)) << row.what << ": the last answer is the one kept";
      cache.EndScan();
    }
    EXPECT_EQ(asks, row.asks) << row.what;
  }
}

TEST_F(ScanCacheTest, NoAnswerIsKeptTooUntilTheSecondIsOver) {
  // A busy application let the question time out.
  Begin(0s);
  ClassOf(kWindow, 0xC001);
  EXPECT_EQ(IconOf(kWindow, kOwner, 0), 0u);
  cache_.EndScan();
  Begin(500ms);
  ClassOf(kWindow, 0xC001);
  EXPECT_EQ(IconOf(kWindow, kOwner, 0x500), 0u);
  cache_.EndScan();
  Begin(1s);
  ClassOf(kWindow, 0xC001);
  EXPECT_EQ(IconOf(kWindow, kOwner, 0x500), 0x500u);
  EXPECT_EQ(iconAsks_, 2);
}

TEST_F(ScanCacheTest, ANewWindowBehindAReusedHandleIsAskedForItsIcon) {
  struct Row {
    const char* what;
    ClassAtom atom;
    WindowOwner owner;
    int asks;
  };
  const Row rows[] = {
      {"the same window", 0xC001, kOwner, 1},
      {"another class", 0xC002, kOwner, 2},
      {"another thread", 0xC001, {100, 8}, 2},
      {"another process", 0xC001, {101, 7}, 2},
  };
  for (const Row& row : rows) {
    ScanCache cache;
    int asks = 0;
    auto ask = [&] { return IconHandle(0x500 + ++asks); };
    cache.BeginScan(ScanCache::Clock::time_point{});
    cache.ClassName(kWindow, 0xC001, [] { return std::string("Notepad"); });
    cache.Icon(kWindow, kOwner, ask);
    cache.EndScan();
    cache.BeginScan(ScanCache::Clock::time_point{} + 100ms);
    cache.ClassName(kWindow, row.atom, [] { return std::string("Other"); });
    EXPECT_EQ(cache.Icon(kWindow, row.owner, ask), IconHandle(0x500 + row.asks)) << row.what;
    EXPECT_EQ(asks, row.asks) << row.what;
  }
}

}  // namespace
