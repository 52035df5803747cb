// Declarations of every host function the stand-in host exports by name. The list and the
// signatures come from the shared interface header, so an implementation that does not match
// fails to compile.
#pragma once

#include "host/host_api.h"

// The macro finds the host functions by name: in the executable's dynamic symbol table on ELF
// systems, in its PE export table on Windows.
#if defined(_WIN32)
#define CADHOST_EXPORT extern "C" __declspec(dllexport)
#else
#define CADHOST_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// The interface's type names, for the declarations and the implementations.
using qx::host::AttribRec;
using qx::host::EntityRec;
using qx::host::i32;
using qx::host::LayerRec;
using qx::host::lgl_addr;
using qx::host::ModeRec;
using qx::host::point;
using qx::host::SaveVarRec;
using qx::host::SmartPieceCallback;
using qx::host::str255;
using qx::host::ViewRec;

#define CADHOST_DECLARE_EXPORT(name, result, params) CADHOST_EXPORT result name params;
QX_HOST_FUNCTIONS(CADHOST_DECLARE_EXPORT)
#undef CADHOST_DECLARE_EXPORT
