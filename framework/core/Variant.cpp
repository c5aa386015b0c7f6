#include "framework/core/Variant.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/Text.h"

#include <string>

namespace fw {

namespace {

const char* TypeName(Variant::Type type) {
    switch (type) {
    case Variant::Type::Nil:
        return "nothing";
    case Variant::Type::Boolean:
        return "Boolean";
    case Variant::Type::Int32:
        return "Int32";
    case Variant::Type::Double:
        return "Double";
    case Variant::Type::Currency:
        return "Currency";
    case Variant::Type::String:
        return "String";
    case Variant::Type::Object:
        return "object";
    }
    return "value";
}

std::string CurrencyText(Currency value) {
    // Exact from the count of units: no binary rounding on the way.
    const Int64 units = value.Units();
    const bool negative = units < 0;
    // Unsigned so the most negative count has a magnitude too.
    const std::uint64_t magnitude =
        negative ? ~static_cast<std::uint64_t>(units) + 1 : static_cast<std::uint64_t>(units);
    std::string text = std::to_string(magnitude / 10000);
    std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    if (!fraction.empty()) {
        text += "." + fraction;
    }
    return negative ? "-" + text : text;
}

std::string ObjectName(const Object& object) {
    return std::string(object.ClassFullName());
}

} // namespace

Variant::Variant(std::shared_ptr<Object> value) {
    // A missing object is nothing, not an object.
    if (value) {
        m_value = std::move(value);
    }
}

Variant::Type Variant::GetType() const {
    return static_cast<Type>(m_value.index());
}

std::string Variant::ToString() const {
    switch (GetType()) {
    case Type::Nil:
        return {};
    case Type::Boolean:
        return std::get<bool>(m_value) ? "True" : "False";
    case Type::Int32:
        return Str(std::get<Int32>(m_value));
    case Type::Double:
        return Str(std::get<double>(m_value));
    case Type::Currency:
        return CurrencyText(std::get<Currency>(m_value));
    case Type::String:
        return std::get<std::string>(m_value);
    case Type::Object: {
        const auto& object = std::get<std::shared_ptr<Object>>(m_value);
        if (const auto date = std::dynamic_pointer_cast<Date>(object)) {
            return date->SQLDateTime();
        }
        throw TypeMismatchException("Cannot convert an object of class " + ObjectName(*object) +
                                    " to a String");
    }
    }
    return {};
}

double Variant::ToDouble() const {
    switch (GetType()) {
    case Type::Nil:
        return 0.0;
    case Type::Boolean:
        return std::get<bool>(m_value) ? 1.0 : 0.0;
    case Type::Int32:
        return std::get<Int32>(m_value);
    case Type::Double:
        return std::get<double>(m_value);
    case Type::Currency:
        return std::get<Currency>(m_value).ToDouble();
    case Type::String:
        return Val(std::get<std::string>(m_value));
    case Type::Object: {
        const auto& object = std::get<std::shared_ptr<Object>>(m_value);
        if (const auto date = std::dynamic_pointer_cast<Date>(object)) {
            return date->TotalSeconds();
        }
        throw TypeMismatchException("Cannot convert an object of class " + ObjectName(*object) +
                                    " to a Double");
    }
    }
    return 0.0;
}

Int32 Variant::ToInt32() const {
    if (GetType() == Type::Int32) {
        return std::get<Int32>(m_value);
    }
    return fw::ToInt32(ToDouble());
}

Currency Variant::ToCurrency() const {
    switch (GetType()) {
    case Type::Currency:
        return std::get<Currency>(m_value);
    case Type::Int32:
        return Currency::FromUnits(Int64{std::get<Int32>(m_value)} * Currency::kScale);
    default:
        return Currency::FromDouble(ToDouble());
    }
}

bool Variant::ToBoolean() const {
    switch (GetType()) {
    case Type::Nil:
        return false;
    case Type::Boolean:
        return std::get<bool>(m_value);
    case Type::Int32:
        return std::get<Int32>(m_value) != 0;
    case Type::Double:
        return std::get<double>(m_value) != 0.0;
    case Type::Currency:
        return std::get<Currency>(m_value).Units() != 0;
    case Type::String:
        return EqualsIgnoreCase(std::get<std::string>(m_value), "True");
    case Type::Object:
        throw TypeMismatchException("Cannot convert an object of class " +
                                    ObjectName(*std::get<std::shared_ptr<Object>>(m_value)) +
                                    " to a Boolean");
    }
    return false;
}

std::shared_ptr<Date> Variant::ToDate() const {
    auto object = ToObject();
    auto date = std::dynamic_pointer_cast<Date>(object);
    if (!date) {
        throw TypeMismatchException("An object of class " + ObjectName(*object) + " is not a Date");
    }
    return date;
}

std::shared_ptr<Object> Variant::ToObject() const {
    switch (GetType()) {
    case Type::Object:
        return std::get<std::shared_ptr<Object>>(m_value);
    case Type::Nil:
        throw NilObjectException("The value is nothing where an object is needed");
    default:
        throw TypeMismatchException(std::string("A ") + TypeName(GetType()) +
                                    " value is not an object");
    }
}

} // namespace fw
