// The exported entry points of the key-sending library. No C++ exception crosses them.
#include <mutex>

#include "key_sender.h"
#include "player.h"
#include "qzxpro.h"

namespace {

// The library's process-wide state: one macro plays at a time. The mutex keeps a second
// thread out while a macro plays; it is never waited for.
std::mutex g_lock;
qzx::keysend::KeySender g_sender;

} // namespace

extern "C" QZXPRO_API int32_t SendKeys(const char* macro) {
    try {
        std::unique_lock lock(g_lock, std::try_to_lock);
        if (!lock.owns_lock()) return QZX_ERROR_HOOK; // another thread's macro is playing
        qzx::keysend::X11Player player;
        return g_sender.SendKeys(macro, player);
    } catch (...) {
        return QZX_ERROR_OTHER;
    }
}

extern "C" QZXPRO_API int32_t OutputMessages(int32_t code, uintptr_t wparam, intptr_t lparam) {
    try {
        std::unique_lock lock(g_lock, std::try_to_lock);
        if (!lock.owns_lock()) return 0; // only the playing thread drives the procedure
        return g_sender.OutputMessages(code, wparam, lparam);
    } catch (...) {
        return 0;
    }
}
