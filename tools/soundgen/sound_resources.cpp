#include "sound_resources.h"

#include <QtCore/qglobal.h>
#include <mutex>

// Q_INIT_RESOURCE has to be used outside any namespace.
static void InitKespSounds() {
    Q_INIT_RESOURCE(kesp_sounds);
}

namespace kesp {

void InitSoundResources() {
    static std::once_flag once;
    std::call_once(once, InitKespSounds);
}

}  // namespace kesp
