#pragma once

#include <string>
#include <utility>
#include <vector>

#include "key_events.h"
#include "macro_parser.h"

namespace qzx::keysend::test {

/// One event as (message, virtual-key code): what a reader of an event list compares.
using Stroke = std::pair<unsigned, unsigned>;

inline std::vector<Stroke> strokes(const EventList& events) {
    std::vector<Stroke> out;
    for (const QzxKeyEvent& e : events)
        out.emplace_back(e.message, e.paramL & 0xFFu);
    return out;
}

/// The parse result and the strokes a macro records.
struct Parsed {
    int result;
    std::vector<Stroke> strokes;
    bool operator==(const Parsed&) const = default;
};

inline Parsed parse(const std::string& macro) {
    EventList events;
    const int result = ParseMacro(macro, events);
    return {result, strokes(events)};
}

inline constexpr unsigned Down = QZX_MSG_KEYDOWN, Up = QZX_MSG_KEYUP;
inline constexpr unsigned SysDown = QZX_MSG_SYSKEYDOWN, SysUp = QZX_MSG_SYSKEYUP;

/// A key typed without modifiers.
inline std::vector<Stroke> tap(unsigned key) {
    return {{Down, key}, {Up, key}};
}

} // namespace qzx::keysend::test
