// The one dispatcher for drawing files: the format comes from the content, the extension only
// breaks a tie; binary DXF and DWG are refused; DXF is written only back into its source.
#include "cadhost/formats/drawing_file.h"
#include "cadhost/formats/dxf/document.h"
#include "cadhost/model/sample_drawing.h"
#include "tests/cadhost/dxf/dxf_builder.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace cadhost {
namespace {

using qx::test::ReadFile;
using qx::test::TempDir;
using qx::test::WriteFile;
using ::testing::HasSubstr;
namespace t = dxf::test;

const std::string kDxf =
    t::Write(t::File({t::Header("AC1032"), t::Section("ENTITIES", t::Text("1", "0", "Door"))}));
const std::string kJson = R"({"layers": [{"name": "0", "entities": [
    {"type": "text", "name": "t", "text": "Door", "at": [0, 0]}]}]})";

TEST(DrawingFileFormat, TellsTheFormatByTheContent) {
    EXPECT_EQ(FormatOfContent("{\"layers\": []}"), DrawingFormat::Json);
    EXPECT_EQ(FormatOfContent("\xEF\xBB\xBF\n  {"), DrawingFormat::Json);
    EXPECT_EQ(FormatOfContent("  0\nSECTION\n"), DrawingFormat::Dxf);
    EXPECT_EQ(FormatOfContent("999\r\ncomment\r\n"), DrawingFormat::Dxf);
    EXPECT_EQ(FormatOfContent("hello\n"), std::nullopt);
    EXPECT_EQ(FormatOfContent(""), std::nullopt);
}

TEST(DrawingFileFormat, OpensByContentWhateverTheExtension) {
    TempDir dir;
    WriteFile(dir.File("really-dxf.json"), kDxf);
    WriteFile(dir.File("really-json.dxf"), kJson);
    const auto dxf = OpenDrawingFile(dir.File("really-dxf.json"));
    ASSERT_TRUE(dxf) << dxf.error();
    EXPECT_NE(dxf->dxfSource, nullptr);
    const auto json = OpenDrawingFile(dir.File("really-json.dxf"));
    ASSERT_TRUE(json) << json.error();
    EXPECT_EQ(json->dxfSource, nullptr);
}

TEST(DrawingFileFormat, TheExtensionNamesTheParserOfADamagedFile) {
    TempDir dir;
    WriteFile(dir.File("plan.dxf"), "SECTION\n");
    WriteFile(dir.File("plan.json"), "SECTION\n");
    WriteFile(dir.File("plan.txt"), "SECTION\n");
    EXPECT_THAT(OpenDrawingFile(dir.File("plan.dxf")).error(),
                HasSubstr("plan.dxf: line 1: the group code \"SECTION\" is not a number"));
    EXPECT_THAT(OpenDrawingFile(dir.File("plan.json")).error(), HasSubstr("not valid JSON"));
    EXPECT_THAT(OpenDrawingFile(dir.File("plan.txt")).error(),
                HasSubstr("plan.txt: is neither a JSON drawing nor an ASCII DXF file"));
}

TEST(DrawingFileFormat, RefusesBinaryDxfAndDwgByName) {
    TempDir dir;
    WriteFile(dir.File("binary.dxf"), std::string("AutoCAD Binary DXF\r\n\x1a\0\0\0", 25));
    WriteFile(dir.File("plan.dwg"), std::string("AC1032\0\0\0\0\x01", 11));
    const auto binary = OpenDrawingFile(dir.File("binary.dxf"));
    EXPECT_FALSE(binary);
    EXPECT_THAT(binary.error(), HasSubstr("binary.dxf: is a binary DXF file, which cadhost does "
                                          "not read"));
    const auto dwg = OpenDrawingFile(dir.File("plan.dwg"));
    EXPECT_FALSE(dwg);
    EXPECT_THAT(dwg.error(), HasSubstr("plan.dwg: is a DWG drawing"));
}

