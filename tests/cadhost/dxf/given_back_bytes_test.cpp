// A drawing whose entities' bytes the reader gave back once read: the file image reads them
// from the file again, and every save is the same as from bytes held whole.
#include "cadhost/formats/dxf/file_image.h"
#include "cadhost/formats/dxf/reader.h"
#include "cadhost/formats/dxf/writer.h"
#include "tests/cadhost/dxf/dxf_builder.h"
#include "tests/cadhost/dxf/forgetful_bytes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace cadhost::dxf {
namespace {

using test::ForgetfulBytes;
using test::Tags;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string Digits(std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i)
        s += static_cast<char>('0' + i % 10);
    return s;
}

std::string Joined(const FileImage& image, Span range, qx::Status* status = nullptr) {
    std::string out;
    const qx::Status copied = image.Copy(range, [&](std::string_view piece) { out += piece; });
    if (status != nullptr)
        *status = copied;
    return out;
}

TEST(FileImage, CopiesAndSlicesAcrossMemoryAndTheFile) {
    const std::string bytes = Digits(100);
    auto source = std::make_unique<ForgetfulBytes>(bytes);
    int rereads = 0;
    source->rereads_ = &rereads;
    FileImage image(std::move(source));
    EXPECT_FALSE(image.Copy(Span{0, 10}, [](std::string_view) {}).ok()) << "nothing read yet";
    ASSERT_TRUE(image.FillAll().ok());
    image.ReleaseBehind(10, 40);
    image.ReleaseBehind(0, 60); // goes on from where the last ended
    EXPECT_THAT(image.Released(), ElementsAre(::testing::Field(&Span::begin, 10u)));
    EXPECT_EQ(image.Released()[0].end, 60u);
    EXPECT_TRUE(image.IsResident(Span{0, 10}));
    EXPECT_FALSE(image.IsResident(Span{5, 11}));

    EXPECT_EQ(Joined(image, Span{0, 100}), bytes);
    EXPECT_EQ(Joined(image, Span{55, 70}), bytes.substr(55, 15));
    EXPECT_EQ(Joined(image, Span{90, 500}), bytes.substr(90));

    rereads = 0;
    EXPECT_EQ(*image.Slice(Span{2, 8}), "234567");
    EXPECT_EQ(rereads, 0);
    EXPECT_EQ(*image.Slice(Span{12, 18}), "234567");
    EXPECT_EQ(*image.Slice(Span{30, 45}), bytes.substr(30, 15));
    // Values in file order share one read of the file.
    EXPECT_EQ(rereads, 1);
}

TEST(FileImage, AFileThatChangedIsAFailureNotOtherBytes) {
    auto source = std::make_unique<ForgetfulBytes>(Digits(50));
    bool changed = false;
    source->fileChanged_ = &changed;
    FileImage image(std::move(source));
    ASSERT_TRUE(image.FillAll().ok());
    image.ReleaseBehind(10, 20);
    changed = true;
    EXPECT_EQ(*image.Slice(Span{0, 10}), "0123456789"); // still in memory
    const auto slice = image.Slice(Span{5, 15});
    ASSERT_FALSE(slice.ok());
    EXPECT_THAT(slice.error(), HasSubstr("changed"));
    qx::Status status;
    Joined(image, Span{0, 50}, &status);
    EXPECT_FALSE(status.ok());
}

// A file with a header, a layer table, many texts and an OBJECTS section for the store.
std::string Plan(const std::string& lineEnd = "\n") {
    Tags entities;
    for (int k = 1; k <= 40; ++k) {
        const Tags one = test::Text(std::to_string(k + 20), k % 2 ? "Doors" : "0",
                                    "Door " + std::to_string(k), k, k);
        entities.insert(entities.end(), one.begin(), one.end());
    }
    return test::Write(
        test::File({test::Header("AC1015", "ANSI_1252", {{9, "$HANDSEED"}, {5, "100"}}),
                    test::LayerTable({{"0"}, {"Doors", 1}}), test::Section("ENTITIES", entities),
                    test::Section("OBJECTS", test::ObjectDictionaries())}),
        lineEnd);
}

LoadedDxf Load(std::unique_ptr<SourceBytes> source) {
    qx::Result<LoadedDxf> loaded = ReadDxf(std::move(source), "plan.dxf");
    if (!loaded)
        throw std::runtime_error(loaded.error());
    return std::move(*loaded);
}

