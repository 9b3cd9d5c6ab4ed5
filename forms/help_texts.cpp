#include "help_texts.h"

namespace forms {
namespace {

const char kIntroduction[] =
    "Tavelmoor gives you a desktop without borders. Push the mouse against an\r\n"
    "edge of the screen and all windows of the other programs move by the same\r\n"
    "step, so the desktop seems to scroll under a fixed screen.\r\n"
    "\r\n"
    "Some programs do not let a maximized window move. Restore such a window\r\n"
    "and give it its size with the mouse; then it scrolls like the others.\r\n"
    "\r\n"
    "Scrolling is horizontal by default. The vertical option on the Options tab\r\n"
    "extends the desktop upwards and downwards as well.\r\n"
    "\r\n"
    "The Scroll Lock key, or the Scroll Lock item of the tray menu, stops the\r\n"
    "scrolling at the screen edge.\r\n"
    "\r\n"
    "Windows that must never move: add their class to the non scrolling classes\r\n"
    "on the Scrolling Windows tab.\r\n"
    "\r\n"
    "The snap feature of Windows fights with scrolling: switch it off and let\r\n"
    "the auto arrange option keep your windows in order.";

const char kBiggerWindows[] =
    "A window can be larger than the physical screen. Move it partly off the\r\n"
    "screen, then drag its border with the mouse; scroll on and drag again\r\n"
    "until the window has the size you need.\r\n"
    "\r\n"
    "To give a window an exact size, activate it and choose \"Set window size\"\r\n"
    "in the tray menu. Enter the width and height and press \"Apply\". \"Clear\r\n"
    "resize\" takes the forced size away again. Check \"Remember size\" to give\r\n"
    "every new window of the same kind that size from then on.\r\n"
    "\r\n"
    "Windows of 64-bit programs can only be made larger than the screen while\r\n"
    "the 64-bit extension runs. Load it with the check box on the Scrolling\r\n"
    "Windows tab or with \"Load 64bit extension\" in the tray menu.";

const char kMoreFunctions[] =
    "Hold Shift+Ctrl and every mouse movement scrolls the desktop, not only a\r\n"
    "push against an edge. The \"Always scroll\" option does the same without\r\n"
    "the keys. Hold Ctrl+Alt and push an edge to scroll one whole screen at a\r\n"
    "time.\r\n"
    "\r\n"
    "The Scrolling Windows tab lists the windows that scroll now and the window\r\n"
    "classes that never scroll; move a class between the lists with the\r\n"
    "buttons.\r\n"
    "\r\n"
    "\"Show\" in the tray menu opens this control panel again; \"exit\" ends\r\n"
    "the program and brings every window back onto the screen.\r\n"
    "\r\n"
    "\"Arrange windows\" puts the windows next to each other. \"Save window\r\n"
    "positions\" remembers where they are, and \"Restore window positions\"\r\n"
    "puts them back there, also after the next start.\r\n"
    "\r\n"
    "The limit option keeps the virtual desktop to the space that your windows\r\n"
    "use, so that you cannot get lost in empty space. \"Set virtual desktop\r\n"
    "size\" fixes its width and height instead.";

const char kDesktopOverview[] =
    "The desktop overview shows the whole virtual desktop at once. Hold\r\n"
    "Ctrl+Alt+Shift, or click the tray icon, and the overview stays open while\r\n"
    "the keys are held.\r\n"
    "\r\n"
    "The red frame is your screen. Click or drag with the left button to move\r\n"
    "it, and turn the mouse wheel to scroll. Click a window with the right\r\n"
    "button to activate it, or drag it with the right button to move it\r\n"
    "elsewhere.\r\n"
    "\r\n"
    "With the option for the real window look the overview shows screen shots\r\n"
    "of the windows. Only windows that are visible on the screen and not larger\r\n"
    "than it can be captured; a right click on a window takes a fresh picture\r\n"
    "of it.\r\n"
    "\r\n"
    "The option for a small navigation screen opens the overview at a third of\r\n"
    "the screen around the mouse instead of covering the whole screen.";

const char kLimitations[] =
    "Maximized windows can behave strangely when they scroll. Restore them and\r\n"
    "size them by hand, or switch on the option that stops scrolling while a\r\n"
    "maximized window is active.\r\n"
    "\r\n"
    "Programs that manage their own windows, such as some virtual machines and\r\n"
    "remote desktops, may not scroll at all.\r\n"
    "\r\n"
    "Close all programs before you leave Tavelmoor. It brings every window back\r\n"
    "onto the screen when it ends, but a program that is busy at that moment\r\n"
    "may keep a position outside the screen.";

const char kContact[] =
    "Tavelmoor is made by the Tavelmoor developers.\r\n"
    "\r\n"
    "Questions, ideas and reports of trouble are welcome:\r\n"
    "  mail: tavelmoor@example.org\r\n"
    "  web:  https://tavelmoor.example.org\r\n"
    "\r\n"
    "Thank you for using Tavelmoor, and for every suggestion that made it better.";

const char* const kHelpTexts[kHelpTopicCount] = {
    kIntroduction, kBiggerWindows, kMoreFunctions,
    kDesktopOverview, kLimitations, kContact,
};

}  // namespace

const char* const kHelpTopics[kHelpTopicCount] = {"Introduction",     "Bigger windows", "More functions",
                                                  "Desktop overview", "Limitations",    "Contact"};

const char kWelcomeLine[] = "Welcome to Tavelmoor 1.0, the desktop that scrolls.";
const char kMakerNotice[] = "Made by the Tavelmoor developers. Free to use and to share.";

const char* HelpText(int topicIndex) {
  if (topicIndex < 0 || topicIndex >= kHelpTopicCount) return nullptr;
  return kHelpTexts[topicIndex];
}

}  // namespace forms
