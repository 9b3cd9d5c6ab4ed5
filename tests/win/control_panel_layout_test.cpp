// The control panel as the toolkit builds it from its description: every control inside its
// parent, no two siblings overlapping, at 96 DPI here. Also leaves a picture of each tab in
// build/win32/screenshots for a person to look at.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "forms/control_panel_form.h"
#include "forms/help_texts.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/page_control.h"
#include "toolkit/standard_controls.h"
#include "win_support/process_helpers.h"
#include "win_support/screen_picture.h"

namespace {

struct PanelForm : tk::TForm {
  PanelForm() : tk::TForm(forms::ControlPanelForm()) {}
};

struct Child {
  HWND hwnd;
  RECT rect;  // in the parent's client coordinates
  std::string text;
};

std::vector<Child> VisibleChildrenOf(HWND parent) {
  std::vector<Child> out;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    RECT r{};
    GetWindowRect(c, &r);
    char cls[32] = {};
    GetClassNameA(c, cls, sizeof cls);
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof combo;
    // A combo box's window reaches down over its dropped list; the user sees the closed box.
    if (lstrcmpiA(cls, "ComboBox") == 0 && GetComboBoxInfo(c, &combo)) {
      RECT frame{};
      GetClientRect(c, &frame);
      r.bottom = r.top + combo.rcButton.bottom + (r.bottom - r.top - frame.bottom) / 2 + 1;
    }
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    char text[256] = {};
    GetWindowTextA(c, text, sizeof text);
    out.push_back({c, r, text});
  }
  return out;
}

bool Overlap(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

class ControlPanelLayout : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    application = std::make_unique<tk::TApplication>();
    form = &application->CreateForm<PanelForm>();
  }
  void TearDown() override { application.reset(); }
  std::unique_ptr<tk::TApplication> application;
  PanelForm* form = nullptr;
};

TEST_P(ControlPanelLayout, ControlsFitTheirSheetAndNeverOverlap) {
  auto& pages = form->Get<tk::TPageControl>("PageControl1");
  pages.SetTabIndex(GetParam());
  form->Get<tk::TLabel>("LabelHelp").SetCaption(forms::HelpText(0));
  form->Show();
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  tvmtest::WaitUntil([] { return false; }, std::chrono::milliseconds(300));
  GdiFlush();
  HWND sheet = pages.ActivePage()->Handle();
  RECT area{};
  GetClientRect(sheet, &area);
  const auto children = VisibleChildrenOf(sheet);
  for (size_t i = 0; i < children.size(); ++i) {
    const Child& a = children[i];
    EXPECT_TRUE(a.rect.left >= 0 && a.rect.top >= 0 && a.rect.right <= area.right && a.rect.bottom <= area.bottom)
        << "\"" << a.text << "\" leaves its sheet: " << a.rect.left << "," << a.rect.top << " - " << a.rect.right
        << "," << a.rect.bottom << " in " << area.right << "x" << area.bottom;
    for (size_t j = i + 1; j < children.size(); ++j) {
      EXPECT_FALSE(Overlap(a.rect, children[j].rect)) << "\"" << a.text << "\" overlaps \"" << children[j].text << "\"";
    }
  }

#ifdef TVM_SCREENSHOT_DIR
  CreateDirectoryA(tvmtest::WindowsPathOf(TVM_SCREENSHOT_DIR).c_str(), nullptr);
  RECT window{};
  GetWindowRect(form->Handle(), &window);
  HDC screen = GetDC(nullptr);
  const char* names[] = {"options", "help", "scrolling-windows"};
  tvmtest::SaveBitmap(screen, window,
             tvmtest::WindowsPathOf(TVM_SCREENSHOT_DIR) + "\\control-panel-" + names[GetParam()] + ".bmp");
  ReleaseDC(nullptr, screen);
#endif
}

// Each help text is laid out in lines of its own: in the label's font every line fits its width
// (a line broken by the label reads badly) and all lines fit its height.
TEST_F(ControlPanelLayout, EveryHelpTextFitsItsLabelWithoutExtraLineBreaks) {
  HWND label = form->Get<tk::TLabel>("LabelHelp").Handle();
  RECT client{};
  GetClientRect(label, &client);
  HDC dc = GetDC(label);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
  for (int topic = 0; topic < forms::kHelpTopicCount; ++topic) {
    const std::string text = forms::HelpText(topic);
    RECT unbroken{0, 0, 100000, 0};
    DrawTextA(dc, text.c_str(), -1, &unbroken, DT_CALCRECT | DT_NOPREFIX);
    RECT wrapped{0, 0, client.right, 0};
    DrawTextA(dc, text.c_str(), -1, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_LE(unbroken.right, client.right) << forms::kHelpTopics[topic] << ": a line is wider than the label (" << unbroken.right << " > " << client.right << ")";
    EXPECT_EQ(wrapped.bottom, unbroken.bottom) << forms::kHelpTopics[topic] << ": the label breaks lines";
    EXPECT_LE(wrapped.bottom, client.bottom) << forms::kHelpTopics[topic] << ": the text runs below the label (" << wrapped.bottom << " > " << client.bottom << ")";
  }
  SelectObject(dc, old);
  ReleaseDC(label, dc);
}

INSTANTIATE_TEST_SUITE_P(Tabs, ControlPanelLayout, ::testing::Values(0, 1, 2),
                         [](const auto& info) { return std::string(info.param == 0 ? "Options" : info.param == 1 ? "Help" : "ScrollingWindows"); });

}  // namespace
