#include "platform/qt/desktop_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/qt/desktop_application.h"
#include "platform/qt/desktop_controls.h"
#include "platform/qt/desktop_menu.h"

namespace platform {
namespace {

// The open windows, in the order they were opened.
std::vector<QPointer<DesktopWindow>>& openWindows() {
    static std::vector<QPointer<DesktopWindow>> windows;
    return windows;
}

// The window whose menu command is running, while it runs.
QPointer<DesktopWindow>& commandingWindow() {
    static QPointer<DesktopWindow> window;
    return window;
}

QColor qtColor(Color color) { return QColor::fromRgb(static_cast<QRgb>(color.rgb)); }

// The layouts place controls in pixels, for a 12-pixel interface font with Arial's
// metrics; sizes in points count at 96 dots per inch, whatever the desktop's setting.
constexpr int kSystemFontPixels = 12;
int pixelsOfPoints(int points) { return (points * 96 + 36) / 72; }

QFont systemFont() {
    QFont font = QGuiApplication::font();
    QStringList families = {"Liberation Sans", "Arimo", "Arial", "Helvetica"};
    families.append(font.families());
    font.setFamilies(families);
    font.setPixelSize(kSystemFontPixels);
    return font;
}

Qt::Alignment alignment(unsigned s) {
    const Qt::Alignment vertical = (s & style::Wraps) ? Qt::AlignTop : Qt::AlignVCenter;
    if (s & style::Right) return Qt::AlignRight | vertical;
    if (s & style::Centred) return Qt::AlignHCenter | vertical;
    return Qt::AlignLeft | vertical;
}

// What a control of each kind takes from its layout, before its place and font.
void initialise(QWidget* control, const ControlLayout& layout) {
    control->setObjectName(layout.name);
    if (auto* label = qobject_cast<DesktopLabel*>(control)) {
        label->TextColor(layout.textColor);
        label->Text(layout.text);
        label->setAlignment(alignment(layout.style));
        label->setWordWrap(layout.style & style::Wraps);
    } else if (auto* field = qobject_cast<DesktopTextField*>(control)) {
        field->BackgroundColor(0xFFFFFF);
        field->TextColor(layout.textColor);
        field->setFrame(!(layout.style & style::Frameless));
    } else if (auto* button = qobject_cast<DesktopButton*>(control)) {
        button->Caption(layout.text);
        button->Default(layout.style & style::Default);
    } else if (auto* slider = qobject_cast<DesktopSlider*>(control)) {
        slider->setRange(0, 100);
        slider->setSingleStep(1);
        slider->setPageStep(20);
        slider->setValue(0);
    }
}

// The light look every window keeps, whatever the desktop's theme: the windows' texts
// are black, and on a light ground they stay readable.
QPalette lightPalette() {
    QPalette palette(QColor(239, 239, 239));  // grey grounds, white fields, black texts
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, QColor(48, 140, 198));
    }
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, Qt::blue);
    palette.setColor(QPalette::LinkVisited, Qt::magenta);
    return palette;
}

// The screen that holds most of the frame, or the main screen when none holds any of it.
QScreen* screenHolding(const QRect& frame) {
    QScreen* holding = QGuiApplication::primaryScreen();
    qint64 most = 0;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->geometry() & frame;
        const qint64 area = common.isEmpty() ? 0 : qint64{common.width()} * common.height();
        if (area > most) {
            most = area;
            holding = screen;
        }
    }
    return holding;
}

QMargins marginsBetween(const QRect& frame, const QRect& client) {
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

}  // namespace

