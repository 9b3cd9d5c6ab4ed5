#include "scroller/layout_codec.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fake_settings_store.h"
#include "scroller/layout_restore.h"
#include "scroller/settings_codec.h"

namespace {

using navigator::PlannedPlacement;
using navigator::SavedPlace;
using navigator::tAppWin;
using scroller::LayoutReadError;
using scroller::ReadLayout;
using scroller::ReadStatus;
using scroller::SaveLayout;
using testing_support::FakeSettingsStore;

const std::vector<SavedPlace> kTwo = {{"Notes - Ed", "Ed", {-300, 20, 640, 480}}, {"", "View", {5, 6, 7, 8}}};

TEST(LayoutSave, WritesTheCountThenEachRecordThenTheOriginInOrder) {
  FakeSettingsStore key;
  key.exists = false;
  const auto result = SaveLayout(key, kTwo, scroller::SavedScrollOrigin{-40, 70});
  EXPECT_TRUE(result.keyOpened);
  EXPECT_EQ(result.recordsBegun, 2u);
  EXPECT_FALSE(result.failedValue);
  EXPECT_EQ(key.writtenNames, (std::vector<std::string>{"PosNum", "PosN0", "PosC0", "PosX0", "PosY0", "PosW0", "PosH0",
                                                        "PosN1", "PosC1", "PosX1", "PosY1", "PosW1", "PosH1",
                                                        "winxmin", "winymin"}));
  EXPECT_EQ(key.GetInteger("PosNum"), 2);
  EXPECT_EQ(key.GetInteger("PosX0"), -300);
  EXPECT_EQ(key.GetText("PosC1"), "View");
  EXPECT_EQ(key.GetInteger("winxmin"), -40);
  EXPECT_EQ(key.GetInteger("winymin"), 70);
}

TEST(LayoutSave, WithoutAFixedSizeNoOriginAndWithNoEntriesACountOfZero) {
  FakeSettingsStore key;
  SaveLayout(key, {}, std::nullopt);
  EXPECT_EQ(key.writtenNames, std::vector<std::string>{"PosNum"});
  EXPECT_EQ(key.GetInteger("PosNum"), 0);
}

TEST(LayoutSave, AKeyThatCannotBeOpenedWritesNothing) {
  FakeSettingsStore key;
  key.exists = false;
  key.canCreate = false;
  const auto result = SaveLayout(key, kTwo, std::nullopt);
  EXPECT_FALSE(result.keyOpened);
  EXPECT_EQ(result.recordsBegun, 0u);
  EXPECT_TRUE(key.writtenNames.empty());
}

// A failed write must not leave a count that promises records a restore cannot read.
class FailingOnce : public FakeSettingsStore {
 public:
  std::string failing;
  bool WriteInteger(std::string_view name, int32_t v) override {
    return name == failing ? false : FakeSettingsStore::WriteInteger(name, v);
  }
  bool WriteText(std::string_view name, std::string_view v) override {
    return name == failing ? false : FakeSettingsStore::WriteText(name, v);
  }
};

TEST(LayoutSave, AFailedWriteSetsTheCountBackToTheWholeRecords) {
  FailingOnce key;
  key.failing = "PosY1";
  const auto result = SaveLayout(key, kTwo, std::nullopt);
  EXPECT_EQ(result.failedValue, "PosY1");
  EXPECT_EQ(result.recordsBegun, 2u);
  EXPECT_EQ(key.GetInteger("PosNum"), 1);
  key.OpenForReading();
  const auto stored = ReadLayout(key, false);
  EXPECT_FALSE(stored.error);
  EXPECT_EQ(stored.records, std::vector<SavedPlace>{kTwo[0]});
}

TEST(LayoutSave, WritesNoMoreRecordsThanARestoreReads) {
  std::vector<SavedPlace> many(scroller::kMaxNumberedValues + 5, kTwo[1]);
  FakeSettingsStore key;
  SaveLayout(key, many, std::nullopt);
  EXPECT_EQ(key.GetInteger("PosNum"), scroller::kMaxNumberedValues);
  EXPECT_FALSE(key.Get("PosN" + std::to_string(scroller::kMaxNumberedValues)));
}

TEST(LayoutCodec, WhatASaveWritesARestoreReadsBack) {
  std::vector<SavedPlace> records = kTwo;
  records.push_back({std::string("caf\xE9 (1)"), "A", INT32_MIN, INT32_MAX, 0, -1});
  FakeSettingsStore key;
  SaveLayout(key, records, scroller::SavedScrollOrigin{1, 2});
  key.OpenForReading();
  const auto stored = ReadLayout(key, true);
  EXPECT_TRUE(stored.present);
  EXPECT_TRUE(stored.recordsComplete);
  EXPECT_TRUE(stored.originComplete);
  EXPECT_FALSE(stored.error);
  EXPECT_EQ(stored.records, records);
  EXPECT_EQ(stored.winxmin, 1);
  EXPECT_EQ(stored.winymin, 2);
}

// A key as a hostile script or a damaged registry leaves it.
struct CorruptCase {
  const char* what;
  std::function<void(FakeSettingsStore&)> damage;
  bool present = true;
  std::size_t records = 0;
  std::optional<LayoutReadError> error = std::nullopt;
};

TEST(LayoutRead, ADamagedLayoutIsReadUpToItsFirstBadValue) {
  auto two = [](FakeSettingsStore& k) {
    SaveLayout(k, kTwo, std::nullopt);
  };
  const CorruptCase cases[] = {
      {"no count: nothing", [](FakeSettingsStore&) {}, false},
      {"a count of 0", [](FakeSettingsStore& k) { k.Put("PosNum", 0); }},
      {"a negative count, as 2^31 reads", [](FakeSettingsStore& k) { k.Put("PosNum", INT32_MIN); }},
      {"a count that is a text",
       [](FakeSettingsStore& k) { k.Put("PosNum", "12"); }, true, 0, LayoutReadError{"PosNum", ReadStatus::WrongType}},
      {"a missing PosX",
       [&](FakeSettingsStore& k) {
         two(k);
         k.Erase("PosX1");
       },
       true, 1, LayoutReadError{"PosX1", ReadStatus::Missing}},
      {"a text where a number belongs",
       [&](FakeSettingsStore& k) {
         two(k);
         k.Put("PosH0", "480");
       },
       true, 0, LayoutReadError{"PosH0", ReadStatus::WrongType}},
      {"a caption of another type",
       [&](FakeSettingsStore& k) {
         two(k);
         k.PutOtherType("PosN1");
       },
       true, 1, LayoutReadError{"PosN1", ReadStatus::WrongType}},
      {"the largest count: read to the first missing record, within the cap",
       [&](FakeSettingsStore& k) {
         two(k);
         k.Put("PosNum", INT32_MAX);
       },
       true, 2, LayoutReadError{"PosX2", ReadStatus::Missing}},
      {"missing texts: a caption XX and an empty class",
       [&](FakeSettingsStore& k) {
         two(k);
         k.Erase("PosN0");
         k.Erase("PosC0");
       },
       true, 2},
  };
  for (const CorruptCase& c : cases) {
    SCOPED_TRACE(c.what);
    FakeSettingsStore key;
    c.damage(key);
    key.OpenForReading();
    const auto stored = ReadLayout(key, true);
    EXPECT_EQ(stored.present, c.present);
    EXPECT_EQ(stored.records.size(), c.records);
    EXPECT_EQ(stored.error, c.error);
    EXPECT_EQ(stored.recordsComplete, c.present && !c.error);
  }
}

TEST(LayoutRead, MissingTextsReadAsXXAndEmpty) {
  FakeSettingsStore key;
  SaveLayout(key, kTwo, std::nullopt);
  key.Erase("PosN0");
  key.Erase("PosC0");
  key.OpenForReading();
  const auto stored = ReadLayout(key, false);
  ASSERT_EQ(stored.records.size(), 2u);
  EXPECT_EQ(stored.records[0].caption, "XX");
  EXPECT_EQ(stored.records[0].winClass, "");
}

TEST(LayoutRead, ACaptionOfMegabytesIsCutBeforeItIsScored) {
  FakeSettingsStore key;
  SaveLayout(key, kTwo, std::nullopt);
  key.Put("PosN1", std::string(4 << 20, 'q'));
  key.Put("PosC1", std::string(1 << 20, 'c'));
  key.OpenForReading();
  const auto stored = ReadLayout(key, false);
  ASSERT_EQ(stored.records.size(), 2u);
  EXPECT_EQ(stored.records[1].caption, std::string(scroller::kMaxSavedTextLength, 'q'));
  EXPECT_EQ(stored.records[1].winClass.size(), scroller::kMaxSavedTextLength);
}

TEST(LayoutRead, TheOriginIsOptionalButNotOfAnotherType) {
  FakeSettingsStore key;
  SaveLayout(key, kTwo, std::nullopt);
  key.OpenForReading();
  auto stored = ReadLayout(key, true);
  EXPECT_TRUE(stored.originComplete);
  EXPECT_FALSE(stored.winxmin);
  key.Put("winymin", "5");
  stored = ReadLayout(key, true);
  EXPECT_FALSE(stored.originComplete);
  EXPECT_EQ(stored.error, (LayoutReadError{"winymin", ReadStatus::WrongType}));
  // Without a fixed size the origin is no part of the restore.
  stored = ReadLayout(key, false);
  EXPECT_FALSE(stored.error);
}

TEST(LayoutRead, TheErrorNamesTheValue) {
  EXPECT_NE(scroller::DescribeLayoutError({"PosX3", ReadStatus::Missing}).find("\"PosX3\" is missing"),
            std::string::npos);
  EXPECT_NE(scroller::DescribeLayoutError({"PosNum", ReadStatus::WrongType}).find("\"PosNum\""), std::string::npos);
}

// --- The restore as a whole ---

class LayoutRestoreTest : public testing::Test {
 protected:
  tAppWin* Add(navigator::WindowHandle wnd, std::string cls, std::string caption, core::Rect rect = {0, 0, 100, 300}) {
    auto e = std::make_unique<tAppWin>();
    e->Wnd = wnd;
    e->WinClass = std::move(cls);
    e->Caption = std::move(caption);
    e->WindowRect = rect;
    entries.push_back(e.get());
    owned.push_back(std::move(e));
    return entries.back();
  }
  scroller::StoredLayout Read(bool origin) {
    key.OpenForReading();
    return ReadLayout(key, origin);
  }
  scroller::RestorePlan Plan(const scroller::StoredLayout& stored) {
    return scroller::PlanLayoutRestore(entries, stored, facts);
  }

