#pragma once
// Splitting a command line into arguments by the rules of Windows'
// CommandLineToArgvW, so that the same text splits the same way on every
// build:
// - The first argument is the program: a quoted one ends at the next quote
//   whatever follows, an unquoted one at the first blank (space or tab);
//   backslashes are plain characters there.
// - Later arguments are separated by blanks outside quotes. 2n backslashes
//   before a quote are n backslashes and the quote opens or closes quoting;
//   2n+1 are n backslashes and a literal quote. Backslashes not before a
//   quote are literal.
// - Inside quotes, each third quote of a run of consecutive quotes is a
//   literal quote, and a run that leaves two open ends the quoting.
// An empty line gives no arguments (Windows would name the running program);
// a line that starts with a blank gives an empty first argument.

#include <string>
#include <string_view>
#include <vector>

namespace kva {

std::vector<std::u16string> SplitArguments(std::u16string_view commandLine);

}  // namespace kva