DesktopWindow::DesktopWindow(QWidget* owner) : QMainWindow(owner) {
    // Built here, not in the member list: adding a child already sends this window events.
    content_ = new QWidget(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setCentralWidget(content_);
    content_->installEventFilter(this);
    setFont(systemFont());
    applyLook();
    // The menu serves the whole program: its shortcuts also work in the windows its window
    // owns. The actions are the same, so each fires once.
    if (auto* menuOwner = dynamic_cast<DesktopWindow*>(owner)) addActions(menuOwner->menuActions_);
}

DesktopWindow::~DesktopWindow() { unregister(); }

void DesktopWindow::SetProperties(const WindowProperties& p) {
    // A secondary window is the owner's dialog, which the window manager keeps above it.
    Qt::WindowFlags flags = (p.Type == 3 && parentWidget() ? Qt::Dialog : Qt::Window) |
                            Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (p.HasCloseButton) flags |= Qt::WindowCloseButtonHint;
    if (p.HasMinimizeButton) flags |= Qt::WindowMinimizeButtonHint;
    if (p.HasMaximizeButton) flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
    setWindowTitle(QString::fromStdString(p.Title));

    if (p.BackgroundColor) {
        QPalette palette = content_->palette();
        palette.setColor(QPalette::Window, qtColor(*p.BackgroundColor));
        content_->setPalette(palette);
        content_->setAutoFillBackground(true);
    }

    // The limits go on the window itself too, so that the window manager's hints hold them.
    const int menuHeight = menuBar_ ? menuBar()->sizeHint().height() : 0;
    if (p.Resizeable) {
        content_->setMinimumSize(p.MinimumWidth, p.MinimumHeight);
        content_->setMaximumSize(p.MaximumWidth, p.MaximumHeight);
        setMinimumSize(p.MinimumWidth, p.MinimumHeight + menuHeight);
        setMaximumSize(p.MaximumWidth, p.MaximumHeight + menuHeight);
    } else {
        content_->setFixedSize(p.Width, p.Height);
        setFixedSize(p.Width, p.Height + menuHeight);
    }
    content_->resize(p.Width, p.Height);
    resize(p.Width, p.Height + menuHeight);

    // Where the window first stands; its opening handler may then move its left edge.
    QScreen* home = ownerScreen();
    if (!home) home = QGuiApplication::primaryScreen();
    const QRect screen = home ? home->availableGeometry() : QRect();
    if (p.DefaultLocation == 3) {
        move(screen.left() + std::max(0, (screen.width() - p.Width) / 2),
             screen.top() + std::max(0, (screen.height() - p.Height - menuHeight) / 2));
    } else {
        move(screen.left() + 40, screen.top() + 40);
    }
    visibleWhenOpened_ = p.Visible;
    type_ = p.Type;
}

void DesktopWindow::arrange(const std::vector<std::pair<QWidget*, ControlLayout>>& controls) {
    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const auto& [control, layout] : controls) {
        initialise(control, layout);
        // A label reaching past the right edge would lose the end of its text: it is moved
        // left to end at the edge.
        int left = layout.left;
        const bool label = qobject_cast<QLabel*>(control) != nullptr;
        if (label && left + layout.width > content_->width()) {
            left = std::max(0, content_->width() - layout.width);
        }
        control->setGeometry(left, layout.top, layout.width, layout.height);
        QFont font = control->font();
        font.setBold(layout.style & style::Bold);
        if (layout.fontSize > 0) font.setPixelSize(pixelsOfPoints(layout.fontSize));
        control->setFont(font);
        const bool takesFocus = !label && !qobject_cast<DesktopCanvas*>(control) &&
                                !qobject_cast<DesktopProgressBar*>(control);
        if (takesFocus) {
            control->setFocusPolicy(layout.tabIndex >= 0 ? Qt::StrongFocus : Qt::ClickFocus);
        } else {
            control->setFocusPolicy(Qt::NoFocus);
        }
        if (layout.tabIndex >= 0) tabOrder.emplace_back(layout.tabIndex, control);
        control->setVisible(!(layout.style & style::Hidden));
    }
    // Some label boxes overlap fields; labels paint their own ground, so they stay beneath.
    for (QWidget* control : content_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!qobject_cast<QLabel*>(control)) control->raise();
    }
    std::stable_sort(tabOrder.begin(), tabOrder.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    }
}

void DesktopWindow::open() {
    openWindows().emplace_back(this);
    opened_ = true;
    Event_Opening();
    if (visibleWhenOpened_ && !closed_) Show();  // a window closed while opening stays gone
}

