#include "app/app.h"

#include "app/module1_app.h"
#include "app/window1.h"
#include "engine/module1.h"
#include "platform/core/text.h"

void App::Event_Opening() {
    Module1::CR = std::string(platform::EndOfLine::Windows);
    Module1::startValues();
    Module1::canvaswidth = Window1().Width();
    Module1::canvasheight = Window1().Height();
    Window1().Refresh();
    Module1::about();
}
