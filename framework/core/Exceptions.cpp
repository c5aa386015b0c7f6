#include "framework/core/Exceptions.h"

#include <utility>

namespace fw {

RuntimeException::RuntimeException(std::string message) : m_message(std::move(message)) {}

RuntimeException::~RuntimeException() = default;

std::shared_ptr<RuntimeException> CallCapturingRuntimeException(void (*function)(void*),
                                                                void* argument) {
    try {
        function(argument);
        return nullptr;
    } catch (const RuntimeException&) {
        // The exception_ptr owns the thrown object; the result shares that ownership.
        auto held = std::make_shared<std::exception_ptr>(std::current_exception());
        try {
            std::rethrow_exception(*held);
        } catch (RuntimeException& thrown) {
            return std::shared_ptr<RuntimeException>(held, &thrown);
        }
    }
}

} // namespace fw
