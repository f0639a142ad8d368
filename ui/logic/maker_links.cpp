#include "ui/logic/convert_command.h"

// The build sets the maker's two addresses; these placeholders serve a build that does not.
#ifndef KORIMBO_SITE_ADDRESS
#define KORIMBO_SITE_ADDRESS "http://www.example.com/"
#endif
#ifndef KORIMBO_HOME_ADDRESS
#define KORIMBO_HOME_ADDRESS "http://home.example.com/"
#endif

namespace korimbo {

ByteSet MakerLinksHtml() { return FixedLinksHtml(KORIMBO_SITE_ADDRESS, KORIMBO_HOME_ADDRESS); }

} // namespace korimbo
