// Dialog placement: both schemes, values not stored, saves during a restore, places that no
// screen shows, and failures.
#include "dialogs/window_placement.h"
#include "settings/form_placement.h"
#include "tests/settings/settings_fixture.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <filesystem>

namespace {

using namespace qx::settings;
using qx::platform::ReadProfileValue;
using qx::test::SettingsTest;
using qx::test::WriteFile;

constexpr PlacementFile kShared = PlacementFile::Shared;
constexpr PlacementFile kOwn = PlacementFile::Macro;

// The placement memory reaches a Qt window through the Qt view's adaptor.
void RestoreFormPos(QWidget& form, PlacementFile file) {
    qx::RestoreWindowPlace(form, file);
}
void SaveFormPos(QWidget& form, PlacementFile file) {
    qx::SaveWindowPlace(form, file);
}

QApplication& App() {
    static int argc = 1;
    static char name[] = "qx_settings_tests";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

const char* const kWarning =
    "A non-fatal error occurred during processing of the form, please advise macro author";

// Widgets need the application before they are made.
struct WithApplication {
    WithApplication() { App(); }
};

class FormPlacement : public WithApplication, public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        Open();
        form.setObjectName("fmLayers");
        form.setGeometry(100, 120, 300, 200);
    }

    std::optional<std::string> Own(const std::string& key) const {
        return ReadProfileValue(MacroIni(), "fmLayers", key);
    }
    std::optional<std::string> Shared(const std::string& key) const {
        return ReadProfileValue(SharedIni(), "Quillex", "fmConfirm-" + key);
    }

    QWidget form;
};

TEST_F(FormPlacement, FirstOpeningKeepsTheDesignedPlaceAndTheCloseStoresAllFour) {
    RestoreFormPos(form, kOwn);
    EXPECT_EQ(form.geometry(), QRect(100, 120, 300, 200));
    SaveFormPos(form, kOwn);
    EXPECT_EQ(Own("Left"), "100");
    EXPECT_EQ(Own("Top"), "120");
    EXPECT_EQ(Own("Width"), "300");
    EXPECT_EQ(Own("Height"), "200");
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(FormPlacement, OwnSectionIsRestored) {
    WriteFile(MacroIni(), "[fmLayers]\nTop=50\nLeft=60\nHeight=70\nWidth=80\n");
    RestoreFormPos(form, kOwn);
    EXPECT_EQ(form.pos(), QPoint(60, 50));
    EXPECT_EQ(form.size(), QSize(80, 70));
}

TEST_F(FormPlacement, LargestIntegerMeansNotStored) {
    WriteFile(MacroIni(), "[fmLayers]\nTop=2147483647\nLeft=60\nHeight=2147483647\nWidth=80\n");
    RestoreFormPos(form, kOwn);
    EXPECT_EQ(form.geometry(), QRect(60, 120, 80, 200));
}

TEST_F(FormPlacement, SharedSchemeRoundTrip) {
    form.setObjectName("fmConfirm");
    SaveFormPos(form, kShared);
    EXPECT_EQ(Shared("left"), "100");
    EXPECT_EQ(Shared("top"), "120");
    EXPECT_EQ(Shared("width"), "300");
    EXPECT_EQ(Shared("height"), "200");

    QWidget other;
    other.setObjectName("fmConfirm");
    other.setGeometry(0, 0, 10, 10);
    RestoreFormPos(other, kShared);
    EXPECT_EQ(other.geometry(), QRect(100, 120, 300, 200));
}

TEST_F(FormPlacement, SharedSchemeWithoutTheSharedFileNeitherRestoresNorSaves) {
    form.setObjectName("fmConfirm");
    std::filesystem::remove(SharedIni());
    SaveFormPos(form, kShared);
    EXPECT_FALSE(std::filesystem::exists(SharedIni()));
    form.setGeometry(1, 2, 30, 40);
    RestoreFormPos(form, kShared);
    EXPECT_EQ(form.geometry(), QRect(1, 2, 30, 40));
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(FormPlacement, SharedSchemeKeepsTheCurrentValueForMissingKeys) {
    form.setObjectName("fmConfirm");
    WriteFile(SharedIni(), "[Quillex]\nfmConfirm-left=10\nfmConfirm-height=90\n");
    RestoreFormPos(form, kShared);
    EXPECT_EQ(form.geometry(), QRect(10, 120, 300, 90));
}

// A window that saves its place whenever it moves or changes size.
class SavingWidget : public QWidget {
protected:
    void moveEvent(QMoveEvent*) override { SaveFormPos(*this, kOwn); }
    void resizeEvent(QResizeEvent*) override { SaveFormPos(*this, kOwn); }
};

TEST_F(FormPlacement, SaveDuringARestoreStoresNothing) {
    QWidget parent;
    parent.resize(800, 600);
    SavingWidget child;
    child.setParent(&parent);
    child.setObjectName("fmLayers");
    child.setGeometry(5, 5, 50, 50);
    parent.show();
    WriteFile(MacroIni(), "[fmLayers]\nTop=50\nLeft=60\n");
    RestoreFormPos(child, kOwn);
    EXPECT_EQ(child.pos(), QPoint(60, 50));
    EXPECT_EQ(Own("Width"), std::nullopt);

    // Outside a restore the same window does save.
    child.move(70, 80);
    EXPECT_EQ(Own("Left"), "70");
}

TEST_F(FormPlacement, PlaceThatNoScreenShowsKeepsTheDesignedPlace) {
    ASSERT_FALSE(QGuiApplication::screens().isEmpty());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const int far = screen.right() + 5000;
    WriteFile(MacroIni(), "[fmLayers]\nTop=" + std::to_string(far) +
                              "\nLeft=" + std::to_string(far) + "\nHeight=70\nWidth=80\n");
    RestoreFormPos(form, kOwn);
    EXPECT_EQ(form.geometry(), QRect(100, 120, 300, 200));

    // A window never placed by hand stays unplaced, so the toolkit still centres it on show.
    QWidget fresh;
    fresh.setObjectName("fmLayers");
    fresh.resize(300, 200);
    RestoreFormPos(fresh, kOwn);
    EXPECT_FALSE(fresh.testAttribute(Qt::WA_Moved));
    EXPECT_EQ(fresh.size(), QSize(300, 200));
}

TEST_F(FormPlacement, PlacePartlyOnAScreenIsKept) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const int left = screen.right() - 100;
    WriteFile(MacroIni(), "[fmLayers]\nTop=" + std::to_string(screen.top() + 10) +
                              "\nLeft=" + std::to_string(left) + "\nHeight=200\nWidth=400\n");
    RestoreFormPos(form, kOwn);
    EXPECT_EQ(form.pos(), QPoint(left, screen.top() + 10));
}

std::string Text(const QRect& r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) +
           "x" + std::to_string(r.height());
}

