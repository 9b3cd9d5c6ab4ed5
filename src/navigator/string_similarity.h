#pragma once
// How alike two window captions are, for matching a saved layout to the live windows: twice the
// matching characters over the total length, in percent. The matching characters are counted by
// taking the longest common run, then counting the parts right and left of it the same way.
// Letters a to z count without regard to case; every other byte is compared as it is. The measure
// is not symmetric: of several longest runs the first in the first text wins, so the order of
// the two texts matters (the live caption goes first, the saved one second).
#include <string>
#include <string_view>

namespace navigator {

// 0.0 to 100.0; 100.0 for texts equal but for the case of a to z (two empty texts too), 0.0 when
// only one of them is empty.
double StringSimilarity(std::string_view a, std::string_view b);

// The matching characters between positions from1..to1 of `a` and from2..to2 of `b` (1-based,
// inclusive); 0 for an empty or invalid range. The texts are compared as given: StringSimilarity
// upper-cases them first.
int CountMatchingChars(std::string_view a, std::string_view b, int from1, int to1, int from2, int to2);

// Only a to z change, each to its capital.
std::string UpperCaseAToZ(std::string_view text);

}  // namespace navigator
