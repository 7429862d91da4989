#pragma once

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/core/color.h"
#include "platform/core/graphics.h"

namespace platform {

class Picture;

// What every control offers, whatever Qt widget it is.
class DesktopUIControl {
  public:
    explicit DesktopUIControl(QWidget* self) : self_(*self) {}
    virtual ~DesktopUIControl() = default;

    // Shown within its window (the window itself may be hidden).
    bool Visible() const;
    void Visible(bool visible);
    // In pixels within the window.
    void Top(std::int64_t top);
    std::int64_t Width() const;
    void Width(std::int64_t width);
    std::int64_t Height() const;
    void Height(std::int64_t height);
    void SetFocus();

  private:
    QWidget& self_;
};

class DesktopLabel : public QLabel, public DesktopUIControl {
    Q_OBJECT

  public:
    explicit DesktopLabel(QWidget* parent);

    // Texts may hold CR LF line endings; Text gives back exactly what was set.
    std::string Text() const { return text_; }
    void Text(const std::string& text);
    void TextColor(Color color);

  private:
    std::string text_;
};

class DesktopTextField : public QLineEdit, public DesktopUIControl {
    Q_OBJECT

  public:
    explicit DesktopTextField(QWidget* parent);

    std::string Text() const;
    // Raises TextChanged, as typing does.
    void Text(const std::string& text);
    void TextColor(Color color);
    void BackgroundColor(Color color);

    std::function<void(DesktopTextField&)> TextChanged;
};

class DesktopButton : public QPushButton, public DesktopUIControl {
    Q_OBJECT

  public:
    explicit DesktopButton(QWidget* parent);

    std::string Caption() const;
    void Caption(const std::string& caption);
    // Return in the window presses the default button; one button of a window is default.
    bool Default() const { return isDefault(); }
    void Default(bool on);
    // Runs the Pressed handler, as a click does.
    void Press();

    std::function<void(DesktopButton&)> Pressed;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A horizontal slider that reports its value when the thumb is let go.
class DesktopSlider : public QSlider, public DesktopUIControl {
    Q_OBJECT

  public:
    explicit DesktopSlider(QWidget* parent);

    std::int64_t Value() const { return value(); }
    void Value(std::int64_t v);

    std::function<void(DesktopSlider&)> ValueChanged;
};

class DesktopProgressBar : public QProgressBar, public DesktopUIControl {
    Q_OBJECT

  public:
    explicit DesktopProgressBar(QWidget* parent);

    double Value() const { return value_; }
    void Value(double value);
    std::int64_t MaximumValue() const { return maximum_; }
    // A maximum of 0 or below means the total is not known.
    void MaximumValue(std::int64_t maximum);

  private:
    void display();
    double value_ = 0;
    std::int64_t maximum_ = 100;
};

// A canvas with a back buffer. Its Paint handler draws into the buffer from a deferred
// call, never inside Qt's paint event, so that a modal box raised by a drawing cannot
// meet a repaint of the same widget; Qt's paint events only copy the buffer.
class DesktopCanvas : public QWidget, public DesktopUIControl {
    Q_OBJECT

  public:
    explicit DesktopCanvas(QWidget* parent);
    ~DesktopCanvas() override;

    // Drawn before the Paint handler, unscaled at the top left.
    void Backdrop(std::shared_ptr<Picture> picture);
    // Asks for a drawing after the current handler has returned; requests made before it
    // runs, or while it runs, give one more drawing.
    void Invalidate();

    std::function<void(DesktopCanvas&, Graphics&)> Paint;

    // The last drawing, at the screen's pixel density.
    const QImage& Buffer() const { return buffer_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void render();

    QImage buffer_;
    std::shared_ptr<Picture> backdrop_;
    bool scheduled_ = false;
    bool owed_ = true;  // a drawing was asked for while the canvas could not be seen
    bool rendering_ = false;
    bool again_ = false;
};

}  // namespace platform
