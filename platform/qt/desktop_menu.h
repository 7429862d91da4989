#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A menu or a command in a menu bar, known by its name.
class DesktopMenuItem {
  public:
    virtual ~DesktopMenuItem() = default;

    const std::string& Name() const { return name_; }
    void Name(std::string name) { name_ = std::move(name); }
    const std::string& Text() const { return text_; }
    void Text(std::string text) { text_ = std::move(text); }
    // Portable key text such as "Ctrl+P"; empty for none.
    const std::string& Shortcut() const { return shortcut_; }
    void Shortcut(std::string shortcut) { shortcut_ = std::move(shortcut); }
    // Enabled by the platform whenever a handler is bound to it.
    bool AutoEnabled() const { return autoEnabled_; }
    void AutoEnabled(bool on) { autoEnabled_ = on; }
    bool Visible() const { return visible_; }
    void Visible(bool on) { visible_ = on; }

    // Appends a child at the end.
    void AddMenu(std::unique_ptr<DesktopMenuItem> child);
    // The direct child of that name, or nullptr.
    DesktopMenuItem* Child(std::string_view name) const;
    const std::vector<std::unique_ptr<DesktopMenuItem>>& Children() const { return children_; }

    // The command that ends the program, where the desktop gives it a place of its own.
    virtual bool IsQuitItem() const { return false; }

  private:
    std::string name_, text_, shortcut_;
    bool autoEnabled_ = false;
    bool visible_ = true;
    std::vector<std::unique_ptr<DesktopMenuItem>> children_;
};

class DesktopQuitMenuItem : public DesktopMenuItem {
  public:
    bool IsQuitItem() const override { return true; }
};

// The menu bar: its items are the menus.
class DesktopMenuBar : public DesktopMenuItem {};

}  // namespace platform