std::string Save(const LoadedDxf& l) {
    std::vector<std::string> notes;
    qx::Result<std::string> saved = WriteDxf(*l.document, l.drawing, notes);
    if (!saved)
        throw std::runtime_error(saved.error());
    return std::move(*saved);
}

void Change(LoadedDxf& l) {
    for (const char* handle : {"21", "35", "60"}) {
        const lgl_addr addr = l.drawing.FindEntityByName(handle);
        const std::string text = l.drawing.FindEntity(addr)->text.text;
        ASSERT_TRUE(l.drawing.SetText(addr, "Gate" + text.substr(4)));
    }
    Attribute a;
    a.name = "SearchStr";
    a.type = qx::host::kAtrText;
    a.textValue = "Door";
    l.drawing.Attributes().Set(a);
    l.drawing.SelectionSets().Add(1, l.drawing.FindEntityByName("40"));
}

TEST(GivenBackBytes, OnlyTheEntitiesAreGivenBackAndEverySaveIsTheSame) {
    const std::string bytes = Plan();
    LoadedDxf held = Load(std::make_unique<MemoryBytes>(bytes));
    LoadedDxf forgetful = Load(std::make_unique<ForgetfulBytes>(bytes));

    const auto& released = forgetful.document->image.Released();
    ASSERT_EQ(released.size(), 1u);
    const std::size_t entities = bytes.find("ENTITIES");
    const std::size_t entitiesEnd = bytes.find("ENDSEC", entities);
    EXPECT_GT(released[0].begin, entities);
    EXPECT_LE(released[0].end, entitiesEnd);
    EXPECT_GT(released[0].end - released[0].begin, bytes.size() / 2);
    EXPECT_TRUE(held.document->image.Released().empty());

    EXPECT_EQ(forgetful.drawing.LiveEntityCount(), held.drawing.LiveEntityCount());
    EXPECT_EQ(Save(forgetful), bytes);

    Change(held);
    Change(forgetful);
    const std::string saved = Save(held);
    EXPECT_THAT(saved, HasSubstr("\nGate 1\n"));
    EXPECT_THAT(saved, HasSubstr("CADHOST_DRAWING"));
    EXPECT_EQ(Save(forgetful), saved);
}

// The store is written in the file's own line ends, though the reader had only the first bytes
// of the file when it began.
TEST(GivenBackBytes, WhatASaveAddsHasTheLineEndsOfTheFile) {
    LoadedDxf l = Load(std::make_unique<ForgetfulBytes>(Plan("\r\n")));
    Change(l);
    const std::string saved = Save(l);
    ASSERT_THAT(saved, HasSubstr("CADHOST_DRAWING"));
    for (std::size_t at = saved.find('\n'); at != std::string::npos; at = saved.find('\n', at + 1))
        ASSERT_EQ(saved[at - 1], '\r') << "a bare line feed at byte " << at;
}

TEST(GivenBackBytes, ASaveFromAFileThatChangedFailsAndSaysWhy) {
    auto source = std::make_unique<ForgetfulBytes>(Plan());
    bool changed = false;
    source->fileChanged_ = &changed;
    LoadedDxf l = Load(std::move(source));
    Change(l);
    changed = true;
    std::vector<std::string> notes;
    const qx::Result<std::string> saved = WriteDxf(*l.document, l.drawing, notes);
    ASSERT_FALSE(saved.ok());
    EXPECT_THAT(saved.error(), HasSubstr("plan.dxf changed"));
}

TEST(GivenBackBytes, AFileThatCannotBeReadToItsEndIsAFailureNamingTheLine) {
    const std::string bytes = Plan();
    for (const std::size_t readable : {std::size_t{40}, bytes.size() / 2, bytes.size() - 1}) {
        auto source = std::make_unique<ForgetfulBytes>(bytes);
        source->readableUpTo = readable;
        const qx::Result<LoadedDxf> loaded = ReadDxf(std::move(source), "plan.dxf");
        ASSERT_FALSE(loaded.ok());
        EXPECT_THAT(loaded.error(), ::testing::StartsWith("plan.dxf: "));
        EXPECT_THAT(loaded.error(), HasSubstr("the file became shorter while it was read"));
    }
}

} // namespace
} // namespace cadhost::dxf
