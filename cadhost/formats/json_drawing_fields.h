// An entity's fields as the JSON stream gave them, before they are checked: what the stream
// (json_drawing_stream.h) gathers and the builder (json_drawing_builder.h) checks and adds.
#pragma once

#include "cadhost/formats/json_checks.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cadhost::json_read {

using json_checks::FieldValue;
using json_checks::Where;

// A point field: a list of two or three numbers, or whatever stood there instead.
struct PointValue {
    FieldValue::Kind kind = FieldValue::Kind::Absent;
    std::size_t count = 0;                                                // elements of the list
    std::size_t firstNonNumber = std::numeric_limits<std::size_t>::max(); // its index
    double coords[3] = {};
};

// The fields an entity or a text piece may have. A key's bit is set when the key was given.
enum class FieldKey : std::uint8_t {
    Type,
    Name,
    Colour,
    Weight,
    Text,
    At,
    Size,
    Angle,
    Pieces,
    Points
};
constexpr std::string_view kKeyNames[] = {"type", "name", "colour", "weight", "text",
                                          "at",   "size", "angle",  "pieces", "points"};

constexpr std::uint32_t Bit(FieldKey k) {
    return 1u << static_cast<unsigned>(k);
}

inline std::optional<FieldKey> KeyNamed(std::string_view name) {
    for (std::size_t i = 0; i < std::size(kKeyNames); ++i) {
        if (kKeyNames[i] == name) {
            return static_cast<FieldKey>(i);
        }
    }
    return std::nullopt;
}

// What a key of an object was: the keys given, the first one given twice, and the unknown key
// that a check by name order would meet first.
struct KeySeen {
    std::uint32_t given = 0;
    std::string twice;
    std::string unknown;

    void Note(std::string_view name, std::optional<FieldKey> key) {
        if (!key) {
            if (unknown.empty() || name < unknown) {
                unknown = std::string(name);
            }
            return;
        }
        if ((given & Bit(*key)) != 0 && twice.empty()) {
            twice = std::string(name);
        }
        given |= Bit(*key);
    }

    // The same faults, in the same words, as the checks of the tree reader.
    void Check(std::uint32_t allowed, const Where& where) const {
        if (!twice.empty()) {
            json_checks::Fail(where, "the field " + json_checks::Quoted(twice) +
                                         " is given twice in one object");
        }
        std::string first = unknown;
        for (std::size_t i = 0; i < std::size(kKeyNames); ++i) {
            const bool refused = (given & ~allowed & Bit(static_cast<FieldKey>(i))) != 0;
            if (refused && (first.empty() || kKeyNames[i] < first)) {
                first = std::string(kKeyNames[i]);
            }
        }
        if (!first.empty()) {
            json_checks::Fail(where, "unknown field " + json_checks::Quoted(first));
        }
    }
};

struct PieceFields {
    FieldValue::Kind kind = FieldValue::Kind::Object;
    KeySeen keys;
    FieldValue text, size, angle;
    PointValue at;
};

struct EntityFields {
    FieldValue::Kind kind = FieldValue::Kind::Object;
    KeySeen keys;
    FieldValue type, name, colour, weight, text, size, angle;
    PointValue at;
    FieldValue::Kind piecesKind = FieldValue::Kind::Absent;
    std::vector<PieceFields> pieces;
    FieldValue::Kind pointsKind = FieldValue::Kind::Absent;
    std::vector<PointValue> points;
};

// The keys every entity may have, and the keys of a text (a plain text or a piece).
constexpr std::uint32_t kCommonKeys =
    Bit(FieldKey::Type) | Bit(FieldKey::Name) | Bit(FieldKey::Colour) | Bit(FieldKey::Weight);
constexpr std::uint32_t kTextKeys =
    Bit(FieldKey::Text) | Bit(FieldKey::At) | Bit(FieldKey::Size) | Bit(FieldKey::Angle);

} // namespace cadhost::json_read
