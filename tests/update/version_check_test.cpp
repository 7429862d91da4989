#include <gtest/gtest.h>

#include <string>

#include "update/version_check.h"

namespace {

const std::string kRunning = "1.61 December 31, 2021";

struct Case {
    const char* name;
    std::string reply;
    CheckOutcome outcome;
};

// Worked by hand from the bytes: the first byte that differs decides, as an unsigned value;
// a text that is the start of the other orders before it.
TEST(PublishedVersion, ComparesTheWholeTextsByteByByte) {
    const Case cases[] = {
        {"the same text", kRunning, CheckOutcome::UpToDate},
        {"a later minor version", "1.7 January 1, 2023", CheckOutcome::NewerPublished},
        {"more digits, but '1' before '6'", "1.100 March 3, 2030", CheckOutcome::RunningNewer},
        {"empty", "", CheckOutcome::RunningNewer},
        {"a line break after the running text", kRunning + "\n", CheckOutcome::NewerPublished},
        {"the running text cut short", kRunning.substr(0, kRunning.size() - 1),
         CheckOutcome::RunningNewer},
        {"a blank before it", " " + kRunning, CheckOutcome::RunningNewer},
        {"lower case after upper case", "1.61 december 31, 2021", CheckOutcome::NewerPublished},
        {"UTF-8 after ASCII", "1.61 \xC3\xA9t\xC3\xA9 2021", CheckOutcome::NewerPublished},
        {"a web page", "<html><body>Moved</body></html>", CheckOutcome::BadLink},
        {"'<' at the end of a newer text", "1.7<", CheckOutcome::BadLink},
        {"'<' alone", "<", CheckOutcome::BadLink},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Compare(c.reply, kRunning), c.outcome) << c.name;
    }
    // A "<" in the running text says nothing about the reply.
    EXPECT_EQ(Compare("1.7", "1.6<beta>"), CheckOutcome::NewerPublished);
}

TEST(PublishedVersion, OnlyTheUpToDateMessageSaysDarkMode) {
    EXPECT_EQ(OutcomeMessage(CheckOutcome::UpToDate, kRunning, kRunning, "\n", true),
              "You are running version 1.61 December 31, 2021.\n\n"
              "This 64 bit version of KORVA is up to date.\nCurrently running in dark mode.");
    EXPECT_EQ(OutcomeMessage(CheckOutcome::RunningNewer, "1.5", kRunning, "\n", true),
              "You are running version 1.61 December 31, 2021\nwhich is newer than online 1.5.");
}

}  // namespace
