#include "art_resources.h"

#include <QtCore/qglobal.h>
#include <mutex>

// Q_INIT_RESOURCE has to be used outside any namespace.
static void InitKespArt() {
    Q_INIT_RESOURCE(kesp_art);
}

namespace kesp {

void InitArtResources() {
    static std::once_flag once;
    std::call_once(once, InitKespArt);
}

}  // namespace kesp
