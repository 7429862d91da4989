#include "app/menu.h"

#include <memory>

namespace {

struct ItemSpec {
    const char* name;
    const char* text;
    const char* shortcut;
    bool quit;
};

// The File menu, top to bottom.
constexpr ItemSpec kFileItems[] = {
    {"FilePrint", "Print", "Ctrl+P", false},       {"FileSavePlot", "Save Plot", "Ctrl+S", false},
    {"FileCheck", "Check for updates", "", false}, {"FileAbout", "About this program", "", false},
    {"FileQuit", "Quit", "Ctrl+Q", true},
};

}  // namespace

Menu::Menu() { Untitled0(); }

void Menu::Untitled0() {
    auto file = std::make_unique<platform::DesktopMenuItem>();
    file->Name("FileMenu");
    file->AutoEnabled(false);
    file->Text("File");
    file->Visible(true);
    file->Shortcut("");
    AddMenu(std::move(file));

    for (const ItemSpec& spec : kFileItems) {
        std::unique_ptr<platform::DesktopMenuItem> item;
        if (spec.quit) {
            item = std::make_unique<platform::DesktopQuitMenuItem>();
        } else {
            item = std::make_unique<platform::DesktopMenuItem>();
        }
        item->Name(spec.name);
        item->AutoEnabled(true);
        item->Text(spec.text);
        item->Visible(true);
        item->Shortcut(spec.shortcut);
        Child("FileMenu")->AddMenu(std::move(item));
    }
}

class Menu& Menu() {
    static std::unique_ptr<class Menu> instance;
    if (!instance) instance.reset(new class Menu());
    return *instance;
}
