#pragma once

#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QStyle>
#include <QWidget>
#include <string>
#include <vector>

namespace korva::test {

// What keeps a part of a label's text from the user: every shown label of the window, whose
// text must fit its box (its lines as the label breaks them) and whose drawn pixels no other
// control may cover. Gives one line for each label that falls short.
inline std::vector<std::string> hiddenTexts(QWidget& window) {
    std::vector<std::string> problems;
    const QImage whole = window.grab().toImage();
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&window) || label->text().isEmpty()) continue;
        const std::string name = label->objectName().toStdString();
        const QRect box = label->contentsRect();
        const int flags = QStyle::visualAlignment(label->layoutDirection(), label->alignment()) |
                          (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = label->fontMetrics().boundingRect(box, flags, label->text());
        if (!box.contains(needed)) {
            problems.push_back(name + " needs " + std::to_string(needed.width()) + " by " +
                               std::to_string(needed.height()) + " pixels, has " +
                               std::to_string(box.width()) + " by " + std::to_string(box.height()));
        }
        // The label drawn alone against the window as the user sees it.
        const QImage alone = label->grab().toImage();
        const QRgb ground = alone.pixel(0, 0);
        const QPoint at = label->mapTo(&window, QPoint(0, 0));
        int covered = 0;
        for (int y = 0; y < alone.height(); ++y) {
            for (int x = 0; x < alone.width(); ++x) {
                const QRgb ink = alone.pixel(x, y);
                if (ink != ground && whole.pixel(at + QPoint(x, y)) != ink) ++covered;
            }
        }
        if (covered > 0) {
            problems.push_back(name + ": " + std::to_string(covered) + " pixels of its text covered");
        }
    }
    return problems;
}

}  // namespace korva::test
