#pragma once

#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "platform/core/color.h"
#include "platform/qt/desktop_controls.h"

QT_FORWARD_DECLARE_CLASS(QScreen)

namespace platform {

class DesktopButton;
class DesktopCanvas;
class DesktopLabel;
class DesktopMenuBar;
class DesktopProgressBar;
class DesktopSlider;
class DesktopTextField;

struct WindowProperties {
    std::string Title;
    int Width = 0, Height = 0;  // the content area, below the menu bar
    int MinimumWidth = 0, MinimumHeight = 0;
    int MaximumWidth = 32000, MaximumHeight = 32000;
    // 0: a document window; 3: a secondary window, kept above the window that owns it.
    int Type = 0;
    // 0: near the top left of the screen; 3: centred on it. The screen is the owner's
    // while the owner is shown, else the main screen.
    int DefaultLocation = 0;
    bool HasCloseButton = true, HasMaximizeButton = false, HasMinimizeButton = false;
    bool Resizeable = false;
    bool Visible = true;
    std::optional<Color> BackgroundColor = std::nullopt;  // painted behind the controls when set
};

// Where a screen stands on the desktop, in pixels; screens left of or above the main one
// have negative coordinates.
struct ScreenBounds {
    std::int64_t Left = 0, Top = 0, Width = 0, Height = 0;
};

namespace style {
enum : unsigned {
    Bold = 1u << 0,
    Right = 1u << 1,     // right-aligned text
    Centred = 1u << 2,   // centred text
    Wraps = 1u << 3,     // several lines, broken at CR LF and at the control's width
    Hidden = 1u << 4,    // not shown when created
    Default = 1u << 5,   // the window's default button
    Frameless = 1u << 6  // a text field without a frame
};
}

// Where a window keeps one of its controls; the kind of member is the kind of control.
template <class Window>
using ControlMember = std::variant<DesktopLabel * Window::*, DesktopTextField * Window::*,
                                   DesktopButton * Window::*, DesktopSlider * Window::*,
                                   DesktopProgressBar * Window::*, DesktopCanvas * Window::*>;

// A control's place and looks, whatever its kind.
struct ControlLayout {
    const char* name;  // the control's name, as Qt's objectName
    int left, top, width, height;
    const char* text;  // a label's text or a button's caption
    unsigned style;
    int tabIndex;  // place in the Tab key's order; -1: not reached by Tab
    int fontSize;  // points; 0 for the system's size
    Color textColor;
};

// One row of a window's layout: the member that holds the control, then its layout.
template <class Window>
struct ControlSpec {
    ControlMember<Window> member;
    const char* name;
    int left, top, width, height;
    const char* text = "";
    unsigned style = 0;
    int tabIndex = -1;
    int fontSize = 0;
    Color textColor = 0x000000;

    constexpr ControlLayout layout() const {
        return {name, left, top, width, height, text, style, tabIndex, fontSize, textColor};
    }
};

// A top-level window whose controls sit at fixed positions in its content area.
// Each window class has at most one open window, reached through ImplicitInstance.
class DesktopWindow : public QMainWindow {
    Q_OBJECT

  public:
    ~DesktopWindow() override;

    // Shows a hidden window, inside the screen, where the window manager gives it the
    // focus; brings a shown one to the front and gives it the focus.
    void Show();
    // Raises Closing, then the window is gone.
    void Close();
    // Marks the window for a repaint after the current handler has returned.
    void Refresh();

    std::int64_t Left() const;
    void Left(std::int64_t left);
    std::int64_t Width() const;
    std::int64_t Height() const;
    std::string Title() const;
    void Title(const std::string& title);
    // The screen the window is placed on and kept inside when shown: its owner's while the
    // owner is shown, else the one that holds most of the window (the main screen when
    // none does).
    ScreenBounds PlacementScreen() const;

    DesktopMenuBar* MenuBar() const { return menuBar_; }
    void MenuBar(DesktopMenuBar& bar);
    // Choosing the item of that name runs the handler.
    void AddMenuHandler(const std::string& itemName, std::function<bool()> handler);

    // The open window that `open` holds; when there is none, make() builds one, which `open`
    // holds at once (so that the window's own Opening handler reaches it), then it is opened
    // and, if visible, shown. A window that has been closed is gone: the next call builds
    // a fresh one.
    template <class Window, class Make>
    static Window& ImplicitInstance(QPointer<Window>& open, Make make) {
        if (open && !open->closed_) return *open;
        Window* window = make();
        open = window;
        window->open();
        return *window;
    }

    // The document window opened last that is still open, or nullptr.
    static DesktopWindow* FrontDocumentWindow();

    // The window that owns a dialog or message box opened now, which the window manager
    // keeps above it: the window whose menu command is running (also when the command was
    // given in a window it owns), else the active window; nullptr when there is neither.
    static QWidget* DialogOwner();

    // Closes every open window, the last opened first, as the program ends.
    static void CloseAll();

  protected:
    explicit DesktopWindow(QWidget* owner = nullptr);

    // The window's size, kind, frame, title and colours.
    void SetProperties(const WindowProperties& properties);
    // Builds the controls in table order: each is created into its member, given its
    // colours and then its properties. No handler is attached yet, so building raises none.
    template <class Window>
    void CreateControls(Window& window, std::span<const ControlSpec<Window>> controls) {
        std::vector<std::pair<QWidget*, ControlLayout>> made;
        for (const ControlSpec<Window>& spec : controls) {
            QWidget* control = std::visit(
                [&](auto member) -> QWidget* {
                    using Control =
                        std::remove_pointer_t<std::remove_reference_t<decltype(window.*member)>>;
                    auto* created = new Control(content_);
                    window.*member = created;
                    return created;
                },
                spec.member);
            made.emplace_back(control, spec.layout());
        }
        arrange(made);
    }

    virtual void Event_Opening() {}
    virtual void Event_Closing() {}
    virtual void Event_Resized() {}
    virtual void Event_Activated() {}
    virtual void Event_Deactivated() {}

    // Whether Escape closes the window now, as its close box does.
    virtual bool ClosesOnEscape() const { return false; }

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void open();
    void unregister();
    void arrange(const std::vector<std::pair<QWidget*, ControlLayout>>& controls);
    DesktopButton* defaultButton() const;
    void applyLook();
    QScreen* placementScreen() const;
    QScreen* ownerScreen() const;
    void keepInsideScreen();

    QWidget* content_ = nullptr;
    DesktopMenuBar* menuBar_ = nullptr;
    QList<QAction*> menuActions_;  // the commands of the menu bar's menus
    std::map<std::string, std::function<bool()>, std::less<>> menuHandlers_;
    bool visibleWhenOpened_ = true;
    int type_ = 0;
    bool frameGuessed_ = false;  // shown with another window's frame taken for its own
    bool opened_ = false;
    bool closed_ = false;
};

}  // namespace platform
