#pragma once

#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QStyle>
#include <QWidget>
#include <string>
#include <vector>

namespace korva::test {

// What keeps a part of a window's texts and controls from the user: every shown label's text
// must fit its box (its lines as the label breaks them) and no other control may cover its
// drawn pixels; no label may lie over another control. Gives one line for each control
// that falls short.
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
            problems.push_back(name + ": " + std::to_string(covered) +
                               " pixels of its text covered");
        }
    }
    // No label's box lies over a field, button or any other control: labels stay beneath.
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (qobject_cast<QLabel*>(control) || !control->isVisibleTo(&window) ||
            control->objectName().isEmpty() || !control->parentWidget()) {
            continue;
        }
        const QObjectList siblings = control->parentWidget()->children();  // bottom to top
        for (qsizetype i = siblings.indexOf(control) + 1; i < siblings.size(); ++i) {
            auto* above = qobject_cast<QLabel*>(siblings[i]);
            if (above && above->isVisibleTo(&window) &&
                above->geometry().intersects(control->geometry())) {
                problems.push_back(above->objectName().toStdString() + " lies over " +
                                   control->objectName().toStdString());
            }
        }
    }
    return problems;
}

}  // namespace korva::test