TEST(DrawingFileFormat, SavesDxfBackIntoItsSourceAndJsonOnRequest) {
    TempDir dir;
    WriteFile(dir.File("in.dxf"), kDxf);
    auto opened = OpenDrawingFile(dir.File("in.dxf"));
    ASSERT_TRUE(opened) << opened.error();
    Drawing& d = opened->drawing;
    ASSERT_TRUE(d.SetText(d.FindEntityByName("1"), "Gate"));

    // No extension and no file there yet: the format the drawing came from.
    ASSERT_EQ(SaveDrawingAs(d, opened->dxfSource.get(), dir.File("copy")).error(), "");
    std::string expected = kDxf;
    expected.replace(expected.find("Door"), 4, "Gate");
    EXPECT_EQ(ReadFile(dir.File("copy")), expected);

    ASSERT_EQ(SaveDrawingAs(d, opened->dxfSource.get(), dir.File("copy.json")).error(), "");
    EXPECT_THAT(ReadFile(dir.File("copy.json")), HasSubstr("\"Gate\""));
}

TEST(DrawingFileFormat, ADxfSaveKeepsALinkAndRefusesAReadOnlyFile) {
    TempDir dir;
    WriteFile(dir.File("in.dxf"), kDxf);
    auto opened = OpenDrawingFile(dir.File("in.dxf"));
    ASSERT_TRUE(opened) << opened.error();
    ASSERT_TRUE(opened->drawing.SetText(opened->drawing.FindEntityByName("1"), "Gate"));

    std::filesystem::create_symlink("in.dxf", dir.Path() / "link.dxf");
    ASSERT_EQ(SaveDrawingAs(opened->drawing, opened->dxfSource.get(), dir.File("link.dxf")).error(),
              "");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / "link.dxf"));
    EXPECT_THAT(ReadFile(dir.File("in.dxf")), HasSubstr("Gate"));

    WriteFile(dir.File("locked.dxf"), kDxf);
    std::filesystem::permissions(dir.Path() / "locked.dxf", std::filesystem::perms::owner_read |
                                                                std::filesystem::perms::group_read);
    EXPECT_NE(
        SaveDrawingAs(opened->drawing, opened->dxfSource.get(), dir.File("locked.dxf")).error(),
        "");
    EXPECT_EQ(ReadFile(dir.File("locked.dxf")), kDxf);
}

