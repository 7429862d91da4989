#pragma once

#include <QDateTime>
#include <string>

#include "platform/core/seam.h"

namespace platform {

// A moment in local time.
class DateTime {
  public:
    enum class Style { None, Short, Long };

    // The current local date and time.
    static DateTime Now();
    // The date and the time in the user's locale, each in its style, a blank between.
    std::string ToString(Style date, Style time) const;

    // Where Now reads the time: the system's clock, or one that tests set.
    static Seam<QDateTime()>& Clock();

    QDateTime value;
};

}  // namespace platform
