// Whole runs of the real macro through the real window, as a person makes them: function keys
// on the keyboard and the panel, texts typed in the prompt line, clicks and drags in the view,
// the macro's dialogs and floating windows answered with the mouse, and Ctrl+Z.
#include "cadhost/driver/macro_library.h"
#include "cadhost/driver/session.h"
#include "cadhost/window/drawing_view.h"
#include "cadhost/window/host_actions.h"
#include "cadhost/window/host_window.h"
#include "cadhost/window/key_panel.h"
#include "cadhost/window/macro_session.h"
#include "cadhost/window/message_lines.h"
#include "cadhost/window/prompt_line.h"
#include "host/codepage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEnterEvent>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>

// The host functions the macro asks about the view.
extern "C" double pixsize();
extern "C" void view_getcurr(qx::host::ViewRec* view);

namespace {

using cadhost::CurrentSession;
using cadhost::RequestKind;
using cadhost::window::HostWindow;

std::string TextOf(const char* name) {
    const auto& d = CurrentSession().drawing;
    const cadhost::Entity* e = d.FindEntity(d.FindEntityByName(name));
    return e == nullptr ? "<none>" : qx::host::Cp1252ToUtf8(e->text.text);
}

// Acts on the next modal window of the given name once it is open; the test goes on once the
// window has closed again.
class ModalAnswer {
public:
    ModalAnswer(QString name, std::function<void(QWidget&)> act)
        : name_(std::move(name)), act_(std::move(act)) {
        QTimer::singleShot(0, [this] { Attempt(); });
    }
    ~ModalAnswer() { *alive_ = false; }
    bool Answered() const { return answered_; }

private:
    void Attempt() {
        // A window still open after its answer is answered again: a file dialog refuses a
        // choice while the file information it gathers on a thread of its own is not ready.
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->objectName() == name_ && modal->isVisible()) {
            answered_ = true;
            act_(*modal);
        }
        // Looked for as long as the answer lives, which is the scope of the action that opens
        // the window: a loaded machine may take seconds to show a file dialog, and an answer
        // that gave up would leave the dialog waiting for ever.
        auto alive = alive_;
        QTimer::singleShot(answered_ ? 50 : 5, [this, alive] {
            if (*alive)
                Attempt();
        });
    }

    QString name_;
    std::function<void(QWidget&)> act_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    bool answered_ = false;
};

void Click(QWidget& window, const char* button) {
    auto* b = window.findChild<QAbstractButton*>(QString::fromLatin1(button));
    ASSERT_NE(b, nullptr) << button;
    QTest::mouseClick(b, Qt::LeftButton);
}

class WindowRuns : public testing::Test {
protected:
    static void SetUpTestSuite() {
        const auto loaded = cadhost::LoadMacroLibrary(cadhost::DefaultMacroLibraryPath());
        macro_ = loaded ? *loaded : nullptr;
    }

    void SetUp() override {
        ASSERT_NE(macro_, nullptr);
        ASSERT_TRUE(dir_.isValid());
        cadhost::ResetSession();
        const std::string root = dir_.path().toStdString();
        QDir().mkpath(dir_.filePath(QStringLiteral("macro")));
        QDir().mkpath(dir_.filePath(QStringLiteral("shared")));
        CurrentSession().config.macroPath = root + "/macro/";
        CurrentSession().config.sharedPath = root + "/shared/";
    }

    // The window on the sample drawing, with the macro's prompts instead of its dialog.
    void Open(bool confirmEach = false) {
        std::ofstream(CurrentSession().config.macroPath + "Quillex.ini")
            << "[Quillex]\nUseForm=0\nConfirmEach=" << (confirmEach ? 1 : 0) << "\n";
        window_ = std::make_unique<HostWindow>(macro_);
        window_->Actions().UseSample();
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    void TearDown() override {
        if (window_) {
            window_->Macro().Finish();
            window_.reset();
        }
    }

    // A key typed on the keyboard goes to whatever has the focus.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        if (target == nullptr || target->window() != window_.get())
            target = window_.get();
        QTest::keyClick(target, key, modifiers);
        Settle();
    }
    void Shift(Qt::Key key) { Key(key, Qt::ShiftModifier); }

