#include "platform/qt/date_time.h"

#include <QLocale>
#include <QStringList>

namespace platform {

DateTime DateTime::Now() { return {Clock()()}; }

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

Seam<QDateTime()>& DateTime::Clock() {
    static Seam<QDateTime()> seam(QDateTime::currentDateTime);
    return seam;
}

}  // namespace platform
