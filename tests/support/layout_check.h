#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QSlider>
#include <QWidget>
#include <QWindow>
#include <string>
#include <vector>

namespace korva::test {

// How a control's text looks, beyond its font's size and colour.
enum Looks : unsigned { Hidden = 1, Bold = 2, Right = 4, Centred = 8, Wraps = 16 };

// One control of a window's layout as the user meets it.
struct ControlRow {
    enum Kind { Label, Field, Button, Slider, Canvas } kind;
    const char* name;
    int left, top, width, height;
    std::string text = "";  // a label's text or a button's caption
    unsigned looks = 0;
    int pixels = 12;           // the font's height in pixels
    QColor color = Qt::black;  // a label's or a field's text
};

inline const char* kindName(ControlRow::Kind kind) {
    switch (kind) {
        case ControlRow::Label:
            return "label";
        case ControlRow::Field:
            return "text field";
        case ControlRow::Button:
            return "button";
        case ControlRow::Slider:
            return "slider";
        case ControlRow::Canvas:
            return "canvas";
    }
    return "";
}

// Checks each control of `rows`, found by its name among the window's own children.
inline void expectLayout(QWidget& window, const std::vector<ControlRow>& rows) {
    for (const ControlRow& row : rows) {
        SCOPED_TRACE(row.name);
        auto* widget = window.findChild<QWidget*>(row.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), QRect(row.left, row.top, row.width, row.height));
        EXPECT_EQ(widget->isVisibleTo(&window), !(row.looks & Hidden));
        EXPECT_EQ(widget->font().bold(), (row.looks & Bold) != 0);
        EXPECT_FALSE(widget->font().italic() || widget->font().underline());
        EXPECT_EQ(widget->fontInfo().pixelSize(), row.pixels);
        auto* label = qobject_cast<QLabel*>(widget);
        auto* field = qobject_cast<QLineEdit*>(widget);
        auto* button = qobject_cast<QPushButton*>(widget);
        const bool kindMatches =
            (row.kind == ControlRow::Label) == (label != nullptr) &&
            (row.kind == ControlRow::Field) == (field != nullptr) &&
            (row.kind == ControlRow::Button) == (button != nullptr) &&
            (row.kind == ControlRow::Slider) == (qobject_cast<QSlider*>(widget) != nullptr);
        EXPECT_TRUE(kindMatches) << "not a " << kindName(row.kind);
        if (label) {
            EXPECT_EQ(label->text().replace('\n', "\r\n").toStdString(), row.text);
            const Qt::Alignment alignment = (row.looks & Right)     ? Qt::AlignRight
                                            : (row.looks & Centred) ? Qt::AlignHCenter
                                                                    : Qt::AlignLeft;
            EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, alignment);
            EXPECT_EQ(label->wordWrap(), (row.looks & Wraps) != 0);
            EXPECT_EQ(label->palette().color(QPalette::WindowText), row.color);
            EXPECT_TRUE(label->autoFillBackground()) << "labels paint their own ground";
            EXPECT_FALSE(label->textInteractionFlags() & Qt::TextSelectableByMouse);
        }
        if (field) {
            EXPECT_EQ(field->text().toStdString(), row.text);
            EXPECT_EQ(field->palette().color(QPalette::Text), row.color);
            EXPECT_EQ(field->palette().color(QPalette::Base), QColor(Qt::white));
            EXPECT_EQ(field->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
            EXPECT_FALSE(field->isReadOnly());
            EXPECT_EQ(field->echoMode(), QLineEdit::Normal);
        }
        if (button) {
            EXPECT_EQ(button->text().toStdString(), row.text);
        }
    }
}

// A window of fixed size: the window manager is told that its least and largest sizes are
// the one it has.
inline void expectFixedSize(QWidget& window) {
    ASSERT_NE(window.windowHandle(), nullptr);
    EXPECT_EQ(window.windowHandle()->minimumSize(), window.size());
    EXPECT_EQ(window.windowHandle()->maximumSize(), window.size());
}

}  // namespace korva::test