    void Type(const QString& text) {
        ASSERT_TRUE(window_->Prompt()->Active());
        QTest::keyClicks(window_->Prompt()->Edit(), text);
        QTest::keyClick(window_->Prompt()->Edit(), Qt::Key_Return);
        Settle();
    }

    void PanelKey(int position) {
        QTest::mouseClick(window_->Panel()->Button(position), Qt::LeftButton);
        Settle();
    }

    static void Settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    QPoint Pixel(double x, double y) const {
        return window_->View()->ToPixels({x, y, 0}).toPoint();
    }

    void ClickView(double x, double y) {
        QTest::mouseClick(window_->View(), Qt::LeftButton, Qt::NoModifier, Pixel(x, y));
        Settle();
    }

    void DragView(QPointF from, QPointF to) {
        auto* view = window_->View();
        const QPoint a = Pixel(from.x(), from.y());
        const QPoint b = Pixel(to.x(), to.y());
        QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, a);
        QTest::mouseMove(view, (a + b) / 2);
        QTest::mouseMove(view, b);
        QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, b);
        Settle();
    }

    QString Label(int position) const { return window_->Panel()->Button(position)->text(); }
    RequestKind Waiting() const { return window_->Macro().Waiting(); }
    QString ErrorLine() const { return window_->Lines()->Error(); }
    QImage ViewPicture() const { return window_->View()->grab().toImage(); }

    enum class Matching { AnyCase, ExactCase };
    // Quillex from the idle menu, a search text and a replacement through the prompts.
    void StartReplace(const QString& search, const QString& replacement, Matching matching) {
        Key(Qt::Key_F1);
        ASSERT_EQ(Waiting(), RequestKind::MenuGetMode);
        Key(Qt::Key_F9);
        ASSERT_EQ(Waiting(), RequestKind::DGetstr255);
        Type(search);
        Shift(Qt::Key_F3);
        Type(replacement);
        // Matching starts case sensitive.
        if (matching == Matching::AnyCase)
            Key(Qt::Key_F10);
    }

    static inline qx::host::Main_fn macro_ = nullptr;
    QTemporaryDir dir_;
    std::unique_ptr<HostWindow> window_;
};

TEST_F(WindowRuns, ReplaceOverADraggedAreaShowsTheResultAndUndoesWithCtrlZ) {
    Open();
    const QImage before = ViewPicture();
    EXPECT_EQ(Label(1), "Quillex");
    Key(Qt::Key_F1);
    EXPECT_EQ(window_->Lines()->Level(), "Quillex");
    EXPECT_EQ(Label(9), "Search For");
    EXPECT_FALSE(window_->Panel()->Button(9)->Key().marked);

    Key(Qt::Key_F9);
    EXPECT_EQ(window_->Lines()->Message(), "Text to Search For:");
    EXPECT_EQ(Label(20), "Cancel");
    Type("door");
    EXPECT_EQ(Waiting(), RequestKind::MenuGetMode);
    EXPECT_TRUE(window_->Panel()->Button(9)->Key().marked);
    EXPECT_EQ(window_->Panel()->Button(9)->toolTip(), "'door'");
    Shift(Qt::Key_F3);
    Type("Gate");
    EXPECT_EQ(window_->Panel()->Button(13)->toolTip(), "'Gate'");
    EXPECT_TRUE(window_->Panel()->Button(10)->isChecked()); // case sensitive, as it starts
    Key(Qt::Key_F10);
    EXPECT_FALSE(window_->Panel()->Button(10)->isChecked());

    // The host's Area tool sits where the macro leaves the menu free.
    EXPECT_EQ(Label(2), "Area");
    PanelKey(2);
    EXPECT_TRUE(window_->Panel()->Button(2)->isChecked());
    // The three door tags; the multi-line text below them stays outside.
    DragView({0, 32.5}, {20, 22.5});

    EXPECT_EQ(TextOf("door101"), "Gate 101");
    EXPECT_EQ(TextOf("door102"), "Gate 102");
    EXPECT_EQ(TextOf("door2"), "Gate 2");
    EXPECT_EQ(ErrorLine(), "3 replacements made in 3 entities");
    EXPECT_EQ(Waiting(), RequestKind::MenuGetMode);
    EXPECT_NE(ViewPicture(), before);
    EXPECT_TRUE(window_->isWindowModified());

    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(TextOf("door101"), "Door 101");
    EXPECT_EQ(TextOf("door2"), "door 2");
    EXPECT_EQ(ViewPicture(), before);
    // The result of the undone run is no result any more.
    EXPECT_EQ(ErrorLine(), "");
    // One run is one step: a second undo finds nothing of the run left.
    EXPECT_EQ(CurrentSession().drawing.UndoStepCount(), 0u);

    Key(Qt::Key_Escape); // the selection menu's Exit
    EXPECT_FALSE(window_->Macro().Running());
    EXPECT_EQ(Label(1), "Quillex");
}

