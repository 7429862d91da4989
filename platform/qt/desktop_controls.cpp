#include "platform/qt/desktop_controls.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPalette>
#include <QResizeEvent>
#include <QScopeGuard>
#include <algorithm>
#include <cmath>

#include "platform/qt/desktop_application.h"
#include "platform/qt/picture.h"
#include "platform/qt/qt_graphics.h"

namespace platform {
namespace {

QColor qtColor(Color color) { return QColor::fromRgb(static_cast<QRgb>(color.rgb)); }

void setRole(QWidget& widget, QPalette::ColorRole role, Color color) {
    QPalette palette = widget.palette();
    palette.setColor(role, qtColor(color));
    widget.setPalette(palette);
}

}  // namespace

bool DesktopUIControl::Visible() const { return !self_.isHidden(); }
void DesktopUIControl::Visible(bool visible) { self_.setVisible(visible); }
void DesktopUIControl::Top(std::int64_t top) {
    self_.move(self_.x(),
               static_cast<int>(std::clamp<std::int64_t>(top, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)));
}
std::int64_t DesktopUIControl::Width() const { return self_.width(); }
void DesktopUIControl::Width(std::int64_t width) {
    self_.resize(static_cast<int>(std::clamp<std::int64_t>(width, 0, QWIDGETSIZE_MAX)),
                 self_.height());
}
std::int64_t DesktopUIControl::Height() const { return self_.height(); }
void DesktopUIControl::Height(std::int64_t height) {
    self_.resize(self_.width(),
                 static_cast<int>(std::clamp<std::int64_t>(height, 0, QWIDGETSIZE_MAX)));
}
void DesktopUIControl::SetFocus() { self_.setFocus(Qt::OtherFocusReason); }

DesktopLabel::DesktopLabel(QWidget* parent) : QLabel(parent), DesktopUIControl(this) {
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);  // labels paint their own background
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void DesktopLabel::Text(const std::string& text) {
    text_ = text;
    QString shown = QString::fromStdString(text);
    shown.replace("\r\n", "\n");
    setText(shown);
}

void DesktopLabel::TextColor(Color color) { setRole(*this, QPalette::WindowText, color); }

DesktopTextField::DesktopTextField(QWidget* parent) : QLineEdit(parent), DesktopUIControl(this) {
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (TextChanged) RunHandler([this] { TextChanged(*this); });
    });
}

std::string DesktopTextField::Text() const { return text().toStdString(); }
void DesktopTextField::Text(const std::string& text) { setText(QString::fromStdString(text)); }
void DesktopTextField::TextColor(Color color) { setRole(*this, QPalette::Text, color); }
void DesktopTextField::BackgroundColor(Color color) { setRole(*this, QPalette::Base, color); }

DesktopButton::DesktopButton(QWidget* parent) : QPushButton(parent), DesktopUIControl(this) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { RunHandler([this] { Press(); }); });
}

std::string DesktopButton::Caption() const { return text().toStdString(); }
void DesktopButton::Caption(const std::string& caption) {
    setText(QString::fromStdString(caption));
}

void DesktopButton::Default(bool on) {
    if (on && parentWidget()) {
        for (auto* other :
             parentWidget()->findChildren<DesktopButton*>(Qt::FindDirectChildrenOnly)) {
            if (other != this) other->setDefault(false);
        }
    }
    setDefault(on);
}

void DesktopButton::Press() {
    if (Pressed) Pressed(*this);
}

// Return and Enter belong to the window, which presses its default button with them
// wherever the focus is; some desktop themes would let them press the focused button.
// Space still presses the focused one.
void DesktopButton::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->ignore();
        return;
    }
    QPushButton::keyPressEvent(e);
}

DesktopSlider::DesktopSlider(QWidget* parent)
    : QSlider(Qt::Horizontal, parent), DesktopUIControl(this) {
    setTracking(false);  // a drag reports once, when the thumb is let go
    connect(this, &QSlider::valueChanged, this, [this] {
        if (ValueChanged) RunHandler([this] { ValueChanged(*this); });
    });
}

void DesktopSlider::Value(std::int64_t v) {
    setValue(static_cast<int>(std::clamp<std::int64_t>(v, minimum(), maximum())));
}

DesktopProgressBar::DesktopProgressBar(QWidget* parent)
    : QProgressBar(parent), DesktopUIControl(this) {
    display();
}

void DesktopProgressBar::Value(double value) {
    value_ = value;
    display();
}

void DesktopProgressBar::MaximumValue(std::int64_t maximum) {
    maximum_ = maximum;
    display();
}

void DesktopProgressBar::display() {
    // Counts of any size are shown in thousandths; a value above the maximum fills the bar.
    constexpr int kSteps = 1000;
    if (maximum_ <= 0) {
        setRange(0, 0);  // the total is not known: a busy bar
        return;
    }
    setRange(0, kSteps);
    const double fraction = std::isfinite(value_) ? value_ / static_cast<double>(maximum_) : 0.0;
    setValue(static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * kSteps)));
}

DesktopCanvas::DesktopCanvas(QWidget* parent) : QWidget(parent), DesktopUIControl(this) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

DesktopCanvas::~DesktopCanvas() = default;

void DesktopCanvas::Backdrop(std::shared_ptr<Picture> picture) {
    backdrop_ = std::move(picture);
    Invalidate();
}

void DesktopCanvas::Invalidate() {
    if (rendering_) {
        again_ = true;
        return;
    }
    if (scheduled_) return;
    scheduled_ = true;
    QMetaObject::invokeMethod(
        this, [this] { RunHandler([this] { render(); }); }, Qt::QueuedConnection);
}

void DesktopCanvas::render() {
    scheduled_ = false;
    if (!isVisible()) {
        owed_ = true;  // drawn when it is shown
        return;
    }
    owed_ = false;
    rendering_ = true;
    auto done = qScopeGuard([this] {
        rendering_ = false;
        update();
        if (std::exchange(again_, false)) Invalidate();
    });
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize().expandedTo(QSize(1, 1));
    if (buffer_.size() != pixels) buffer_ = QImage(pixels, QImage::Format_RGB32);
    buffer_.setDevicePixelRatio(ratio);
    buffer_.fill(palette().color(QPalette::Window));
    QtGraphics g(&buffer_);
    if (backdrop_)
        g.DrawPicture(*backdrop_, 0, 0, backdrop_->Width(), backdrop_->Height(), 0, 0,
                      backdrop_->Width(), backdrop_->Height());
    if (Paint) Paint(*this, g);
}

void DesktopCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (buffer_.isNull()) {
        painter.fillRect(rect(), palette().color(QPalette::Window));
        return;
    }
    painter.drawImage(QPointF(0, 0), buffer_);
}

void DesktopCanvas::resizeEvent(QResizeEvent*) { Invalidate(); }

void DesktopCanvas::showEvent(QShowEvent*) {
    if (owed_) Invalidate();
}

}  // namespace platform
