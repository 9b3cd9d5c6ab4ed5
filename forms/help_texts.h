#pragma once
// The texts of the control panel's Help tab.

namespace forms {

inline constexpr int kHelpTopicCount = 6;

// The help combo's items, in the order of their texts.
extern const char* const kHelpTopics[kHelpTopicCount];

// The welcome line above the topic choice and the maker's notice below it.
extern const char kWelcomeLine[];
extern const char kMakerNotice[];

// The help text of a topic index (lines joined by CR LF); nullptr for any other index, such as
// -1 when no topic is selected, so that the shown text stays as it was.
const char* HelpText(int topicIndex);

}  // namespace forms