void DesktopWindow::unregister() {
    std::erase_if(openWindows(), [this](const auto& window) { return !window || window == this; });
}

DesktopWindow* DesktopWindow::FrontDocumentWindow() {
    for (auto window = openWindows().rbegin(); window != openWindows().rend(); ++window) {
        if (*window && (*window)->type_ == 0) return *window;  // a closed window has left
    }
    return nullptr;
}

QWidget* DesktopWindow::DialogOwner() {
    if (commandingWindow()) return commandingWindow();
    return QApplication::activeWindow();
}

void DesktopWindow::CloseAll() {
    while (!openWindows().empty()) {
        QPointer<DesktopWindow> last = openWindows().back();
        openWindows().pop_back();
        if (last) last->Close();
        delete last.data();  // also a window that refused to close
    }
}

void DesktopWindow::Show() {
    if (isHidden()) {
        // The window manager gives the focus to the window it shows last. Asking for it as
        // well would race with the windows shown after this one.
        keepInsideScreen();
        show();
        return;
    }
    raise();
    activateWindow();
}

void DesktopWindow::Close() { close(); }

void DesktopWindow::Refresh() {
    for (auto* canvas : content_->findChildren<DesktopCanvas*>()) canvas->Invalidate();
    update();
}

std::int64_t DesktopWindow::Left() const { return pos().x(); }

void DesktopWindow::Left(std::int64_t left) {
    move(static_cast<int>(std::clamp<std::int64_t>(left, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)),
         pos().y());
}

ScreenBounds DesktopWindow::PlacementScreen() const {
    QScreen* screen = placementScreen();
    if (!screen) return {};
    const QRect bounds = screen->geometry();
    return {bounds.left(), bounds.top(), bounds.width(), bounds.height()};
}

std::int64_t DesktopWindow::Width() const { return content_->width(); }
std::int64_t DesktopWindow::Height() const { return content_->height(); }
std::string DesktopWindow::Title() const { return windowTitle().toStdString(); }
void DesktopWindow::Title(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
}

void DesktopWindow::MenuBar(DesktopMenuBar& bar) {
    menuBar_ = &bar;
    QMenuBar* qtBar = menuBar();
    qtBar->clear();
    menuActions_.clear();
    for (const auto& menuItem : bar.Children()) {
        if (!menuItem->Visible()) continue;
        // The title's first letter opens the menu with Alt; the title reads as it is.
        QString title = QString::fromStdString(menuItem->Text());
        title.replace('&', "&&");
        QMenu* menu = qtBar->addMenu('&' + title);
        menu->setObjectName(QString::fromStdString(menuItem->Name()));
        menu->setAttribute(Qt::WA_WindowPropagation);  // the window's look and font
        for (const auto& item : menuItem->Children()) {
            if (!item->Visible()) continue;
            QAction* action =
                menu->addAction(QString::fromStdString(item->Text()).replace('&', "&&"));
            action->setObjectName(QString::fromStdString(item->Name()));
            action->setShortcut(QKeySequence::fromString(QString::fromStdString(item->Shortcut()),
                                                         QKeySequence::PortableText));
            if (item->IsQuitItem()) action->setMenuRole(QAction::QuitRole);
            menuActions_.append(action);
            action->setEnabled(!item->AutoEnabled() || menuHandlers_.contains(item->Name()));
            connect(action, &QAction::triggered, this, [this, name = item->Name()] {
                auto handler = menuHandlers_.find(name);
                if (handler == menuHandlers_.end()) return;
                // Put back after it: a command run inside another's dialog leaves the outer
                // command's window in place.
                const QPointer<DesktopWindow> outer = std::exchange(commandingWindow(), this);
                RunHandler(handler->second);
                commandingWindow() = outer;
            });
        }
    }
}

void DesktopWindow::AddMenuHandler(const std::string& itemName, std::function<bool()> handler) {
    menuHandlers_[itemName] = std::move(handler);
    if (auto* action = findChild<QAction*>(QString::fromStdString(itemName)))
        action->setEnabled(true);
}

