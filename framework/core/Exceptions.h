#pragma once

#include <exception>
#include <memory>
#include <string>

namespace fw {

// Base of every framework exception. ClassName() is what the unhandled-exception report shows.
class RuntimeException : public std::exception {
public:
    explicit RuntimeException(std::string message = {});
    ~RuntimeException() override;

    virtual const char* ClassName() const noexcept { return "RuntimeException"; }
    const std::string& Message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

#define FW_DECLARE_EXCEPTION(Name)                                                                 \
    class Name : public RuntimeException {                                                         \
    public:                                                                                        \
        using RuntimeException::RuntimeException;                                                  \
        const char* ClassName() const noexcept override { return #Name; }                          \
    }

FW_DECLARE_EXCEPTION(NilObjectException);
FW_DECLARE_EXCEPTION(UnsupportedFormatException);
FW_DECLARE_EXCEPTION(OutOfBoundsException);
FW_DECLARE_EXCEPTION(TypeMismatchException);
FW_DECLARE_EXCEPTION(IllegalCastException);

#undef FW_DECLARE_EXCEPTION

// Calls function with argument; a RuntimeException it raises comes back as the thrown object
// itself, with its own class, kept alive by the result. Nothing when the call returned; any
// other exception propagates. The capture an exception helper of the runtime makes.
std::shared_ptr<RuntimeException> CallCapturingRuntimeException(void (*function)(void*),
                                                                void* argument);

} // namespace fw
