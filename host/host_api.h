// The host functions the macro calls, with their signatures. The one list drives the macro's
// slot table and its binding by name, and the stand-in host's exports.
//
// Records, texts and result variables go by pointer; numbers, flags and addresses by value.
#pragma once

#include "host/host_records.h"
#include "host/host_types.h"

#include <cstdint>

namespace qx::host {

using i32 = std::int32_t;

// Calling conventions across the host interface. On 32-bit Windows the host and the macro
// pass every argument on the stack and the called function removes it (stdcall), as the
// Windows API itself and the Pascal-family hosts of this interface do; the undecorated name
// "Main" is exported all the same. Every other target has one convention only, so the names
// spell nothing there. These two macros are the only place that spells a convention.
#if defined(_WIN32) && defined(__i386__)
#define QX_MAIN_CALL __stdcall
#define QX_HOST_CALL __stdcall
#else
#define QX_MAIN_CALL
#define QX_HOST_CALL
#endif

// The callback SmartEntity2RegularEntities calls once for each plain piece of a smart entity.
using SmartPieceCallback = void(QX_HOST_CALL*)(EntityRec* piece, void* arg1, void* arg2);

// X(name, result, parameters)
#define QX_HOST_FUNCTIONS(X)                                                                       \
    /* Other */                                                                                    \
    X(PGSavevar, SaveVarRec*, ())                                                                  \
    X(SetLocalSize, void, (i32 size))                                                              \
    X(UndoStartTransaction, void, ())                                                              \
    X(UndoEndTransaction, void, ())                                                                \
    X(DataCAD_Version, i32, ())                                                                    \
    X(getpath, void, (str255 * text, i32 maxLen, i32 id))                                          \
    /* Menu */                                                                                     \
    X(Lblsinit, void, ())                                                                          \
    X(Lblset, void, (i32 key, const str255* label, const str255* hint))                            \
    X(Lblsett, void, (i32 key, const str255* label, bool on, const str255* hint))                  \
    X(lblsettf, void, (i32 key, const str255* label, i32 state, const str255* hint))               \
    X(lblson, void, (i32 unused))                                                                  \
    /* Requests */                                                                                 \
    X(getesc, void, (void* res, i32* ret))                                                         \
    X(getint, void, (i32 * value, void* res, i32* ret))                                            \
    X(getclr, void, (i32 * colour, void* res, i32* ret))                                           \
    X(getpointp, void, (i32 a, i32 b, void* res, i32* ret))                                        \
    X(callDGetstr255, void, (str255 * text, i32 maxLen, void* res, i32* ret))                      \
    X(callGlobalesc, void, (i32 key, void* res, i32* ret))                                         \
    X(callNone, void, (i32 * ret))                                                                 \
    X(menuGetMode, void,                                                                           \
      (const str255* caption, ModeRec* mode, void* workArea, void* res, i32* ret))                 \
    /* Lines and keys */                                                                           \
    X(wrtlvl, void, (const str255* text, i32 unused))                                              \
    X(wrtmsg, void, (const str255* text, i32 unused))                                              \
    X(wrterr, void, (const str255* text, i32 unused))                                              \
    X(FnKeyConv, i32, (i32 key))                                                                   \
    X(cvintst, void, (i32 value, str255 * text, i32 maxLen))                                       \
    X(ClrGetName, void, (i32 colour, str255 * text, i32 maxLen))                                   \
    /* Entities */                                                                                 \
    X(ent_first, void, (lgl_addr * addr, ModeRec * mode))                                          \
    X(ent_next, void, (lgl_addr * addr, EntityRec * ent, ModeRec * mode))                          \
    X(ent_get, bool, (EntityRec * ent, lgl_addr addr, bool full))                                  \
    X(ent_updates, void, (EntityRec * ent))                                                        \
    X(ent_init, void, (EntityRec * ent, i32 enttype))                                              \
    X(ent_extent, void, (EntityRec * ent, point * lowerLeft, point * upperRight))                  \
    X(ent_draw_dl, void, (EntityRec * ent, i32 a, i32 b))                                          \
    X(SmartEntity2RegularEntities, void,                                                           \
      (const EntityRec* ent, void* work1, void* work2, SmartPieceCallback callback, i32 a, i32 b)) \
    /* Layers */                                                                                   \
    X(getlyrcurr, void, (lgl_addr * addr))                                                         \
    X(lyr_first, void, (lgl_addr * addr))                                                          \
    X(lyr_next, void, (lgl_addr * next, lgl_addr addr))                                            \
    X(isnil, bool, (lgl_addr addr))                                                                \
    X(getlyrname, void, (lgl_addr addr, str255 * name, i32 maxLen))                                \
    X(lyr_get, bool, (lgl_addr addr, LayerRec * layer))                                            \
    X(lyr_ison, bool, (lgl_addr addr))                                                             \
    X(lyr_islocked, bool, (lgl_addr addr))                                                         \
    /* Scan */                                                                                     \
    X(mode_init, void, (ModeRec * mode))                                                           \
    X(mode_1lyr, void, (ModeRec * mode, lgl_addr layer))                                           \
    X(mode_enttype, void, (ModeRec * mode, i32 enttype))                                           \
    /* Views */                                                                                    \
    X(view_getcurr, void, (ViewRec * view))                                                        \
    X(view_init, void, (ViewRec * view))                                                           \
    X(view_calcorth, void, (ViewRec * view, const point* pt, i32 n))                               \
    X(view_setcurr, void, (ViewRec * view, bool redraw))                                           \
    X(view_setmode, void, (i32 a, i32 b))                                                          \
    X(pixsize, double, ())                                                                         \
    X(setpoint, void, (point * pt, double value))                                                  \
    /* Selection sets */                                                                           \
    X(ssSetName, void, (i32 set, const str255* name))                                              \
    X(ssClear, void, (i32 set))                                                                    \
    X(ssAdd, void, (i32 set, EntityRec * ent))                                                     \
    X(ssGetName, void, (i32 set, str255 * name, i32 maxLen))                                       \
    /* Attributes */                                                                               \
    X(atr_sysfind, bool, (const str255* name, AttribRec* atr))                                     \
    X(atr_init, void, (AttribRec * atr, i32 atrtype))                                              \
    X(atr_add2sys, void, (AttribRec * atr))                                                        \
    X(atr_update, void, (AttribRec * atr))

#define QX_DECLARE_HOST_FN_TYPE(name, result, params)                                              \
    using name##_fn = result(QX_HOST_CALL*) params;
QX_HOST_FUNCTIONS(QX_DECLARE_HOST_FN_TYPE)
#undef QX_DECLARE_HOST_FN_TYPE

// Call-state gate and action codes of Main.
inline constexpr std::int32_t kCallStateServed = 8100;
enum class Action : std::uint8_t {
    CallStart = 0,
    CallFinish = 1,
    CallResume = 2,
    CallSizeQuery = 3
};

// The entry point the macro exports.
using Main_fn = std::int32_t(QX_MAIN_CALL*)(std::int32_t callState, std::int32_t action,
                                            void* record, void* arg);
inline constexpr const char* kMainExportName = "Main";

// Function-key codes.
inline constexpr std::int32_t kKeyF1 = 315; // F1..F10 = 315..324
inline constexpr std::int32_t kKeyS1 = 340; // Shift+F1..Shift+F10 = 340..349
inline constexpr std::int32_t KeyF(int n) {
    return kKeyF1 + n - 1;
}
inline constexpr std::int32_t KeyS(int n) {
    return kKeyS1 + (n == 0 ? 9 : n - 1);
}
inline constexpr std::int32_t kKeyEscape = 27;

inline constexpr std::int32_t kHostVersionMinimum = 230003;
inline constexpr std::int32_t kPathMacro = 4;
inline constexpr std::int32_t kPathShared = 6;

} // namespace qx::host
