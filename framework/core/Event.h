#pragma once

#include "framework/core/Exceptions.h"

#include <functional>
#include <string>
#include <string_view>

namespace fw {

// Signature literals are compared without their blanks: "( Listbox )" equals "(Listbox)".
inline std::string NormalizeSignature(std::string_view literal) {
    std::string out;
    for (char c : literal) {
        if (c != ' ' && c != '\t') {
            out += c;
        }
    }
    return out;
}

template <class Signature> class Event;

// One event of one object. A host binds a handler that receives the raising object first and
// then the event's values. With no handler bound, Raise does nothing and yields R{} (False for
// a Boolean event). A class handles an event of its parent by overriding Event_<Name>, and
// closes it to its own users by making the member inaccessible through the subclass.
template <class R, class Sender, class... Args> class Event<R(Sender&, Args...)> {
public:
    using Handler = std::function<R(Sender&, Args...)>;

    explicit Event(std::string_view signature) : m_signature(signature) {}
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    const std::string& Signature() const { return m_signature; }
    bool IsBound() const { return static_cast<bool>(m_handler); }

    // Binds a window's method on that window; the literal must match the event's signature.
    template <class Target>
    void Bind(Target* target, R (Target::*method)(Sender&, Args...), std::string_view literal) {
        Bind([target, method](Sender& s, Args... a) -> R { return (target->*method)(s, a...); },
             literal);
    }

    void Bind(Handler handler, std::string_view literal) {
        if (NormalizeSignature(literal) != NormalizeSignature(m_signature)) {
            throw RuntimeException("Cannot bind a handler of signature \"" + std::string(literal) +
                                   "\" to an event of signature \"" + m_signature + "\"");
        }
        m_handler = std::move(handler);
    }

    void Unbind() { m_handler = nullptr; }

    R Raise(Sender& sender, Args... args) const {
        if (!m_handler) {
            return R();
        }
        return m_handler(sender, args...);
    }

private:
    std::string m_signature;
    Handler m_handler;
};

} // namespace fw
