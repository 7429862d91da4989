#pragma once

#include <QDateTime>
#include <functional>
#include <string>

namespace platform {

// A moment in local time.
class DateTime {
  public:
    enum class Style { None, Short, Long };

    // The current local date and time.
    static DateTime Now();
    // The date and the time in the user's locale, each in its style, a blank between.
    std::string ToString(Style date, Style time) const;

    // Tests set the clock; an empty one restores the system's.
    static void SetClock(std::function<QDateTime()> clock);

    QDateTime value;
};

}  // namespace platform
