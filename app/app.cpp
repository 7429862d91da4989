#include "app/app.h"

#include "app/module1_app.h"
#include "app/window1.h"
#include "engine/module1.h"
#include "platform/core/text.h"

void App::Event_Opening() {
    Module1::CR = std::string(platform::EndOfLine::Windows);
    Module1::appname = "KORVA";
    Module1::pf = 1;
    Module1::CSD = 3.0f;
    Module1::JCOUPLE = 7.0f;
    Module1::JCOUPLEAAPRIME = 13.0f;
    Module1::JCOUPLEXXPRIME = 13.0f;
    Module1::JCOUPLEAXPRIME = 12.0f;
    Module1::MHZ = 60;
    Module1::SPECWIDTH = 8.0f;
    Module1::canvaswidth = Window1().Width();
    Module1::canvasheight = Window1().Height();
    Window1().Refresh();
    Module1::about();
}
