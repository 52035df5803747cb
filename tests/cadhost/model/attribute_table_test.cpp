// Drawing attributes and their records.
#include "cadhost/model/attribute_table.h"

#include <gtest/gtest.h>

namespace cadhost {
namespace {

using qx::host::kAtrInteger;
using qx::host::kAtrText;

TEST(AttributeRecord, IntegerAndTextRoundTripThroughTheRecord) {
    for (const Attribute& a : {Attribute{"ConfirmEach", kAtrInteger, -7, ""},
                               Attribute{"SearchStr^", kAtrText, 0, std::string(255, 'x')},
                               Attribute{"1234567890123", kAtrText, 0, ""}}) {
        AttribRec rec;
        FillRecord(a, rec);
        const auto back = AttributeFromRecord(rec);
        ASSERT_TRUE(back.has_value()) << a.name;
        EXPECT_EQ(*back, a) << a.name;
    }
}

TEST(AttributeRecord, NameIsCountedAtItsOffset) {
    AttribRec rec;
    FillRecord(Attribute{"UseForm", kAtrInteger, 1, ""}, rec);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&rec);
    EXPECT_EQ(bytes[32], 7);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 33), 7), "UseForm");
}

TEST(AttributeRecord, OnlyIntegerAndTextAreKept) {
    AttribRec rec;
    FillRecord(Attribute{"Pt", kAtrInteger, 1, ""}, rec);
    rec.atrtype = 3;
    EXPECT_FALSE(AttributeFromRecord(rec).has_value());
}

TEST(AttributeRecord, AnOverlongNameLengthIsCutToTheField) {
    AttribRec rec;
    FillRecord(Attribute{"ABCDEFGHIJKLM", kAtrInteger, 1, ""}, rec);
    rec.nameLen = 200;
    EXPECT_EQ(AttributeFromRecord(rec)->name, "ABCDEFGHIJKLM");
}

TEST(AttributeTable, FindAfterSetAndUpdate) {
    AttributeTable t;
    EXPECT_EQ(t.Find("Key"), nullptr);
    EXPECT_FALSE(t.Update(Attribute{"Key", kAtrInteger, 1, ""}));
    EXPECT_EQ(t.Find("Key"), nullptr) << "an update adds nothing";

    t.Set(Attribute{"Key", kAtrInteger, 1, ""});
    ASSERT_NE(t.Find("Key"), nullptr);
    EXPECT_EQ(t.Find("Key")->intValue, 1);

    EXPECT_TRUE(t.Update(Attribute{"Key", kAtrText, 0, "now a text"}));
    EXPECT_EQ(t.Find("Key")->type, kAtrText);
    EXPECT_EQ(t.Find("Key")->textValue, "now a text");

    t.Set(Attribute{"Key", kAtrInteger, 5, ""});
    EXPECT_EQ(t.All().size(), 1u) << "a name is held once";
    EXPECT_EQ(t.Find("Key")->intValue, 5);
}

TEST(AttributeTable, NamesCompareExactly) {
    AttributeTable t;
    t.Set(Attribute{"SearchStr", kAtrText, 0, "a"});
    EXPECT_EQ(t.Find("searchstr"), nullptr);
    EXPECT_EQ(t.Find("SearchStr^"), nullptr);
    t.Set(Attribute{"searchstr", kAtrText, 0, "b"});
    EXPECT_EQ(t.All().size(), 2u);
    EXPECT_EQ(t.Find("SearchStr")->textValue, "a");
}

} // namespace
} // namespace cadhost
