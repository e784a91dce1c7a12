#include "catalogues/webswitches.h"

WebSwitches& Web() {
    static WebSwitches w;
    return w;
}
