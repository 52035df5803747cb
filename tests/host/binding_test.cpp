#include "host/binding.h"

#include "host/export_names.h"
#include "host/host_table.h"
#include "host/ui_hooks.h"
#include "platform/platform.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

namespace {

// Every box the binding shows, as caption and text.
std::vector<std::pair<std::string, std::string>> g_boxes;

qx::host::BoxAnswer RecordBox(qx::host::BoxKind kind, const char* caption, const char* text, bool) {
    EXPECT_EQ(kind, qx::host::BoxKind::Error);
    g_boxes.emplace_back(caption, text);
    return qx::host::BoxAnswer::Ok;
}

const qx::host::UiHooks kRecordingHooks{&RecordBox, nullptr, nullptr, nullptr, nullptr};

} // namespace

#ifdef _WIN32
#define QX_TEST_EXPORT __declspec(dllexport)
#else
#define QX_TEST_EXPORT __attribute__((visibility("default")))
#endif

// Exports of this test program, the way a host exports them: one name in its exact case, one
// in other letter case, and two that differ only in case.
extern "C" {
QX_TEST_EXPORT void QX_HOST_CALL Lblsinit() {}
QX_TEST_EXPORT void QX_HOST_CALL LBLSINIT() {}
QX_TEST_EXPORT void QX_HOST_CALL WRTMSG(const qx::host::str255*, qx::host::i32) {}
QX_TEST_EXPORT qx::host::i32 QX_HOST_CALL DataCAD_Version() {
    return 230003;
}
QX_TEST_EXPORT const qx::host::UiHooks* cadhost_ui_hooks() {
    return &kRecordingHooks;
}
}

namespace qx::host {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Pair;

void* Address(auto function) {
    return reinterpret_cast<void*>(function);
}

std::string NotFound(const std::string& name) {
    return "Function " + name + " not found in module";
}

// A module whose entry points are distinct markers, and which remembers the names asked for.
struct FakeModule {
    std::map<std::string, char> markers;
    std::vector<std::string> asked;

    HostModule Module(std::vector<std::string> names) {
        for (const auto& n : names)
            markers[n];
        return HostModule{std::move(names), [this](const std::string& name) -> void* {
                              asked.push_back(name);
                              const auto found = markers.find(name);
                              return found == markers.end() ? nullptr : &found->second;
                          }};
    }
    void* Marker(const std::string& name) { return &markers.at(name); }
};

class Binding : public ::testing::Test {
protected:
    void SetUp() override {
        g_boxes.clear();
        platform::SetUiHooks(&kRecordingHooks);
    }
    void TearDown() override {
        platform::SetUiHooks(nullptr);
        Slots() = HostTable{};
    }
};

TEST_F(Binding, LookupIgnoresLetterCaseAndAsksForTheNameAsExported) {
    FakeModule fake;
    const HostModule module = fake.Module({"ent_first", "LYR_ISON", "getesc"});
    const TFunctionResult result = FindHostFunction(module, "lyr_ison");
    EXPECT_EQ(result.ErrorCode, 0);
    EXPECT_EQ(result.ErrorMessage, "");
    EXPECT_EQ(result.FunctionPointer, fake.Marker("LYR_ISON"));
    EXPECT_THAT(fake.asked, ElementsAre("LYR_ISON"));
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(Binding, TheFirstOfTwoCaseVariantsInTableOrderIsTaken) {
    for (const auto& order : {std::vector<std::string>{"LBLSINIT", "Lblsinit"},
                              std::vector<std::string>{"Lblsinit", "LBLSINIT"}}) {
        FakeModule fake;
        const TFunctionResult result = FindHostFunction(fake.Module(order), "Lblsinit");
        EXPECT_EQ(result.FunctionPointer, fake.Marker(order.front()));
    }
}

TEST_F(Binding, AMissingNameGivesOneBoxAndAnError) {
    FakeModule fake;
    // A name that is only a prefix or a longer variant must not match.
    const TFunctionResult result =
        FindHostFunction(fake.Module({"getes", "getescape", "get_esc"}), "getesc");
    EXPECT_EQ(result.ErrorCode, 1);
    EXPECT_EQ(result.ErrorMessage, NotFound("getesc"));
    EXPECT_EQ(result.FunctionPointer, nullptr);
    EXPECT_THAT(g_boxes, ElementsAre(Pair("DLL Error", NotFound("getesc"))));
}

TEST_F(Binding, ANameTheLoaderCannotResolveCountsAsMissing) {
    const HostModule module{{"getesc"}, [](const std::string&) -> void* { return nullptr; }};
    void* slot = &g_boxes;
    BindHostFunction(module, slot, "getesc");
    EXPECT_EQ(slot, &g_boxes); // left as it was
    EXPECT_THAT(g_boxes, ElementsAre(Pair("DLL Error", NotFound("getesc"))));
}

TEST_F(Binding, BindingFillsEveryExportedSlotAndReportsEachMissingOneOnce) {
    FakeModule fake;
    std::vector<std::string> exported;
#define QX_NAME(name, result, params) exported.emplace_back(#name);
    QX_HOST_FUNCTIONS(QX_NAME)
#undef QX_NAME
    const std::vector<std::string> missing = {"PGSavevar", "ssAdd", "atr_update"};
    std::erase_if(exported, [&](const std::string& n) { return std::ranges::count(missing, n); });
    // Slots bound before must not survive a binding that lacks their function.
    Slots().ssAdd = reinterpret_cast<ssAdd_fn>(Address(&Lblsinit));

    BindHostFunctions(fake.Module(exported));

    EXPECT_EQ(UnboundHostFunctions(), missing);
    EXPECT_THAT(g_boxes, ElementsAre(Pair("DLL Error", NotFound("PGSavevar")),
                                     Pair("DLL Error", NotFound("ssAdd")),
                                     Pair("DLL Error", NotFound("atr_update"))));
    EXPECT_EQ(Address(Slots().getesc), fake.Marker("getesc"));
    EXPECT_EQ(Address(Slots().atr_sysfind), fake.Marker("atr_sysfind"));
}

TEST_F(Binding, AnUnreadableHostImageGivesOneBoxAndLeavesEverySlotEmpty) {
    Slots().getesc = reinterpret_cast<getesc_fn>(Address(&Lblsinit));
    const std::string path = "/nonexistent/qx-host-image";
    BindToHostFile(path);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].first, "DLL Error");
    EXPECT_THAT(g_boxes[0].second, HasSubstr(path));
#ifdef _WIN32
    // The system's own words for the reason follow the file's name.
    const std::string named = path + "\": ";
    const std::size_t reason = g_boxes[0].second.find(named);
    ASSERT_NE(reason, std::string::npos) << g_boxes[0].second;
    EXPECT_GT(g_boxes[0].second.size(), reason + named.size() + 1) << g_boxes[0].second;
#else
    EXPECT_THAT(g_boxes[0].second, HasSubstr("No such file"));
#endif
    EXPECT_EQ(UnboundHostFunctions().size(), sizeof(HostTable) / sizeof(void*));
}

