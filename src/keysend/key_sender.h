#pragma once

#include <cstdint>

#include "key_events.h"

namespace qzx::keysend {

/// What delivers recorded events to the desktop: the X server through XTest in the library,
/// a recording double in the tests.
class PlaybackSystem {
public:
    virtual ~PlaybackSystem() = default;
    /// Gets ready to play `events`, looking up every key before anything is sent. False when
    /// playback cannot start; nothing has been sent then.
    virtual bool install(const EventList& events) = 0;
    /// Delivers one event; called for every event in order after a successful install.
    virtual void play(const QzxKeyEvent& event) = 0;
    /// Ends playback after the last event, or early when playing failed: a key still held
    /// down is released.
    virtual void remove() = 0;
};

/// The library's state and its two entry points. One macro plays at a time: the list of its
/// events, the event currently offered, its index, and whether playback is installed.
class KeySender {
public:
    /// Copies and parses `lpszMacro` (nullptr counts as empty) and plays its events through
    /// `system`, returning after the last one. Returns 0 (also for a macro without any key,
    /// which installs nothing), QZX_ERROR_SPECIAL_CHARACTER, QZX_ERROR_CLOSING_BRACE, or
    /// QZX_ERROR_HOOK when `system` cannot play or another macro is still playing.
    int SendKeys(const char* lpszMacro, PlaybackSystem& system);

    /// The playback procedure: QZX_HOOK_GETNEXT copies the current event to the QzxKeyEvent
    /// at `lparam` and returns QZX_NO_WAIT; QZX_HOOK_SKIP moves to the next event and after the
    /// last one ends the playback and frees the list. Does nothing when no macro plays.
    std::int32_t OutputMessages(std::int32_t code, std::uintptr_t wparam, std::intptr_t lparam);

    /// True from a successful install until the last event has been taken.
    bool playing() const { return m_hooked; }
    /// The number of events held (0 whenever no macro plays).
    std::size_t heldEvents() const { return m_MsgList.size(); }

private:
    int SendMessages(PlaybackSystem& system);
    void freeList();

    EventList m_MsgList;
    QzxKeyEvent m_MsgBuffer{};
    std::int32_t m_iMsgNum = 0;
    bool m_hooked = false;
};

} // namespace qzx::keysend
