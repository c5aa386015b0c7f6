#include "framework/core/Exceptions.h"

#include <utility>

namespace fw {

RuntimeException::RuntimeException(std::string message) : m_message(std::move(message)) {}

RuntimeException::~RuntimeException() = default;

} // namespace fw
