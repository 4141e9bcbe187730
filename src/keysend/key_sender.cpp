#include "key_sender.h"

#include <string>

#include "macro_parser.h"

namespace qzx::keysend {

int KeySender::SendKeys(const char* lpszMacro, PlaybackSystem& system) {
    if (m_hooked) return QZX_ERROR_HOOK; // the macro in play keeps its events
    const std::string macro = lpszMacro != nullptr ? lpszMacro : "";
    EventList list;
    const int parsed = ParseMacro(macro, list);
    if (parsed != 0) return parsed;
    if (list.empty()) return 0; // nothing to type: leave the desktop alone
    m_MsgList = std::move(list);
    const int sent = SendMessages(system);
    if (sent != 0) freeList();
    return sent;
}

int KeySender::SendMessages(PlaybackSystem& system) {
    m_MsgBuffer = m_MsgList[0];
    m_iMsgNum = 0;
    if (!system.install(m_MsgList)) return QZX_ERROR_HOOK;
    m_hooked = true;
    // The playback system takes the events one by one through the playback procedure, as a
    // journal-playback hook is driven, until the procedure ends playback after the last one.
    // The whole macro is delivered before SendKeys returns.
    try {
        while (m_hooked) {
            QzxKeyEvent event{};
            OutputMessages(QZX_HOOK_GETNEXT, 0, reinterpret_cast<std::intptr_t>(&event));
            system.play(event);
            OutputMessages(QZX_HOOK_SKIP, 0, 0);
        }
    } catch (...) {
        m_hooked = false;
        freeList();
        system.remove();
        throw;
    }
    system.remove();
    return 0;
}

std::int32_t KeySender::OutputMessages(std::int32_t code, std::uintptr_t, std::intptr_t lparam) {
    if (!m_hooked) return 0;
    if (code == QZX_HOOK_GETNEXT) {
        if (lparam != 0) *reinterpret_cast<QzxKeyEvent*>(lparam) = m_MsgBuffer;
        return QZX_NO_WAIT;
    }
    if (code == QZX_HOOK_SKIP) {
        ++m_iMsgNum;
        if (static_cast<std::size_t>(m_iMsgNum) < m_MsgList.size()) {
            m_MsgBuffer = m_MsgList[static_cast<std::size_t>(m_iMsgNum)];
        } else {
            m_hooked = false;
            freeList();
        }
    }
    return 0;
}

void KeySender::freeList() {
    EventList().swap(m_MsgList);
    m_iMsgNum = 0;
}

} // namespace qzx::keysend