TEST(DrawingFileFormat, WritesNoDxfWithoutASource) {
    TempDir dir;
    const auto saved = SaveDrawingAs(SampleDrawing(), nullptr, dir.File("out.dxf"));
    EXPECT_THAT(saved.error(), HasSubstr("out.dxf: cannot be saved as DXF"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.dxf")));
}

TEST(DrawingFileFormat, AnExistingFileWithoutExtensionKeepsItsFormat) {
    TempDir dir;
    WriteFile(dir.File("drawing"), kJson);
    WriteFile(dir.File("in.dxf"), kDxf);
    const auto opened = OpenDrawingFile(dir.File("in.dxf"));
    ASSERT_TRUE(opened) << opened.error();
    ASSERT_EQ(SaveDrawingAs(opened->drawing, opened->dxfSource.get(), dir.File("drawing")).error(),
              "");
    EXPECT_EQ(FormatOfContent(ReadFile(dir.File("drawing"))), DrawingFormat::Json);
}

#if defined(__linux__)
// A DXF file of some megabytes, most of it texts: "Door N" for the N-th.
std::string LargeDxf(int texts) {
    t::Tags entities;
    for (int k = 1; k <= texts; ++k) {
        const t::Tags one = t::Text(std::to_string(k + 32), "Ground floor - doors and frames",
                                    "Door " + std::to_string(k), k, k, 2.5, 0);
        entities.insert(entities.end(), one.begin(), one.end());
    }
    return t::Write(t::File({t::Header("AC1032"), t::Section("ENTITIES", entities)}));
}

std::string WithGates(std::string bytes) {
    for (const char* text : {"\nDoor 1\n", "\nDoor 70000\n"})
        bytes.replace(bytes.find(text), 5, "\nGate");
    return bytes;
}

void ChangeTexts(Drawing& d) {
    for (const char* handle : {"33", "70032"}) { // texts 1 and 70,000
        const lgl_addr addr = d.FindEntityByName(handle);
        ASSERT_NE(d.FindEntity(addr), nullptr) << handle;
        ASSERT_TRUE(d.SetText(addr, "Gate" + d.FindEntity(addr)->text.text.substr(4)));
    }
}

// A drawing file of `texts` texts written to the folder as plan.dxf, opened, and its texts 1 and
// 70,000 changed to gates.
struct OpenedLarge {
    std::string bytes;
    DrawingDocument opened;
};

OpenedLarge OpenChanged(const TempDir& dir, int texts) {
    OpenedLarge l{LargeDxf(texts), {}};
    WriteFile(dir.File("plan.dxf"), l.bytes);
    auto opened = OpenDrawingFile(dir.File("plan.dxf"));
    if (!opened)
        throw std::runtime_error(opened.error());
    l.opened = std::move(*opened);
    ChangeTexts(l.opened.drawing);
    return l;
}

// The reader gives the memory of the entities back once read; a save reads them from the file
// again, even when it replaced that file in between.
TEST(DrawingFileFormat, ALargeDxfSavesFromItsFileAgain) {
    TempDir dir;
    OpenedLarge l = OpenChanged(dir, 200000);
    ASSERT_GT(l.bytes.size(), std::size_t{17} << 20);
    DrawingDocument* opened = &l.opened;
    EXPECT_FALSE(opened->dxfSource->image.Released().empty());
    const std::string expected = WithGates(l.bytes);

    ASSERT_EQ(SaveDrawingAs(opened->drawing, opened->dxfSource.get(), dir.File("plan.dxf")).error(),
              "");
    EXPECT_TRUE(ReadFile(dir.File("plan.dxf")) == expected);
    // The file read is still the one the drawing came from, though a new one took its name.
    ASSERT_EQ(SaveDrawingAs(opened->drawing, opened->dxfSource.get(), dir.File("copy.dxf")).error(),
              "");
    EXPECT_TRUE(ReadFile(dir.File("copy.dxf")) == expected);
}

// A drawing of ordinary size keeps its file's bytes: another program may change the file and
// the drawing still saves, with the bytes it read.
TEST(DrawingFileFormat, ASmallDxfIsKeptWholeAndSavesThoughItsFileChanged) {
    TempDir dir;
    OpenedLarge l = OpenChanged(dir, 72000);
    ASSERT_LT(l.bytes.size(), std::size_t{16} << 20);
    DrawingDocument* opened = &l.opened;
    EXPECT_TRUE(opened->dxfSource->image.Released().empty());
    WriteFile(dir.File("plan.dxf"), "changed by another program");
    ASSERT_EQ(SaveDrawingAs(opened->drawing, opened->dxfSource.get(), dir.File("copy.dxf")).error(),
              "");
    EXPECT_TRUE(ReadFile(dir.File("copy.dxf")) == WithGates(l.bytes));
}

TEST(DrawingFileFormat, ASaveFromADxfChangedOnDiskFailsAndWritesNothing) {
    TempDir dir;
    WriteFile(dir.File("copy.dxf"), "old copy");
    OpenedLarge l = OpenChanged(dir, 200000);
    DrawingDocument* opened = &l.opened;
    {
        std::ofstream grow(dir.File("plan.dxf"), std::ios::binary | std::ios::app);
        grow << "999\nadded by another program\n";
    }
    const auto saved =
        SaveDrawingAs(opened->drawing, opened->dxfSource.get(), dir.File("copy.dxf"));
    EXPECT_THAT(saved.error(), HasSubstr("plan.dxf changed on disk after it was read"));
    EXPECT_THAT(saved.error(), HasSubstr("the old file is unchanged"));
    EXPECT_TRUE(ReadFile(dir.File("copy.dxf")) == "old copy");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              2);
}
#endif

} // namespace
} // namespace cadhost
