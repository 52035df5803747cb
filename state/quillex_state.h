// The macro's state record. The host allocates it (zero-filled), keeps it for the invocation
// and passes it on every call; its layout is part of the interface.
#pragma once

#include "host/host_records.h"
#include "host/host_types.h"
#include "host/res_layout.h"
#include "state/pending_change.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace qx::forms {
// The open floating review window. Each view of the dialogs defines it (dialogs/forms.h); the
// record only keeps the pointer.
class ReviewWindow;
} // namespace qx::forms

namespace qx {

// State codes.
enum StateCode : std::int32_t {
    stDone = 0,
    stMainMenu = 1,
    stWholeLayers = 2,
    stCaseMenu = 7,
    stIncMenu = 8,
    stSearchText = 10,
    stStartSearchText = 11,
    stReplaceText = 12,
    stIncValue = 15,
    stResult = 20,
    stReport = 21,
    stHiliteClr = 25,
    stHiliteWgt = 26,
    stStartReview = 30,
    stReview = 31,
    stFind = 40,
    stFindEdit = 41,
    stLenReview = 45,
    stAfterReview = 50,
    stHostKey = 60,
    stSettings = 100,
};

// Operation codes.
enum Operation : std::uint8_t {
    opReplace = 0,
    opUpper = 1,
    opLower = 2,
    opSentence = 3,
    opIncFirst = 4,
    opIncSecond = 5,
    opIncLast = 6,
    opIncStart = 7,
    opIncEnd = 8,
};

// An operation family: a run of consecutive codes in the order of its key menu and its
// drop-down list. The position in the run is what the LastCase and LastInc settings hold.
struct OperationRange {
    std::uint8_t first;
    std::uint8_t last;

    constexpr bool Contains(std::int32_t op) const { return op >= first && op <= last; }
    constexpr std::int32_t Count() const { return last - first + 1; }
    constexpr std::int32_t IndexOf(std::int32_t op) const { return op - first; }
    constexpr std::uint8_t At(std::int32_t index) const {
        return static_cast<std::uint8_t>(first + index);
    }
};
inline constexpr OperationRange kCaseOperations{opUpper, opSentence};
inline constexpr OperationRange kIncOperations{opIncFirst, opIncEnd};

inline constexpr std::size_t kStateRecordSize = 27108;

// The fields in their interface order: X(type, name).
#define QX_STATE_FIELDS(X)                                                                         \
    X(std::int32_t, state)                                                                         \
    X(std::int32_t, returnState)                                                                   \
    X(host::str255, searchStr)                                                                     \
    X(host::str255, replaceStr)                                                                    \
    X(bool, caseSens)                                                                              \
    X(bool, wholeWords)                                                                            \
    X(bool, wholeEnts)                                                                             \
    X(std::uint8_t, operation)                                                                     \
    X(std::int32_t, lastCase)                                                                      \
    X(std::int32_t, lastInc)                                                                       \
    X(std::int32_t, increment)                                                                     \
    X(bool, useForm)                                                                               \
    X(bool, drawOffLyr)                                                                            \
    X(bool, txtAtStart)                                                                            \
    X(bool, dfltPrevTxt)                                                                           \
    X(bool, rptChanges)                                                                            \
    X(host::str255, resultMsg)                                                                     \
    X(host::ModeRec, scanMode)                                                                     \
    X(bool, escSent)                                                                               \
    X(HiliteBox, hiliteBox)                                                                        \
    X(std::int32_t, numReplacements)                                                               \
    X(std::int32_t, numEntsChanged)                                                                \
    X(RecordPtr<ReportLines>, reportLines)                                                         \
    X(bool, findOnly)                                                                              \
    X(SelWorkArea, selWorkArea)                                                                    \
    X(bool, confirmEach)                                                                           \
    X(bool, skipConfirm)                                                                           \
    X(RecordPtr<PendingList>, pendingList)                                                         \
    X(std::int32_t, curIndex)                                                                      \
    X(RecordPtr<std::string>, editedText)                                                          \
    X(host::EntityRec, curEnt)                                                                     \
    X(std::int32_t, lastSelSet)                                                                    \
    X(std::uint8_t, reviewFormKind)                                                                \
    X(RecordPtr<forms::ReviewWindow>, reviewForm)                                                  \
    X(bool, undoOpen)                                                                              \
    X(bool, manualEditMade)                                                                        \
    X(std::int32_t, hiliteClr)                                                                     \
    X(std::int32_t, hiliteWgt)

// A pointer the record owns. The record's size (27108 bytes) allows no 8-byte alignment, so a
// pointer is kept as bytes: it can sit at any offset, and nothing ever binds a misaligned
// pointer reference. Zero bytes are a null pointer.
template <class T> class RecordPtr {
public:
    T* get() const {
        T* p;
        std::memcpy(&p, bytes_, sizeof p);
        return p;
    }
    RecordPtr& operator=(T* p) {
        std::memcpy(bytes_, &p, sizeof p);
        return *this;
    }
    T* operator->() const { return get(); }
    T& operator*() const { return *get(); }
    explicit operator bool() const { return get() != nullptr; }

private:
    std::uint8_t bytes_[sizeof(T*)];
};

using HiliteBox = std::array<host::point, 4>;
using SelWorkArea = std::array<std::uint8_t, 12288>;
using ReportLines = std::vector<std::string>;

// Fields are packed to 4 bytes: every 32-bit field is aligned, so its address can be handed to
// the host, and the record still comes out at the host's size.
#pragma pack(push, 4)

// The fields alone, to measure them.
struct QuillexLFieldsLayout {
#define QX_FIELD_DECL(type, name) type name;
    QX_STATE_FIELDS(QX_FIELD_DECL)
};

// Lists, strings and the floating window that the record owns are pointers created at start-up
// and released at finish, so a zero-filled record is a valid "nothing yet" state.
struct QuillexL {
    QX_STATE_FIELDS(QX_FIELD_DECL)
#undef QX_FIELD_DECL
    // Makes up the record to the size the host allocates, on every ABI.
    std::uint8_t reserved[kStateRecordSize - sizeof(QuillexLFieldsLayout) - host::kResSize];
    std::uint8_t res[host::kResSize];
};

#pragma pack(pop)

static_assert(sizeof(QuillexL) == kStateRecordSize);
static_assert(offsetof(QuillexL, res) == kStateRecordSize - host::kResSize);
static_assert(offsetof(QuillexL, hiliteWgt) + sizeof(std::int32_t) == sizeof(QuillexLFieldsLayout),
              "the last field must end the measured layout, with no tail padding");
static_assert(std::is_standard_layout_v<QuillexL>);
static_assert(std::is_trivially_copyable_v<QuillexL>);
static_assert(alignof(QuillexL) == 4);

} // namespace qx
