#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace qzx {

/// The handlers of the main window's commands, by command name ("m4IsoPro", "m7About", ...).
/// Each window registers the commands it serves; a command nobody serves stays disabled.
class CommandHandlers {
public:
    using Handler = std::function<void()>;

    /// Serves the command `name` with `handler` (a later registration replaces an earlier one).
    void add(std::string_view name, Handler handler) {
        m_handlers.insert_or_assign(std::string(name), std::move(handler));
    }
    /// The handler of `name`, or nullptr when no window serves it.
    const Handler* find(std::string_view name) const {
        const auto it = m_handlers.find(name);
        return it == m_handlers.end() ? nullptr : &it->second;
    }
    bool serves(std::string_view name) const { return find(name) != nullptr; }

private:
    std::map<std::string, Handler, std::less<>> m_handlers;
};

} // namespace qzx