TEST(BindingToThisProgram, InstallsTheHostsUiHooksAndBindsItsOwnExports) {
    // No hooks set by the test: the boxes reach g_boxes only if the binding installed the
    // hooks this program exports.
    platform::SetUiHooks(nullptr);
    g_boxes.clear();

    BindToHostExecutable();
    // The load-time binding says nothing until the first call of Main.
    EXPECT_TRUE(g_boxes.empty());
    ShowDeferredBindingMessages();

    const ExportNameList own = ReadExportNames(platform::HostExecutablePath());
    ASSERT_TRUE(own.ok()) << own.error;
    const auto position = [&](const char* name) {
        return std::ranges::find(own.names, name) - own.names.begin();
    };
    ASSERT_LT(position("Lblsinit"), static_cast<long>(own.names.size()));
    ASSERT_LT(position("LBLSINIT"), static_cast<long>(own.names.size()));
    void* const firstVariant =
        position("Lblsinit") < position("LBLSINIT") ? Address(&Lblsinit) : Address(&LBLSINIT);
    EXPECT_EQ(Address(Slots().Lblsinit), firstVariant);
    EXPECT_EQ(Address(Slots().wrtmsg), Address(&WRTMSG));
    ASSERT_NE(Slots().DataCAD_Version, nullptr);
    EXPECT_EQ(Host().DataCAD_Version(), 230003);

    const std::vector<std::string> unbound = UnboundHostFunctions();
    EXPECT_EQ(unbound.size(), sizeof(HostTable) / sizeof(void*) - 3);
    ASSERT_EQ(g_boxes.size(), unbound.size());
    for (std::size_t i = 0; i < unbound.size(); ++i) {
        EXPECT_EQ(g_boxes[i].first, "DLL Error");
        EXPECT_EQ(g_boxes[i].second, NotFound(unbound[i]));
    }
    // Said once only.
    g_boxes.clear();
    ShowDeferredBindingMessages();
    EXPECT_TRUE(g_boxes.empty());

    platform::SetUiHooks(nullptr);
    Slots() = HostTable{};
}

} // namespace
} // namespace qx::host
