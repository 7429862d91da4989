// The update check's decision on any reply, in any bytes, against any running version:
// a reply with "<" is a web page; otherwise both texts are compared whole, and the order
// is a strict one. The message carries both texts as they are and, invalid UTF-8 and all,
// becomes a label's text.
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "update/version_check.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

CheckOutcome mirrored(CheckOutcome outcome) {
    if (outcome == CheckOutcome::NewerPublished) return CheckOutcome::RunningNewer;
    if (outcome == CheckOutcome::RunningNewer) return CheckOutcome::NewerPublished;
    return outcome;
}

}  // namespace

// The first byte says how much of the rest is the reply; the remainder is the version.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t split = std::min<std::size_t>(data[0], size - 1);
    const std::string reply(reinterpret_cast<const char*>(data) + 1, split);
    const std::string version(reinterpret_cast<const char*>(data) + 1 + split, size - 1 - split);

    const CheckOutcome outcome = Compare(reply, version);
    const bool page = reply.find('<') != std::string::npos;
    if ((outcome == CheckOutcome::BadLink) != page) fail("a web page is the one bad link");
    if (!page) {
        if ((outcome == CheckOutcome::UpToDate) != (reply == version))
            fail("equal means up to date");
        if (version.find('<') == std::string::npos &&
            Compare(version, reply) != mirrored(outcome)) {
            fail("the order is not antisymmetric");
        }
    }

    for (bool dark : {false, true}) {
        const std::string message = OutcomeMessage(outcome, reply, version, "\r\n", dark);
        if (message.empty()) fail("no message");
        if (outcome == CheckOutcome::NewerPublished || outcome == CheckOutcome::RunningNewer) {
            if (message.find(reply) == std::string::npos) fail("the reply is not in the message");
        }
        if (outcome != CheckOutcome::BadLink && message.find(version) == std::string::npos) {
            fail("the running version is not in the message");
        }
        if (QString::fromStdString(message).isEmpty()) fail("the label would show nothing");
    }
    return 0;
}
