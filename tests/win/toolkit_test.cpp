// The toolkit's promises that the forms rely on, against real Win32 controls.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>

#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/page_control.h"
#include "toolkit/standard_controls.h"
#include "toolkit/track_bar.h"

namespace {

using tk::ComponentDescription;
using tk::ComponentKind;

const char* const kItems[] = {"one", "two"};

const ComponentDescription kComponents[] = {
    {.kind = ComponentKind::PageControl, .name = "Pages", .width = 600, .height = 400, .tabOrder = 0, .itemIndex = 0},
    {.kind = ComponentKind::TabSheet, .name = "First", .parent = "Pages", .caption = "First"},
    {.kind = ComponentKind::TabSheet, .name = "Second", .parent = "Pages", .caption = "Second"},
    {.kind = ComponentKind::CheckBox, .name = "Box", .parent = "First", .left = 10, .top = 10, .width = 300,
     .height = 33, .caption = "A box", .hint = "Box hint", .tabOrder = 1, .checked = true},
    {.kind = ComponentKind::TrackBar, .name = "Bar", .parent = "First", .left = 10, .top = 60, .width = 300,
     .height = 45, .tabOrder = 0, .range = {.min = 4, .max = 9, .position = 6}},
    {.kind = ComponentKind::ComboBox, .name = "Combo", .parent = "Second", .left = 10, .top = 10, .width = 200,
     .height = 36, .tabOrder = 0, .items = kItems, .itemIndex = 0},
};

const tk::FormDescription kDescription{
    .name = "TestForm", .caption = "Toolkit test form", .clientWidth = 600, .clientHeight = 400,
    .components = kComponents};

struct CountingForm : tk::TForm {
  CountingForm() : tk::TForm(kDescription) {
    Get<tk::TCheckBox>("Box").OnClick = [this] { ++clicks; };
    Get<tk::TTrackBar>("Bar").OnChange = [this] { ++changes; };
    Get<tk::TPageControl>("Pages").OnChange = [this] { ++pageChanges; };
  }
  int clicks = 0;
  int changes = 0;
  int pageChanges = 0;
};

void CALLBACK DismissErrorDialog(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (HWND dialog = FindWindowA("#32770", nullptr)) PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

class Toolkit : public ::testing::Test {
 protected:
  void SetUp() override {
    application = std::make_unique<tk::TApplication>();
    form = &application->CreateForm<CountingForm>();
  }
  void TearDown() override { application.reset(); }

  std::unique_ptr<tk::TApplication> application;
  CountingForm* form = nullptr;
};

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

TEST_F(Toolkit, FormsAndContainersHaveTheProgramsWindowClass) {
  EXPECT_EQ(ClassOf(form->Handle()), "TTavelmoorForm");
  EXPECT_EQ(ClassOf(application->Handle()), "TTavelmoorForm");
  EXPECT_EQ(ClassOf(form->Get<tk::TTabSheet>("First").Handle()), "TTavelmoorForm");
  EXPECT_EQ(ClassOf(form->Get<tk::TCheckBox>("Box").Handle()), "Button");
}

TEST_F(Toolkit, DescribedStateRunsNoHandlerWhileBuilding) {
  EXPECT_TRUE(form->Get<tk::TCheckBox>("Box").Checked());
  EXPECT_EQ(form->Get<tk::TTrackBar>("Bar").Position(), 6);
  EXPECT_EQ(form->clicks, 0);
  EXPECT_EQ(form->changes, 0);
}

TEST_F(Toolkit, SettingFromCodeRunsTheHandlerOnlyOnChange) {
  auto& box = form->Get<tk::TCheckBox>("Box");
  box.SetChecked(true);
  EXPECT_EQ(form->clicks, 0);
  box.SetChecked(false);
  EXPECT_EQ(form->clicks, 1);
  EXPECT_EQ(SendMessageA(box.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(Toolkit, TrackBarClampsBeforeComparing) {
  auto& bar = form->Get<tk::TTrackBar>("Bar");
  struct Step { int set; int position; int changes; };
  const Step steps[] = {{12, 9, 1}, {9, 9, 1}, {100, 9, 1}, {-5, 4, 2}, {4, 4, 2}, {7, 7, 3}};
  for (const auto& s : steps) {
    bar.SetPosition(s.set);
    EXPECT_EQ(bar.Position(), s.position) << "set " << s.set;
    EXPECT_EQ(form->changes, s.changes) << "set " << s.set;
    EXPECT_EQ(SendMessageA(bar.Handle(), TBM_GETPOS, 0, 0), s.position);
  }
}

TEST_F(Toolkit, UserClickOnACheckBoxTogglesAndRunsTheHandler) {
  auto& box = form->Get<tk::TCheckBox>("Box");
  SendMessageA(box.Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(form->clicks, 1);
}

TEST_F(Toolkit, UserMovingATrackBarRunsTheHandlerPerNewPosition) {
  auto& bar = form->Get<tk::TTrackBar>("Bar");
  SetFocus(bar.Handle());
  SendMessageA(bar.Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageA(bar.Handle(), WM_KEYUP, VK_RIGHT, 0);
  EXPECT_EQ(bar.Position(), 7);
  EXPECT_EQ(form->changes, 1);
}

TEST_F(Toolkit, SelectingAPageFromCodeRunsNoOnChange) {
  auto& pages = form->Get<tk::TPageControl>("Pages");
  EXPECT_EQ(pages.TabIndex(), 0);
  pages.SetTabIndex(1);
  EXPECT_EQ(pages.TabIndex(), 1);
  EXPECT_EQ(form->pageChanges, 0);
  EXPECT_TRUE(form->Get<tk::TTabSheet>("Second").Visible());
  EXPECT_FALSE(form->Get<tk::TTabSheet>("First").Visible());
}

TEST_F(Toolkit, LayoutScalesTheDesignToTheMonitor) {
  const int dpi = form->Dpi();
  RECT client{};
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, MulDiv(600, dpi, 144));
  EXPECT_EQ(client.bottom, MulDiv(400, dpi, 144));
  RECT box{};
  GetWindowRect(form->Get<tk::TCheckBox>("Box").Handle(), &box);
  EXPECT_EQ(box.right - box.left, MulDiv(300, dpi, 144));
}

TEST_F(Toolkit, AHandlerErrorEndsThatHandlerOnly) {
  // The error goes to the application's handler (a dialog) instead of unwinding through Win32;
  // that dialog is dismissed from a timer here.
  auto& box = form->Get<tk::TCheckBox>("Box");
  box.OnClick = [] { throw std::runtime_error("handler failed"); };
  const UINT_PTR timer = SetTimer(nullptr, 0, 200, DismissErrorDialog);
  SendMessageA(box.Handle(), BM_CLICK, 0, 0);
  KillTimer(nullptr, timer);
  EXPECT_FALSE(box.Checked());
  EXPECT_TRUE(IsWindow(form->Handle()));
}

}  // namespace

namespace {

const ComponentDescription kDialogComponents[] = {
    {.kind = ComponentKind::Edit, .name = "Field", .left = 10, .top = 10, .width = 200, .height = 37,
     .caption = "0", .tabOrder = 0},
    {.kind = ComponentKind::Button, .name = "Ok", .left = 10, .top = 60, .width = 144, .height = 39,
     .caption = "Apply", .tabOrder = 1, .isDefault = true},
    {.kind = ComponentKind::Button, .name = "No", .left = 170, .top = 60, .width = 144, .height = 39,
     .caption = "Cancel", .tabOrder = 2, .isCancel = true},
};

const tk::FormDescription kDialogDescription{.name = "KeysForm", .caption = "Dialog keys", .clientWidth = 330,
                                             .clientHeight = 110, .components = kDialogComponents};

struct KeysForm : tk::TForm {
  KeysForm() : tk::TForm(kDialogDescription) {
    Get<tk::TButton>("Ok").OnClick = [this] { clicked += "ok "; };
    Get<tk::TButton>("No").OnClick = [this] { clicked += "cancel "; };
  }
  std::string clicked;
};

// A key pressed in the edit field, as the application's message loop passes it on.
void PressInField(HWND field, WPARAM key) {
  MSG m{.hwnd = field, .message = WM_KEYDOWN, .wParam = key, .lParam = 1};
  if (!IsDialogMessageA(GetAncestor(field, GA_ROOT), &m)) DispatchMessageA(&m);
}

}  // namespace

// Enter clicks the default button and Escape the cancel button, while typing goes to the field.
TEST(ToolkitDialogKeys, EnterAndEscapeClickTheirButtons) {
  tk::TApplication application;
  KeysForm* form = &application.CreateForm<KeysForm>();
  form->Show();
  auto& field = form->Get<tk::TEdit>("Field");
  field.Focus();
  EXPECT_EQ(GetFocus(), field.Handle());

  field.SetText("3000x");
  EXPECT_EQ(field.Text(), "3000x");

  PressInField(field.Handle(), VK_RETURN);
  PressInField(field.Handle(), VK_ESCAPE);
  application.ProcessMessages();
  EXPECT_EQ(form->clicked, "ok cancel ");
  EXPECT_EQ(field.Text(), "3000x") << "the keys reach the buttons, not the text";
}
