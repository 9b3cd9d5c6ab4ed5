// The 64-bit extension's action: the user's choice ("x64", kept as Load64AtShow) holds only while
// the loader can be started. The loader's file is not known (no machine-wide key) or cannot be
// started: the choice is dropped, so that "x64" is saved as 0 and later shows do not retry.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "navigator/win32/desktop_model.h"
#include "scroller/win32/tavelmoor_form.h"
#include "toolkit/application.h"

namespace {

TEST(LoaderStart, AChoiceOfALoaderThatCannotStartIsDropped) {
  const struct {
    const char* what;
    const char* fileName;
  } cases[] = {
      {"the loader's file is not known", ""},
      {"the loader's file is not there", "tvm-no-such-loader.exe"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    navigator::DesktopModel model;
    auto application = std::make_unique<tk::TApplication>();
    auto form = std::make_unique<scroller::TTavelmoorForm>(model, application->End());
    form->LoaderFileName = c.fileName;
    model.Changes().Saved();
    form->Load64AtShow = false;
    form->Action64bitExecute();
    EXPECT_FALSE(form->Load64AtShow) << "x64 would be saved as 1";
    EXPECT_TRUE(model.Changes().Pending()) << "the choice would not be saved";
    form.reset();
    application.reset();
  }
}

}  // namespace
