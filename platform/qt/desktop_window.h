#pragma once

#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/core/color.h"
#include "platform/core/errors.h"

namespace platform {

class DesktopButton;
class DesktopMenuBar;

// The error of reaching something that is not there.
class NilObjectException : public PlatformError {
  public:
    using PlatformError::PlatformError;
};

struct WindowProperties {
    std::string Title;
    int Width = 0, Height = 0;  // the content area, below the menu bar
    int MinimumWidth = 0, MinimumHeight = 0;
    int MaximumWidth = 32000, MaximumHeight = 32000;
    // 0: a document window; 3: a secondary window, kept above the window that owns it.
    int Type = 0;
    // 0: near the top left of the main screen; 3: centred on it.
    int DefaultLocation = 0;
    bool HasCloseButton = true, HasMaximizeButton = false, HasMinimizeButton = false;
    bool Resizeable = false;
    bool Visible = true;
    std::optional<Color> BackgroundColor = std::nullopt;  // painted behind the controls when set
};

enum class ControlKind { Label, TextField, Button, Slider, ProgressBar, Canvas };

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

// One row of a window's layout.
struct ControlSpec {
    ControlKind kind;
    const char* name;
    int left, top, width, height;
    const char* text = "";  // a label's text or a button's caption
    unsigned style = 0;
    int tabIndex = -1;  // place in the Tab key's order; -1: not reached by Tab
    int fontSize = 0;   // points; 0 for the system's size
    Color textColor = 0x000000;
};

// A top-level window whose controls sit at fixed positions in its content area.
// Each window class has at most one open window, reached through ImplicitInstance.
class DesktopWindow : public QMainWindow {
    Q_OBJECT

  public:
    ~DesktopWindow() override;

    // Shows the window and brings it to the front.
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

    DesktopMenuBar* MenuBar() const { return menuBar_; }
    void MenuBar(DesktopMenuBar& bar);
    // Choosing the item of that name runs the handler.
    void AddMenuHandler(const std::string& itemName, std::function<bool()> handler);

    // The control registered under that name; NilObjectException when there is none.
    template <class Control>
    Control& ControlByName(std::string_view name) const {
        if (auto* control = dynamic_cast<Control*>(findControl(name))) return *control;
        throw NilObjectException("The window has no such control: " + std::string(name));
    }

    // The open window registered under that name, or nullptr.
    static DesktopWindow* GetImplicitDesktopWindow(std::string_view name);

    // The open window of that name; when there is none, make() builds one, which is
    // registered (so that its own Opening handler reaches it), opened and, if visible, shown.
    template <class Window, class Make>
    static Window& ImplicitInstance(std::string_view name, Make make) {
        if (DesktopWindow* open = GetImplicitDesktopWindow(name))
            return static_cast<Window&>(*open);
        Window* window = make();
        window->open(std::string(name));
        return *window;
    }

    // Closes every open window, the last opened first, as the program ends.
    static void CloseAll();

  protected:
    explicit DesktopWindow(QWidget* owner = nullptr);

    // The window's size, kind, frame, title and colours.
    void SetProperties(const WindowProperties& properties);
    // Builds the controls in table order: each is created, registered under its name,
    // given its colours and then its properties. No handler is attached yet, so building
    // raises none.
    void CreateControls(std::span<const ControlSpec> controls);

    virtual void Event_Opening() {}
    virtual void Event_Closing() {}
    virtual void Event_Resized() {}
    virtual void Event_Activated() {}
    virtual void Event_Deactivated() {}

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void open(std::string name);
    void unregister();
    QWidget* findControl(std::string_view name) const;
    DesktopButton* defaultButton() const;

    QWidget* content_ = nullptr;
    DesktopMenuBar* menuBar_ = nullptr;
    QList<QAction*> menuActions_;  // the commands of the menu bar's menus
    std::map<std::string, std::function<bool()>, std::less<>> menuHandlers_;
    bool visibleWhenOpened_ = true;
    bool opened_ = false;
    bool closed_ = false;
};

}  // namespace platform

// Defines a window's accessor of one control: `Window::name()` returns the control
// registered under "name", as the platform control class `Kind`.
#define KORVA_CONTROL_ACCESSOR(Window, Kind, name) \
    platform::Kind& Window::name() const { return ControlByName<platform::Kind>(#name); }
