// Steps that prepare a run: the drawing, the host's configuration and the starting settings,
// and the drawing-level actions a user takes between invocations.
#include "cadhost/driver/session.h"
#include "cadhost/formats/drawing_file.h"
#include "cadhost/model/sample_drawing.h"
#include "cadhost/scenario/ini_access.h"
#include "cadhost/scenario/steps.h"
#include "host/codepage.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace cadhost::scenario {
namespace {

std::string Cp(const std::string& utf8) {
    return qx::host::Utf8ToCp1252Lossy(utf8);
}

bool Need(RunContext& ctx, const Step& step, std::size_t words, const char* usage) {
    if (step.words.size() >= words)
        return true;
    ctx.Fail(step, std::string("usage: ") + usage);
    return false;
}

// "macro" is host path 4, "shared" the maker's folder under host path 6, "library" the folder
// of the run's copy of the macro library.
std::string PlaceFile(RunContext& ctx, const std::string& place, const std::string& name) {
    const auto& cfg = CurrentSession().config;
    if (place == "macro")
        return cfg.macroPath + name;
    if (place == "library")
        return ctx.libraryDir + name;
    if (place == "shared") {
        std::filesystem::create_directories(cfg.sharedPath + "pellworth");
        return cfg.sharedPath + "pellworth/" + name;
    }
    return ctx.Resolve(place + "/" + name);
}

void UseDrawing(RunContext& ctx, const Step& step) {
    if (!Need(ctx, step, 2, "drawing sample|empty|FILE"))
        return;
    const std::string& what =
        ctx.options.drawingFile.empty() ? step.words[1] : ctx.options.drawingFile;
    CurrentSession().dxfSource.reset();
    if (what == "empty") {
        CurrentSession().drawing = Drawing();
        return;
    }
    if (what == "sample") {
        CurrentSession().drawing = SampleDrawing();
        return;
    }
    qx::Result<DrawingDocument> opened = OpenDrawingFile(ctx.Resolve(what));
    if (!opened) {
        // The drawing of the command line replaces the script's: its fault is the option's,
        // and the scenario line would point the user at the wrong file.
        if (!ctx.options.drawingFile.empty())
            return ctx.Fail("the command line's --drawing: " + opened.error());
        return ctx.Fail(step, opened.error());
    }
    for (const std::string& note : opened->notes)
        ctx.transcript.Line("  " + ctx.Normalize(note));
    CurrentSession().drawing = std::move(opened->drawing);
    CurrentSession().dxfSource = std::move(opened->dxfSource);
}

void Configure(RunContext& ctx, const Step& step) {
    if (!Need(ctx, step, 3, "host version|path4|path6|preselect|colour|setname VALUE"))
        return;
    auto& cfg = CurrentSession().config;
    const std::string& what = step.words[1];
    const std::string& v = step.words[2];
    if (what == "version") {
        cfg.version = static_cast<std::int32_t>(std::strtol(v.c_str(), nullptr, 10));
    } else if (what == "path4" || what == "path6") {
        std::string dir = ctx.Resolve(v);
        if (dir.empty() || dir.back() != '/')
            dir += '/';
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        (what == "path4" ? cfg.macroPath : cfg.sharedPath) = dir;
    } else if (what == "preselect") {
        CurrentSession().drawing.SaveVars().layerDialog = v == "on" ? 1 : 0;
    } else if (what == "colour" && step.words.size() > 3) {
        cfg.colourNames[static_cast<std::int32_t>(std::strtol(v.c_str(), nullptr, 10))] =
            Cp(step.words[3]);
    } else if (what == "setname" && step.words.size() > 3) {
        CurrentSession().drawing.SelectionSets().SetName(std::atoi(v.c_str()), Cp(step.words[3]));
    } else if (what == "mask") {
        CurrentSession().drawing.SaveVars().selSetMask =
            static_cast<std::int32_t>(std::strtol(v.c_str(), nullptr, 0));
    } else {
        ctx.Fail(step, "unknown host setting " + what);
    }
}

void SeedIni(RunContext& ctx, const Step& step) {
    if (!Need(ctx, step, 5, "ini macro|shared SECTION KEY VALUE"))
        return;
    const std::string file =
        PlaceFile(ctx, step.words[1], step.words[1] == "macro" ? "Quillex.ini" : "pellworth.ini");
    if (!WriteIniValue(file, step.words[2], step.words[3], step.words[4]))
        ctx.Fail(step, "cannot write " + file);
}

void SeedFile(RunContext& ctx, const Step& step) {
    if (!Need(ctx, step, 4, "file macro|shared|library NAME CONTENT"))
        return;
    const std::string file = PlaceFile(ctx, step.words[1], step.words[2]);
    // The run's macro library may be a link to the built library: a file written over it
    // replaces the link, never what it leads to.
    std::error_code ec;
    if (std::filesystem::is_symlink(file, ec))
        std::filesystem::remove(file, ec);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << step.words[3];
    if (!out)
        ctx.Fail(step, "cannot write " + file);
}

void SeedAttribute(RunContext& ctx, const Step& step) {
    if (!Need(ctx, step, 4, "attribute int|text NAME VALUE"))
        return;
    Attribute a;
    a.name = Cp(step.words[2]);
    if (step.words[1] == "int") {
        a.type = qx::host::kAtrInteger;
        a.intValue = static_cast<std::int32_t>(std::strtol(step.words[3].c_str(), nullptr, 10));
    } else {
        a.type = qx::host::kAtrText;
        a.textValue = Cp(step.words[3]);
    }
    CurrentSession().drawing.Attributes().Set(a);
}

void Save(RunContext& ctx, const Step& step) {
    if (!Need(ctx, step, 2, "save FILE"))
        return;
    const Session& session = CurrentSession();
    const qx::Result<SaveNotes> saved =
        SaveDrawingAs(session.drawing, session.dxfSource.get(), ctx.Resolve(step.words[1]));
    if (saved) {
        for (const std::string& note : *saved)
            ctx.transcript.Line("  " + ctx.Normalize(note));
        return;
    }
    // The runner saves for --save with a step of its own that has no line in the script.
    if (step.line == 0)
        return ctx.Fail("the command line's --save: " + saved.error());
    ctx.Fail(step, saved.error());
}

void Undo(RunContext& ctx, const Step& step) {
    if (!CurrentSession().drawing.Undo())
        ctx.Fail(step, "there is nothing to undo");
    ctx.transcript.Line("> undo");
}

} // namespace

bool RunSetupStep(RunContext& ctx, const Step& step) {
    const std::string& verb = step.verb();
    if (verb == "drawing") {
        // A new drawing has nothing on screen yet.
        ctx.shownDisplayItems = 0;
        ctx.shownViewChanges = 0;
        UseDrawing(ctx, step);
    } else if (verb == "host")
        Configure(ctx, step);
    else if (verb == "ini")
        SeedIni(ctx, step);
    else if (verb == "file")
        SeedFile(ctx, step);
    else if (verb == "attribute")
        SeedAttribute(ctx, step);
    else if (verb == "save")
        Save(ctx, step);
    else if (verb == "undo")
        Undo(ctx, step);
    else
        return false;
    return true;
}

} // namespace cadhost::scenario
