#pragma once

#include <string>

// What the text published on the home page says about the running version.
enum class CheckOutcome { BadLink, NewerPublished, RunningNewer, UpToDate };

// A reply holding "<" is a web page, not a version text; otherwise both texts are
// compared whole, byte by byte (for UTF-8 the order of the code points).
CheckOutcome Compare(const std::string& reply, const std::string& version);

// The message shown for an outcome, its lines joined with `CR`.
std::string OutcomeMessage(CheckOutcome outcome, const std::string& reply,
                           const std::string& version, const std::string& CR, bool darkMode);