// Places that a screen shows in one direction only, or only as a thin strip: a user must be able
// to take hold of the window, so a strip narrower than 32 pixels, or a window that lies beside or
// below the screen, goes back to its designed place.
TEST_F(FormPlacement, PlaceVisibleInOneDirectionOnlyKeepsTheDesignedPlace) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect designed(100, 120, 300, 200);
    const struct {
        const char* name;
        QRect stored;
        bool kept;
    } cases[] = {
        {"across the screen's width, below it",
         {screen.left() + 10, screen.bottom() + 500, 400, 200},
         false},
        {"across the screen's height, beside it",
         {screen.right() + 500, screen.top() + 10, 400, 200},
         false},
        {"a strip of 10 at the right edge",
         {screen.right() - 9, screen.top() + 10, 400, 200},
         false},
        {"a strip of 10 at the bottom edge",
         {screen.left() + 10, screen.bottom() - 9, 400, 200},
         false},
        {"a strip of 10 at the top edge",
         {screen.left() + 10, screen.top() - 190, 400, 200},
         false},
        {"40 at the right edge", {screen.right() - 39, screen.top() + 10, 400, 200}, true},
        {"40 at the bottom edge", {screen.left() + 10, screen.bottom() - 39, 400, 200}, true},
        {"a small window wholly inside", {screen.left() + 10, screen.top() + 10, 20, 20}, true},
    };
    for (const auto& c : cases) {
        QWidget window;
        window.setObjectName("fmLayers");
        window.setGeometry(designed);
        WriteFile(MacroIni(), "[fmLayers]\nTop=" + std::to_string(c.stored.top()) +
                                  "\nLeft=" + std::to_string(c.stored.left()) +
                                  "\nHeight=" + std::to_string(c.stored.height()) +
                                  "\nWidth=" + std::to_string(c.stored.width()) + "\n");
        RestoreFormPos(window, kOwn);
        EXPECT_EQ(Text(window.geometry()), Text(c.kept ? c.stored : designed)) << c.name;
    }
}

TEST_F(FormPlacement, UnusableSizeGivesTheWarningAndKeepsWhatWasApplied) {
    WriteFile(MacroIni(), "[fmLayers]\nTop=50\nLeft=60\nHeight=0\nWidth=80\n");
    RestoreFormPos(form, kOwn);
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].kind, qx::host::BoxKind::Warning);
    EXPECT_EQ(ui.Boxes()[0].text, kWarning);
    EXPECT_EQ(form.geometry(), QRect(60, 50, 300, 200));
}

TEST_F(FormPlacement, SaveThatFailsGivesTheWarning) {
    dir.Folder("macros/Quillex.ini");
    SaveFormPos(form, kOwn);
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, kWarning);
}

} // namespace
