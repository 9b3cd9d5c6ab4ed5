#pragma once
// Window properties by which test_windows.exe tells the DWM double what to answer for a window.
// Properties live with the window, so the double reads them from any process with GetPropA.
// A margin is stored as its value (an absent property reads as 0).

namespace tvmtw {

inline constexpr const char* kCloakedProperty = "TvmCloaked";
inline constexpr const char* kFrameMarginProperties[4] = {"TvmFrameMarginLeft", "TvmFrameMarginTop",
                                                          "TvmFrameMarginRight", "TvmFrameMarginBottom"};

}  // namespace tvmtw