TEST_F(WindowRuns, ConfirmEachShowsTheBoxAndTheConfirmWindowAndTakesItsAnswers) {
    Open(true);
    StartReplace("door", "Gate", Matching::AnyCase);
    // The Layer tool: a layer from the list.
    ModalAnswer chooser(QStringLiteral("layerChooser"), [](QWidget& w) {
        auto& dialog = static_cast<QInputDialog&>(w);
        dialog.setTextValue(QStringLiteral("Doors"));
        dialog.accept();
    });
    PanelKey(3);
    ASSERT_TRUE(chooser.Answered());

    ASSERT_EQ(Waiting(), RequestKind::Getpointp);
    EXPECT_EQ(window_->Lines()->Level(), "Do this Entity?");
    EXPECT_EQ(Label(1), "Yes");
    const auto& shown = window_->View()->Overlays().Shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].color, 15); // the default highlight colour
    auto floating = window_->FloatingWindows();
    ASSERT_EQ(floating.size(), 1u);
    EXPECT_EQ(floating[0]->objectName(), "fmConfirm");
    // The window opens over the drawing, inside the main window.
    EXPECT_TRUE(window_->frameGeometry().contains(floating[0]->geometry()));

    // Yes in the confirm window: the macro gets F1 and replaces that window by the next one.
    Click(*floating[0], "btnYes");
    Settle();
    EXPECT_EQ(TextOf("door101"), "Gate 101");
    floating = window_->FloatingWindows();
    ASSERT_EQ(floating.size(), 1u);
    EXPECT_EQ(window_->View()->Overlays().Shown().size(), 1u);

    // A click in the view moves the view and shows the same entity again.
    const auto moves = CurrentSession().drawing.View().Changes().size();
    ClickView(40, 10);
    EXPECT_EQ(CurrentSession().drawing.View().Changes().size(), moves + 1);
    EXPECT_EQ(Waiting(), RequestKind::Getpointp);

    Key(Qt::Key_F2); // No to DOOR 102
    EXPECT_EQ(TextOf("door102"), "DOOR 102");
    // Yes to All reaches the multi-line text, which goes to a selection set or not at all.
    ModalAnswer selset(QStringLiteral("fmSelSet"), [](QWidget& w) { Click(w, "btnCancel"); });
    Key(Qt::Key_F5);
    EXPECT_TRUE(selset.Answered());
    EXPECT_EQ(TextOf("door2"), "Gate 2");
    EXPECT_EQ(ErrorLine(), "2 replacements made in 2 entities");
    EXPECT_TRUE(window_->View()->Overlays().Shown().empty());
    EXPECT_TRUE(window_->FloatingWindows().empty());

    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(TextOf("door101"), "Door 101");
    EXPECT_EQ(TextOf("door2"), "door 2");
}

