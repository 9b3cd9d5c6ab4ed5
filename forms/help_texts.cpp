#include "help_texts.h"

namespace forms {
namespace {

const char kIntroduction[] =
    "Tavelmoor gives you a desktop without borders. When you push the mouse against\r\n"
    "an edge of the screen, all windows of the other programs move by the same step,\r\n"
    "so the desktop seems to scroll under a fixed screen and there is always room\r\n"
    "for one more window.\r\n"
    "\r\n"
    "Some programs do not let a maximized window move. Restore such a window and\r\n"
    "give it the size you want with the mouse; then it scrolls like the others.\r\n"
    "\r\n"
    "Scrolling follows the horizontal direction by default. Switch on the vertical\r\n"
    "option on the Options tab to extend the desktop upwards and downwards as well.\r\n"
    "\r\n"
    "The Scroll Lock key, or the Scroll Lock item of the tray menu, stops the\r\n"
    "scrolling at the screen edge until you switch it off again.\r\n"
    "\r\n"
    "Windows that should never move can be kept still: add their class to the list\r\n"
    "of non scrolling windows on the Scrolling Windows tab.\r\n"
    "\r\n"
    "The snap feature of Windows fights with scrolling. Switch it off in the\r\n"
    "Windows settings and let the auto arrange option keep your windows in order.";

const char kBiggerWindows[] =
    "A window can be larger than the physical screen. Move it partly off the screen,\r\n"
    "then drag its border with the mouse; scroll on and drag again until the window\r\n"
    "has the size you need.\r\n"
    "\r\n"
    "To give a window an exact size, activate it and choose \"Set window size\" in the\r\n"
    "tray menu. Enter the width and height and press \"Apply\". \"Clear resize\" takes\r\n"
    "the forced size away again. Check \"Remember size\" to give every new window of\r\n"
    "the same kind that size from then on.\r\n"
    "\r\n"
    "Windows of 64-bit programs can only be made larger than the screen while the\r\n"
    "64-bit extension runs. Load it with the check box on the Scrolling Windows tab\r\n"
    "or with \"Load 64bit extension\" in the tray menu.";

const char kMoreFunctions[] =
    "Hold Shift+Ctrl and every mouse movement scrolls the desktop, not only a push\r\n"
    "against an edge. The \"Always scroll\" option does the same without the keys.\r\n"
    "Hold Ctrl+Alt and push an edge to scroll one whole screen at a time.\r\n"
    "\r\n"
    "The Scrolling Windows tab lists the windows that scroll now and the window\r\n"
    "classes that never scroll; move a class between the lists with the buttons.\r\n"
    "\r\n"
    "\"Show\" in the tray menu opens this control panel again; \"exit\" ends the program\r\n"
    "and brings every window back onto the screen.\r\n"
    "\r\n"
    "\"Arrange windows\" puts the windows next to each other. \"Save window positions\"\r\n"
    "remembers where they are, and \"Restore window positions\" puts them back there,\r\n"
    "also after the next start.\r\n"
    "\r\n"
    "The limit option keeps the virtual desktop to the space that your windows use,\r\n"
    "so that you cannot get lost in empty space. \"Set virtual desktop size\" fixes\r\n"
    "its width and height instead.";

const char kDesktopOverview[] =
    "The desktop overview shows the whole virtual desktop at once. Hold\r\n"
    "Ctrl+Alt+Shift, or click the tray icon, and the overview stays open while the\r\n"
    "keys are held.\r\n"
    "\r\n"
    "The red frame is your screen. Click or drag with the left button to move it,\r\n"
    "and turn the mouse wheel to scroll. Click a window with the right button to\r\n"
    "activate it, or drag it with the right button to move it elsewhere.\r\n"
    "\r\n"
    "With the option for the real window look the overview shows screen shots of\r\n"
    "the windows. Only windows that are visible on the screen and not larger than\r\n"
    "it can be captured; a right click on a window takes a fresh picture of it.\r\n"
    "\r\n"
    "The option for a small navigation screen opens the overview at a third of the\r\n"
    "screen around the mouse instead of covering the whole screen.";

const char kLimitations[] =
    "Maximized windows can behave strangely when they scroll. Restore them and\r\n"
    "size them by hand, or switch on the option that stops scrolling while a\r\n"
    "maximized window is active.\r\n"
    "\r\n"
    "Programs that manage their own windows, such as some virtual machines and\r\n"
    "remote desktops, may not scroll at all.\r\n"
    "\r\n"
    "Close all programs before you leave Tavelmoor. It brings every window back\r\n"
    "onto the screen when it ends, but a program that is busy at that moment may\r\n"
    "keep a position outside the screen.";

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