  std::vector<std::unique_ptr<tAppWin>> owned;
  std::vector<tAppWin*> entries;
  FakeSettingsStore key;
  scroller::RestoreFacts facts{.room = {}, .limits = {}, .area = {0, 0, 1920, 1040}};
};

TEST_F(LayoutRestoreTest, SaveThenRestorePutsEveryWindowBackFromItsSavedRectangle) {
  Add(1, "Ed", "a", {10, 20, 410, 320});
  Add(2, "Ed", "b", {-900, 20, -100, 620});
  const auto records = scroller::RecordsOf(entries);
  SaveLayout(key, records, std::nullopt);
  scroller::TakeSavedRects(entries, records.size());
  // Scrolled and moved since.
  entries[0]->WindowRect = {500, 500, 900, 800};
  entries[1]->Caption = "a";
  const auto plan = Plan(Read(false));
  EXPECT_EQ(plan.moves, (std::vector<PlannedPlacement>{{1, {10, 20, 400, 300}}, {2, {-900, 20, 800, 600}}}));
  EXPECT_FALSE(plan.error);
}

TEST_F(LayoutRestoreTest, AfterARestartTheRecordsFindTheirWindowsByExactAndSimilarCaptions) {
  SaveLayout(key,
             std::vector<SavedPlace>{{"Page 12 - Viewer", "V", 100, 0, 500, 400},
                                     {"Page 2 - Viewer", "V", 700, 0, 500, 400},
                                     {"Notes", "Ed", 1300, 0, 500, 400}},
             std::nullopt);
  Add(1, "V", "Page 3 - Viewer");
  Add(2, "V", "Page 13 - Viewer");
  Add(3, "Ed", "Notes (changed)");
  const auto plan = Plan(Read(false));
  // First pass: the editor is the only one of its class; second: the viewers by similarity.
  EXPECT_EQ(plan.moves, (std::vector<PlannedPlacement>{{3, {1300, 0, 500, 400}},
                                                       {2, {100, 0, 500, 400}},
                                                       {1, {700, 0, 500, 400}}}));
}

TEST_F(LayoutRestoreTest, ADamagedRecordStopsAfterTheFirstPassOverTheRecordsBeforeIt) {
  facts.limits = {1000, 0};
  facts.room = {0, 1000, 0, 0};
  SaveLayout(key,
             std::vector<SavedPlace>{{"x", "Ed", 100, 0, 500, 400}, {"y", "V", 700, 0, 500, 400},
                                     {"z", "V", 900, 0, 500, 400}},
             scroller::SavedScrollOrigin{-300, 0});
  key.Erase("PosW2");
  Add(1, "V", "y1");
  Add(2, "V", "y2");
  Add(3, "Ed", "x");
  const auto plan = Plan(Read(true));
  EXPECT_EQ(plan.moves, (std::vector<PlannedPlacement>{{3, {100, 0, 500, 400}}})) << "no second pass";
  EXPECT_FALSE(plan.room) << "nor the scroll room";
  ASSERT_TRUE(plan.error);
  EXPECT_NE(plan.error->find("PosW2"), std::string::npos);
}

TEST_F(LayoutRestoreTest, AFixedSizeBringsTheScrollRoomBackAndKeepsWindowsOnItsDesktop) {
  facts.limits = {1000, 500};
  facts.room = {-700, 300, 0, 500};
  SaveLayout(key, std::vector<SavedPlace>{{"x", "Ed", -5000, 100, 500, 400}}, scroller::SavedScrollOrigin{-200, 0});
  Add(1, "Ed", "x");
  const auto plan = Plan(Read(true));
  ASSERT_TRUE(plan.room);
  EXPECT_EQ(*plan.room, (navigator::ScrollRoom{-200, 800, 0, 500}));
  // The desktop now reaches from -200 to 1920 + 800: the window comes back to keep 64 pixels on it.
  EXPECT_EQ(plan.moves, (std::vector<PlannedPlacement>{{1, {-636, 100, 500, 400}}}));
}

TEST_F(LayoutRestoreTest, WithAFixedSizeAndNoOriginSavedTheRoomFollowsTheCurrentStart) {
  facts.limits = {1000, 0};
  facts.room = {-250, 0, 0, 0};
  SaveLayout(key, {}, std::nullopt);
  const auto plan = Plan(Read(true));
  ASSERT_TRUE(plan.room);
  EXPECT_EQ(*plan.room, (navigator::ScrollRoom{-250, 750, 0, 0}));
}

TEST_F(LayoutRestoreTest, NoKeyOrNoCountPutsBackOnlyTheSavedRectangles) {
  tAppWin* e = Add(1, "Ed", "x");
  e->HasSavedRect = true;
  e->SavedRect = {1, 2, 3, 4};
  facts.limits = {1000, 0};
  const auto plan = Plan(scroller::StoredLayout{});
  EXPECT_EQ(plan.moves, (std::vector<PlannedPlacement>{{1, {1, 2, 2, 2}}}));
  EXPECT_FALSE(plan.room);
  EXPECT_FALSE(plan.error);
}

}  // namespace