TEST_F(WindowRuns, CaseChangeOnOneClickedEntity) {
    Open();
    Key(Qt::Key_F1);
    Key(Qt::Key_F9);
    Type("door");
    Key(Qt::Key_F10);
    Shift(Qt::Key_F5); // Change Case
    EXPECT_EQ(Label(1), "To Upper");
    Key(Qt::Key_F1);
    EXPECT_TRUE(window_->Panel()->Button(1)->isChecked());
    Shift(Qt::Key_F10); // Back
    EXPECT_TRUE(window_->Panel()->Button(15)->Key().marked);
    // A click on "door 2" with the Entity tool picks it alone.
    ClickView(3, 24.4);
    EXPECT_EQ(TextOf("door2"), "DOOR 2");
    EXPECT_EQ(TextOf("door101"), "Door 101");
    EXPECT_EQ(ErrorLine(), "1 entities were updated.");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(TextOf("door2"), "door 2");
}

TEST_F(WindowRuns, NumberIncrementTakesWholeNumbersOnly) {
    Open();
    Key(Qt::Key_F1);
    Key(Qt::Key_F9);
    Type("Sheet");
    Shift(Qt::Key_F6); // Inc Number
    Key(Qt::Key_F3);   // Inc Last Num
    Key(Qt::Key_F10);  // Increment
    ASSERT_EQ(Waiting(), RequestKind::Getint);
    // Letters do not go in; the prompt keeps what it had.
    QLineEdit* edit = window_->Prompt()->Edit();
    edit->selectAll();
    QTest::keyClicks(edit, "x3");
    EXPECT_EQ(edit->text(), "3");
    QTest::keyClick(edit, Qt::Key_Return);
    Settle();
    EXPECT_EQ(Waiting(), RequestKind::Getesc);
    EXPECT_EQ(window_->Panel()->Button(10)->toolTip(), "Set size of increment (currently 3)");
    Shift(Qt::Key_F10); // Back
    ModalAnswer chooser(QStringLiteral("layerChooser"), [](QWidget& w) {
        auto& dialog = static_cast<QInputDialog&>(w);
        dialog.setTextValue(QStringLiteral("Sheets"));
        dialog.accept();
    });
    PanelKey(3);
    EXPECT_EQ(TextOf("sheet9"), "Sheet 9 of 15");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(TextOf("sheet9"), "Sheet 9 of 12");
}

TEST_F(WindowRuns, WholeLayerRunThroughTheLayerDialog) {
    Open();
    StartReplace("Sheet", "Page", Matching::ExactCase);
    ModalAnswer layers(QStringLiteral("fmLayers"), [](QWidget& w) {
        Click(w, "btnUnlockedOnLyrs");
        Click(w, "btnOK");
    });
    Key(Qt::Key_F7);
    EXPECT_TRUE(layers.Answered());
    EXPECT_EQ(TextOf("sheet9"), "Page 9 of 12");
    EXPECT_EQ(ErrorLine(), "1 replacements made in 1 entities");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(TextOf("sheet9"), "Sheet 9 of 12");
}

TEST_F(WindowRuns, FindOnlyBrowsesEachMatchWithTheFoundTextWindow) {
    Open();
    Key(Qt::Key_F1);
    Key(Qt::Key_F9);
    Type("door");
    Key(Qt::Key_F10);
    ModalAnswer layers(QStringLiteral("fmLayers"), [](QWidget& w) { Click(w, "Button1"); });
    Key(Qt::Key_F7);
    ASSERT_TRUE(layers.Answered());
    ASSERT_EQ(Waiting(), RequestKind::Getpointp);
    EXPECT_EQ(window_->Lines()->Level(), "Finding");
    const auto floating = window_->FloatingWindows();
    ASSERT_EQ(floating.size(), 1u);
    EXPECT_EQ(floating[0]->windowTitle(), "Found on Doors");
    EXPECT_EQ(window_->View()->Overlays().Shown().size(), 1u);

    // Next through every match, with the keys typed while the found-text window has the focus.
    for (int i = 0; i < 3 && Waiting() == RequestKind::Getpointp; ++i) {
        QTest::keyClick(window_->FloatingWindows().at(0), Qt::Key_F1);
        Settle();
    }
    EXPECT_EQ(Label(1), "Done");
    Key(Qt::Key_F1);
    EXPECT_EQ(Waiting(), RequestKind::MenuGetMode);
    EXPECT_TRUE(window_->FloatingWindows().empty());
    EXPECT_TRUE(window_->View()->Overlays().Shown().empty());
    EXPECT_EQ(TextOf("door101"), "Door 101");
    EXPECT_EQ(CurrentSession().drawing.UndoStepCount(), 0u);
}

