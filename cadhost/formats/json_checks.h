// The checks a drawing file's values go through, and the place a fault is reported at. Shared by
// the parts of the JSON reader; the messages are the ones docs/drawing-format.md shows.
#pragma once

#include "cadhost/model/entity.h"
#include "host/codepage.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace cadhost::json_checks {

using nlohmann::json;

// Thrown only inside the reader and caught at its top: it carries the message for the user.
struct FormatError {
    std::string message;
};

inline std::string Quoted(std::string_view s) {
    return "\"" + std::string(s) + "\"";
}

// Where in the file a value sits. Built for every entity, so it holds views and numbers and
// makes its text only when a fault is reported.
class Where {
public:
    explicit Where(std::string_view fixed) : fixed_(fixed) {}
    // An entity: by its name when it has one, else by its place on its layer.
    static Where Entity(std::size_t index, const std::string& layerName, const std::string& name) {
        Where w("");
        w.index_ = index;
        w.layerName_ = &layerName;
        w.name_ = &name;
        return w;
    }
    static Where Piece(std::size_t index, const Where& entity) {
        Where w("");
        w.index_ = index;
        w.parent_ = &entity;
        return w;
    }
    std::string str() const {
        if (parent_ != nullptr) {
            return "piece " + std::to_string(index_) + " of " + parent_->str();
        }
        if (name_ != nullptr && !name_->empty()) {
            return "entity " + Quoted(*name_);
        }
        if (layerName_ != nullptr) {
            return "entity " + std::to_string(index_) + " on layer " +
                   Quoted(qx::host::Cp1252ToUtf8(*layerName_));
        }
        return std::string(fixed_);
    }

private:
    std::string_view fixed_;
    std::size_t index_ = 0;
    const std::string* layerName_ = nullptr;
    const std::string* name_ = nullptr;
    const Where* parent_ = nullptr;
};

[[noreturn]] inline void Fail(const Where& where, const std::string& what) {
    throw FormatError{where.str() + ": " + what};
}

// A value of an entity's field as the stream gave it: its kind and, for a scalar, the value.
// Lists and objects keep only their kind: where an entity expects a scalar, that is enough to
// say what is wrong.
struct FieldValue {
    enum class Kind : std::uint8_t {
        Absent,
        Null,
        Bool,
        Integer,
        Unsigned,
        Real,
        Text,
        List,
        Object
    };
    Kind kind = Kind::Absent;
    bool boolean = false;
    std::int64_t integer = 0;
    std::uint64_t unsignedInteger = 0;
    double real = 0;
    std::string text;

    bool present() const { return kind != Kind::Absent; }
    bool is_string() const { return kind == Kind::Text; }
    bool is_boolean() const { return kind == Kind::Bool; }
    bool is_number_integer() const { return kind == Kind::Integer || kind == Kind::Unsigned; }
    bool is_number_unsigned() const { return kind == Kind::Unsigned; }
    bool is_number() const { return is_number_integer() || kind == Kind::Real; }
};

// The same questions, asked of a value of either kind of reader.
inline std::string TakeText(const json& v) {
    return v.get<std::string>();
}
inline std::string TakeText(const FieldValue& v) {
    return v.text;
}
inline bool AsBool(const json& v) {
    return v.get<bool>();
}
inline bool AsBool(const FieldValue& v) {
    return v.boolean;
}
inline double AsDouble(const json& v) {
    return v.get<double>();
}
inline double AsDouble(const FieldValue& v) {
    switch (v.kind) {
    case FieldValue::Kind::Integer:
        return static_cast<double>(v.integer);
    case FieldValue::Kind::Unsigned:
        return static_cast<double>(v.unsignedInteger);
    default:
        return v.real;
    }
}
inline std::uint64_t AsUnsigned(const json& v) {
    return v.get<std::uint64_t>();
}
inline std::uint64_t AsUnsigned(const FieldValue& v) {
    return v.unsignedInteger;
}
inline std::int64_t AsSigned(const json& v) {
    return v.get<std::int64_t>();
}
inline std::int64_t AsSigned(const FieldValue& v) {
    return v.kind == FieldValue::Kind::Unsigned ? static_cast<std::int64_t>(v.unsignedInteger)
                                                : v.integer;
}

template <typename Value>
std::string String(const Value& v, std::string_view field, const Where& where) {
    if (!v.is_string()) {
        Fail(where, Quoted(field) + " must be a text");
    }
    return TakeText(v);
}

template <typename Value> bool Bool(const Value& v, std::string_view field, const Where& where) {
    if (!v.is_boolean()) {
        Fail(where, Quoted(field) + " must be true or false");
    }
    return AsBool(v);
}

template <typename Value>
double Number(const Value& v, std::string_view field, const Where& where) {
    if (!v.is_number()) {
        Fail(where, Quoted(field) + " must be a number");
    }
    return AsDouble(v);
}

template <typename Value>
std::int64_t Integer(const Value& v, std::string_view field, const Where& where, std::int64_t min,
                     std::int64_t max) {
    if (!v.is_number_integer()) {
        Fail(where, Quoted(field) + " must be a whole number");
    }
    // Unsigned values beyond the signed range are out of every range this format has.
    if (v.is_number_unsigned() &&
        AsUnsigned(v) > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        Fail(where, Quoted(field) + " is out of range");
    }
    const std::int64_t n = AsSigned(v);
    if (n < min || n > max) {
        Fail(where, Quoted(field) + " must lie between " + std::to_string(min) + " and " +
                        std::to_string(max));
    }
    return n;
}

template <typename Value>
std::int32_t Int32(const Value& v, std::string_view field, const Where& where) {
    return static_cast<std::int32_t>(Integer(v, field, where,
                                             std::numeric_limits<std::int32_t>::min(),
                                             std::numeric_limits<std::int32_t>::max()));
}

// A text the host keeps: Windows-1252 and at most `maxLen` characters.
template <typename Value>
std::string HostText(const Value& v, std::string_view field, const Where& where,
                     std::size_t maxLen) {
    std::string utf8 = String(v, field, where);
    // Plain ASCII is the same in both code pages; most texts are, and need no conversion.
    const bool ascii = std::all_of(utf8.begin(), utf8.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    std::string cp;
    if (ascii) {
        cp = std::move(utf8);
    } else {
        auto converted = qx::host::Utf8ToCp1252(utf8);
        if (!converted) {
            Fail(where, Quoted(field) + " " + Quoted(utf8) +
                            " holds a character that Windows-1252 cannot hold");
        }
        cp = std::move(*converted);
    }
    if (cp.size() > maxLen) {
        Fail(where, Quoted(field) + " is " + std::to_string(cp.size()) +
                        " characters long; at most " + std::to_string(maxLen) + " are allowed");
    }
    return cp;
}

} // namespace cadhost::json_checks
