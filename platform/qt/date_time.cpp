#include "platform/qt/date_time.h"

#include <QLocale>
#include <QStringList>

namespace platform {
namespace {

std::function<QDateTime()>& clock() {
    static std::function<QDateTime()> current;
    return current;
}

}  // namespace

DateTime DateTime::Now() { return {clock() ? clock()() : QDateTime::currentDateTime()}; }

std::string DateTime::ToString(Style date, Style time) const {
    const QLocale locale;
    auto format = [](Style s) {
        return s == Style::Long ? QLocale::LongFormat : QLocale::ShortFormat;
    };
    QStringList parts;
    if (date != Style::None) parts << locale.toString(value.date(), format(date));
    if (time != Style::None) parts << locale.toString(value.time(), format(time));
    return parts.join(' ').toStdString();
}

void DateTime::SetClock(std::function<QDateTime()> replacement) {
    clock() = std::move(replacement);
}

}  // namespace platform
