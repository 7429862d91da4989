#include "engine/module1.h"

namespace Module1 {

float CSD = 0.0f;
float JCOUPLE = 0.0f;
float JCOUPLEAAPRIME = 0.0f;
float JCOUPLEXXPRIME = 0.0f;
float JCOUPLEAXPRIME = 0.0f;
std::int64_t MHZ = 0;
float SPECWIDTH = 0.0f;
float s = 0.0f;

std::array<float, kLineSlots> x{};
std::array<float, kLineSlots> y{};
std::int64_t N = 0;

std::int64_t canvaswidth = 0;
std::int64_t canvasheight = 0;
std::int64_t pf = 0;

std::string psettings;

std::string appname;
std::string CR;
std::string version;
std::string websource;

}  // namespace Module1
