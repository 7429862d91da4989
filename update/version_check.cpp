#include "update/version_check.h"

CheckOutcome Compare(const std::string& reply, const std::string& version) {
    if (reply.find('<') != std::string::npos) return CheckOutcome::BadLink;
    const int order = reply.compare(version);
    if (order > 0) return CheckOutcome::NewerPublished;
    if (order < 0) return CheckOutcome::RunningNewer;
    return CheckOutcome::UpToDate;
}

std::string OutcomeMessage(CheckOutcome outcome, const std::string& reply,
                           const std::string& version, const std::string& CR, bool darkMode) {
    switch (outcome) {
        case CheckOutcome::BadLink:
            return "There is a problem with the update link." + CR +
                   "Please use a browser to access link.";
        case CheckOutcome::NewerPublished:
            return "The newest version is " + reply + "." + CR + "You are running version " +
                   version + "." + CR + CR + "Download latest version to desktop?";
        case CheckOutcome::RunningNewer:
            return "You are running version " + version + CR + "which is newer than online " +
                   reply + ".";
        case CheckOutcome::UpToDate:
            break;
    }
    std::string upToDate = "You are running version " + version + "." + CR + CR +
                           "This 64 bit version of KORVA is up to date.";
    if (darkMode) upToDate += CR + "Currently running in dark mode.";
    return upToDate;
}
