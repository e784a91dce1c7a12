#include "catalogues/webswitches.h"

namespace catalogues {

WebSwitches& Web() {
    static WebSwitches w;
    return w;
}

} // namespace catalogues