DesktopButton* DesktopWindow::defaultButton() const {
    for (auto* button : content_->findChildren<DesktopButton*>(Qt::FindDirectChildrenOnly)) {
        if (button->Default()) return button;
    }
    return nullptr;
}

// On a dark desktop the window takes the light look; on a light one, the desktop's own.
void DesktopWindow::applyLook() { setPalette(IsDarkMode() ? lightPalette() : QPalette()); }

// A window takes its place from its owner, so it goes on the owner's screen, wherever its
// own corner has been put; an owner that has not been shown has no place to go by.
QScreen* DesktopWindow::ownerScreen() const {
    const QWidget* owner = parentWidget();
    return owner && owner->isVisible() ? screenHolding(owner->frameGeometry()) : nullptr;
}

QScreen* DesktopWindow::placementScreen() const {
    QScreen* screen = ownerScreen();
    return screen ? screen : screenHolding(frameGeometry());
}

// Before a window is shown, its frame is put wholly inside the free area of its screen: it
// is moved in as far as it needs, and a window that can be resized is made smaller only
// where it is larger than the whole area. A window that fits stays where it is.
void DesktopWindow::keepInsideScreen() {
    // A window manager frames a window once it is shown; until then the frame is taken
    // to be that of a window it has framed already.
    QMargins frame = marginsBetween(frameGeometry(), geometry());
    frameGuessed_ = frame.isNull();
    for (const QPointer<DesktopWindow>& window : openWindows()) {
        if (!frame.isNull()) break;
        if (window && window->isVisible() && window != this) {
            frame = marginsBetween(window->frameGeometry(), window->geometry());
        }
    }
    QScreen* screen = ownerScreen();
    if (!screen) screen = screenHolding(geometry().marginsAdded(frame));
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    if (minimumSize() != maximumSize()) {
        const QSize fitted =
            size().boundedTo(area.size().shrunkBy(frame)).expandedTo(minimumSize());
        if (fitted != size()) resize(fitted);
    }
    const QSize outer = size().grownBy(frame);
    QPoint corner = pos();
    corner.setX(std::max(std::min(corner.x(), area.right() + 1 - outer.width()), area.left()));
    corner.setY(std::max(std::min(corner.y(), area.bottom() + 1 - outer.height()), area.top()));
    if (corner != pos()) move(corner);
    // A window that Qt has already made for the desktop (an owner is made with the first
    // window it owns) would be placed by its inside: it is told where its frame goes.
    if (QWindow* handle = windowHandle(); handle && isHidden()) {
        handle->resize(size());
        handle->setFramePosition(corner);
    }
}

bool DesktopWindow::event(QEvent* e) {
    // Another window's frame can differ from this one's (a resizable window's may have a
    // grip along its foot): the window manager's own frame is kept inside as well.
    if (e->type() == QEvent::Move && frameGuessed_ && isVisible() &&
        frameGeometry() != geometry()) {
        keepInsideScreen();
    }
    if (e->type() == QEvent::ApplicationPaletteChange || e->type() == QEvent::ThemeChange) {
        applyLook();
    }
    if (e->type() == QEvent::WindowActivate && opened_) RunHandler([this] { Event_Activated(); });
    if (e->type() == QEvent::WindowDeactivate && opened_) {
        RunHandler([this] { Event_Deactivated(); });
    }
    return QMainWindow::event(e);
}

bool DesktopWindow::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::Resize && watched == content_ && opened_ && !closed_) {
        RunHandler([this] { Event_Resized(); });
    }
    return QMainWindow::eventFilter(watched, e);
}

void DesktopWindow::closeEvent(QCloseEvent* e) {
    if (closed_) return;
    closed_ = true;
    e->accept();
    RunHandler([this] { Event_Closing(); });
    unregister();  // gone: the next access builds a fresh window
}

void DesktopWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier && ClosesOnEscape()) {
        RunHandler([this] { Close(); });
        return;
    }
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        DesktopButton* button = defaultButton();
        if (button && button->isVisible() && button->isEnabled()) {
            RunHandler([button] { button->Press(); });
            return;
        }
    }
    QMainWindow::keyPressEvent(e);
}

}  // namespace platform
