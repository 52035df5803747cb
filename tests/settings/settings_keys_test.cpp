// The key table: every key is kept where the table says, with its default.
#include "settings/settings_keys.h"
#include "tests/settings/settings_fixture.h"

namespace qx::settings {
// Test listings name a key by its name, not by its bytes.
void PrintTo(const SettingDef& def, std::ostream* os) {
    *os << def.name;
}
} // namespace qx::settings

namespace {

using namespace qx::settings;
using qx::test::SettingsTest;

class SettingsKeys : public SettingsTest, public testing::WithParamInterface<SettingDef> {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        Open();
    }
};

TEST_P(SettingsKeys, ReadsItsDefaultWhenNothingIsStored) {
    const SettingDef& def = GetParam();
    switch (def.kind) {
    case SettingKind::YesNo:
        EXPECT_EQ(ReadBool(def.id), def.dflt != 0);
        break;
    case SettingKind::Integer:
        EXPECT_EQ(ReadInt(def.id), def.dflt);
        break;
    case SettingKind::Text:
        EXPECT_EQ(ReadText(def.id), "");
        break;
    }
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_P(SettingsKeys, IsSavedWhereTheTableSaysAndReadBack) {
    const SettingDef& def = GetParam();
    const std::string name(def.name);
    const bool inDrawing = def.place == SettingPlace::DrawingAndFile;
    switch (def.kind) {
    case SettingKind::YesNo:
        SaveBool(def.id, def.dflt == 0);
        EXPECT_EQ(FileValue(name), def.dflt == 0 ? "1" : "0");
        EXPECT_EQ(host.IntAttribute(name).has_value(), inDrawing);
        EXPECT_EQ(ReadBool(def.id), def.dflt == 0);
        if (!inDrawing) {
            // A drawing attribute of the same name has no say over a file-only key.
            host.SetIntAttribute(name, def.dflt);
            EXPECT_EQ(ReadBool(def.id), def.dflt == 0);
        }
        break;
    case SettingKind::Integer:
        SaveInt(def.id, def.dflt + 40);
        EXPECT_EQ(FileValue(name), std::to_string(def.dflt + 40));
        EXPECT_EQ(host.IntAttribute(name).has_value(), inDrawing);
        EXPECT_EQ(ReadInt(def.id), def.dflt + 40);
        break;
    case SettingKind::Text:
        SaveText(def.id, "saved text");
        EXPECT_EQ(FileValue(name), "saved text");
        EXPECT_EQ(host.TextAttribute(name).has_value(), inDrawing);
        EXPECT_EQ(ReadText(def.id), "saved text");
        break;
    }
    EXPECT_TRUE(ui.Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, SettingsKeys, testing::ValuesIn(kSettingsTable),
                         [](const testing::TestParamInfo<SettingDef>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(SettingsTest, KeyReadOrSavedAsTheWrongKindGivesItsDefaultAndABox) {
    Open();
    EXPECT_EQ(ReadText(SettingKey::Increment), "");
    EXPECT_EQ(ReadInt(SettingKey::RptChanges), 1);
    SaveBool(SettingKey::SearchStr, true);
    EXPECT_EQ(host.AttributeCount(), 0u);
    ASSERT_EQ(ui.Boxes().size(), 3u);
    EXPECT_NE(ui.Boxes()[0].text.find("Increment"), std::string::npos);
}

} // namespace