TEST_F(WindowRuns, EscapeAtAPromptKeepsTheOldText) {
    Open();
    Key(Qt::Key_F1);
    Key(Qt::Key_F9);
    Type("door");
    Key(Qt::Key_F9);
    ASSERT_TRUE(window_->Prompt()->Active());
    EXPECT_EQ(window_->Prompt()->Edit()->selectedText(), "door");
    QTest::keyClicks(window_->Prompt()->Edit(), "gate");
    QTest::keyClick(window_->Prompt()->Edit(), Qt::Key_Escape);
    Settle();
    EXPECT_FALSE(window_->Prompt()->Active());
    EXPECT_EQ(window_->Panel()->Button(9)->toolTip(), "'door'");
}

TEST_F(WindowRuns, TheColourPromptNamesTheColourAndHintsReachTheStatusLine) {
    Open();
    Key(Qt::Key_F1);
    Shift(Qt::Key_F8); // Settings
    Shift(Qt::Key_F3); // Hilite Clr
    ASSERT_EQ(Waiting(), RequestKind::Getclr);
    auto* name = window_->Prompt()->findChild<QLabel*>(QStringLiteral("promptColourName"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(window_->Prompt()->Edit()->text(), "15");
    EXPECT_EQ(name->text(), "White");
    window_->Prompt()->Edit()->selectAll();
    QTest::keyClicks(window_->Prompt()->Edit(), "4");
    EXPECT_EQ(name->text(), "Red");
    QTest::keyClick(window_->Prompt()->Edit(), Qt::Key_Return);
    Settle();
    const QString hint = window_->Panel()->Button(13)->toolTip();
    EXPECT_TRUE(hint.endsWith("(Currently Red)")) << hint.toStdString();

    // The mouse over a key puts its hint on the status line, and takes it off again.
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(window_->Panel()->Button(13), &enter);
    EXPECT_EQ(window_->statusBar()->currentMessage(), hint);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(window_->Panel()->Button(13), &leave);
    EXPECT_TRUE(window_->statusBar()->currentMessage().isEmpty());
}

TEST_F(WindowRuns, TheHostsViewFunctionsAnswerFromTheViewOnScreen) {
    Open();
    auto* view = window_->View();
    qx::host::ViewRec rec;
    view_getcurr(&rec);
    EXPECT_EQ(rec.widthPx, view->width());
    EXPECT_EQ(rec.heightPx, view->height());
    const double before = pixsize();
    EXPECT_DOUBLE_EQ(before, view->PixelSize());

    // A wheel notch zooms in at the cursor: a pixel covers less of the drawing.
    const QPoint cursor(view->width() / 3, view->height() / 3);
    const auto under = view->ToDrawing(cursor);
    QWheelEvent wheel(cursor, view->mapToGlobal(cursor), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
    EXPECT_LT(pixsize(), before);
    EXPECT_NEAR(view->ToDrawing(cursor).x, under.x, 1e-9);

    // A middle-button drag pans; Home fits the drawing again.
    QTest::mousePress(view, Qt::MiddleButton, Qt::NoModifier, cursor);
    QTest::mouseMove(view, cursor + QPoint(40, 0));
    QTest::mouseRelease(view, Qt::MiddleButton, Qt::NoModifier, cursor + QPoint(40, 0));
    EXPECT_NEAR(view->ToPixels(under).x(), cursor.x() + 40, 1e-6);
    window_->View()->FitDrawing();
    EXPECT_DOUBLE_EQ(pixsize(), before);

    // A person's zooms are no moves of the macro's, and no change to save.
    EXPECT_TRUE(CurrentSession().drawing.View().Changes().empty());
    EXPECT_FALSE(window_->isWindowModified());

    window_->resize(window_->width() - 100, window_->height());
    Settle();
    view_getcurr(&rec);
    EXPECT_EQ(rec.widthPx, view->width());
}

TEST_F(WindowRuns, SavesOpensAndAsksBeforeClosingOnUnsavedChanges) {
    Open();
    const QString file = dir_.filePath(QStringLiteral("doors.json"));
    Key(Qt::Key_F1);
    Key(Qt::Key_F9);
    Type("door"); // kept in the drawing's attributes: a change to save
    EXPECT_TRUE(window_->isWindowModified());
    ASSERT_TRUE(window_->Actions().SaveTo(file));
    EXPECT_FALSE(window_->isWindowModified());
    EXPECT_TRUE(window_->windowTitle().startsWith("doors.json"));

    // An area run over the door tags takes "door" out of the lower-case one (matching is
    // case sensitive, the replacement empty); then closing: Cancel keeps the window open.
    PanelKey(2);
    DragView({0, 32.5}, {20, 22.5});
    ASSERT_EQ(TextOf("door2"), " 2");
    ASSERT_EQ(TextOf("door101"), "Door 101");
    EXPECT_TRUE(window_->isWindowModified());
    {
        ModalAnswer ask(QStringLiteral("saveChanges"),
                        [](QWidget& box) { static_cast<QDialog&>(box).reject(); });
        EXPECT_FALSE(window_->close());
        EXPECT_TRUE(ask.Answered());
    }
    EXPECT_TRUE(window_->isVisible());

    // The saved file has the drawing as it was at the save.
    Key(Qt::Key_Escape);
    ASSERT_FALSE(window_->Macro().Running());
    ASSERT_TRUE(window_->Actions().OpenFile(file));
    EXPECT_EQ(TextOf("door2"), "door 2");
    EXPECT_EQ(TextOf("door101"), "Door 101");
    EXPECT_FALSE(window_->isWindowModified());
    EXPECT_TRUE(window_->close());
}

// The keys of the File menu follow the menu's rules: saving waits for the macro's main menu,
// opening for the macro's end, and opening over unsaved changes asks about them first.
TEST_F(WindowRuns, CtrlSCtrlOAndCtrlShiftSSaveAndOpenAsTheMenuDoes) {
    Open();
    const QString file = dir_.filePath(QStringLiteral("keys.json"));
    const auto bytesOf = [&file] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const auto chooseFile = [&file](QWidget& w) {
        auto& dialog = static_cast<QFileDialog&>(w);
        // The name typed as a user would: a choice made through the dialog's file list waits
        // for the file information it gathers on a thread of its own.
        if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            name->setText(file);
        else
            dialog.selectFile(file);
        static_cast<QDialog&>(dialog).accept();
    };
    Key(Qt::Key_F1);
    Key(Qt::Key_F9);
    Type("door"); // kept in the drawing's attributes: a change to save
    ASSERT_EQ(Waiting(), RequestKind::MenuGetMode);
    {
        ModalAnswer ask(QStringLiteral("saveDrawingAs"), chooseFile);
        Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_TRUE(ask.Answered());
    }
    EXPECT_FALSE(window_->isWindowModified());
    EXPECT_TRUE(window_->windowTitle().startsWith("keys.json"));
    const QByteArray firstSave = bytesOf();
    EXPECT_TRUE(firstSave.contains("door"));

    // A new search text, then Ctrl+S at the next prompt: mid-run the drawing is not saved.
    Key(Qt::Key_F9);
    Type("gate");
    Key(Qt::Key_F9);
    ASSERT_EQ(Waiting(), RequestKind::DGetstr255);
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(bytesOf(), firstSave);
    QTest::keyClick(window_->Prompt()->Edit(), Qt::Key_Escape);
    Settle();
    ASSERT_EQ(Waiting(), RequestKind::MenuGetMode);
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(bytesOf().contains("gate"));
    EXPECT_FALSE(window_->isWindowModified());

    // While the macro runs, Ctrl+O opens nothing.
    Key(Qt::Key_F9);
    Type("window");
    {
        ModalAnswer ask(QStringLiteral("openDrawing"),
                        [](QWidget& w) { static_cast<QDialog&>(w).reject(); });
        Key(Qt::Key_O, Qt::ControlModifier);
        EXPECT_FALSE(ask.Answered());
    }
    Key(Qt::Key_Escape);
    ASSERT_FALSE(window_->Macro().Running());
    ASSERT_TRUE(window_->isWindowModified());

    // Between runs it asks about the unsaved search text, which is discarded, then opens.
    {
        ModalAnswer discard(QStringLiteral("saveChanges"), [](QWidget& box) {
            static_cast<QMessageBox&>(box).button(QMessageBox::Discard)->click();
        });
        ModalAnswer open(QStringLiteral("openDrawing"), chooseFile);
        Key(Qt::Key_O, Qt::ControlModifier);
        EXPECT_TRUE(discard.Answered());
        EXPECT_TRUE(open.Answered());
    }
    EXPECT_FALSE(window_->isWindowModified());
    EXPECT_EQ(window_->Actions().File(), std::filesystem::path(file.toStdString()));
    // The discarded text never reached the file.
    EXPECT_FALSE(bytesOf().contains("window"));
}

// A DXF drawing opened in the window is changed through the macro and saved back: the changed
// texts are new, a text the host's code page cannot hold and the multi-line text keep their
// bytes, and the saved file opens again.
TEST_F(WindowRuns, OpensADxfDrawingAndSavesOnlyTheChangedTextsBack) {
    Open();
    const QString file = dir_.filePath(QStringLiteral("doors.dxf"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QX_SAMPLE_DXF), file));
    QString error;
    ASSERT_TRUE(window_->Actions().OpenFile(file, &error)) << error.toStdString();
    Key(Qt::Key_F1);
    Key(Qt::Key_F9);
    Type("door");
    Shift(Qt::Key_F3);
    Type("Gate");
    Key(Qt::Key_F10); // not case sensitive
    EXPECT_EQ(Label(4), "All");
    // The run tells of the locked layer and offers the multi-line text to a selection set:
    // every box is answered OK and the chooser cancelled, however many come.
    QStringList boxes;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible())
            return;
        if (modal->objectName() == QStringLiteral("macroMessageBox")) {
            boxes << static_cast<QMessageBox*>(modal)->text();
            static_cast<QDialog*>(modal)->accept();
        } else if (modal->objectName() == QStringLiteral("fmSelSet")) {
            Click(*modal, "btnCancel");
        }
    });
    answerer.start(5);
    PanelKey(4);
    answerer.stop();
    EXPECT_TRUE(
        boxes.contains(QStringLiteral("Matching Entities on Locked Layers will NOT be modified")))
        << boxes.join(QStringLiteral(" | ")).toStdString();
    Key(Qt::Key_Escape);
    ASSERT_FALSE(window_->Macro().Running());
    ASSERT_TRUE(window_->Actions().SaveTo(file));

    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_TRUE(bytes.contains("\nGate 101\n") || bytes.contains("\r\nGate 101\r\n"));
    EXPECT_TRUE(bytes.contains("Gate 102"));
    EXPECT_TRUE(bytes.contains("Gate D-7")); // the block reference's attribute
    EXPECT_FALSE(bytes.contains("Door 101"));
    EXPECT_TRUE(bytes.contains("\xE9\x96\x80 door 4")); // never offered to the macro
    EXPECT_TRUE(bytes.contains("Back door\\Pnext to the"));
    ASSERT_TRUE(window_->Actions().OpenFile(file, &error)) << error.toStdString();
}

} // namespace
