#pragma once

#include "framework/core/Date.h"
#include "framework/core/Object.h"
#include "framework/core/Types.h"

#include <memory>
#include <string>
#include <variant>

namespace fw {

// The framework's tagged value. An object is held by reference (shared, never copied).
class Variant {
public:
    enum class Type { Nil, Boolean, Int32, Double, Currency, String, Object };

    Variant() = default;
    Variant(bool value) : m_value(value) {}
    Variant(Int32 value) : m_value(value) {}
    Variant(double value) : m_value(value) {}
    Variant(Currency value) : m_value(value) {}
    Variant(std::string value) : m_value(std::move(value)) {}
    Variant(const char* value) : m_value(std::string(value)) {}
    // A missing (null) object is held as nothing.
    Variant(std::shared_ptr<Object> value);
    Variant(std::shared_ptr<Date> value) : Variant(std::shared_ptr<Object>(std::move(value))) {}

    Type GetType() const;
    bool IsNil() const { return GetType() == Type::Nil; }

    // Int32 in decimal; Double as the shortest text that reads back to the same value;
    // Boolean "True"/"False"; Date its SQLDateTime; nothing "".
    std::string ToString() const;
    // String through Val; Boolean 1/0; Date its TotalSeconds; nothing 0.
    double ToDouble() const;
    Int32 ToInt32() const;
    Currency ToCurrency() const;
    // Numbers non-zero; String "True" in any case. Conversions that cannot apply (an object
    // other than a Date to a number or text, any object to Boolean) raise
    // TypeMismatchException.
    bool ToBoolean() const;
    // The object held; NilObjectException when none, TypeMismatchException when not a Date.
    std::shared_ptr<Date> ToDate() const;
    std::shared_ptr<Object> ToObject() const;

    // The value itself when it is held as a T (bool, Int32, double, Currency, std::string,
    // std::shared_ptr<Object>), without conversion; nullptr otherwise.
    template <class T> const T* GetIf() const noexcept { return std::get_if<T>(&m_value); }

private:
    std::variant<std::monostate, bool, Int32, double, Currency, std::string,
                 std::shared_ptr<Object>>
        m_value;
};

} // namespace fw
