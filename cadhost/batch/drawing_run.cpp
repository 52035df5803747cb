#include "cadhost/batch/drawing_run.h"

#include "cadhost/batch/drawing_snapshot.h"
#include "cadhost/batch/highlight_finder.h"
#include "cadhost/driver/keys.h"
#include "cadhost/driver/macro_driver.h"
#include "cadhost/driver/request_name.h"
#include "cadhost/driver/session.h"
#include "host/automation_contract.h"
#include "host/codepage.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <algorithm>
#include <unordered_map>

namespace cadhost::batch {
namespace {

namespace automation = qx::automation;
using qx::host::KeyF;
using qx::host::KeyS;

// Label positions of the macro's menus: F1 to F10 are 1 to 10, S1 to S0 are 11 to 20.
namespace pos {
constexpr int kFindSelSetAdd = 6;
constexpr int kCaseSensitive = 10;
constexpr int kWholeWord = 11;
constexpr int kWholeEntity = 12;
constexpr int kReplaceWith = 13;
constexpr int kUseForm = 3;
constexpr int kShowReport = 10;
constexpr int kConfirmEach = 18;
} // namespace pos

// A menu label with a value shows it with this state.
constexpr std::int32_t kLabelHasValue = 3;

// Every match the macro shows takes at most a few answers.
constexpr std::size_t kAnswersPerEntity = 3;
constexpr std::size_t kSpareAnswers = 100;

QWidget* VisibleWindow(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->objectName() == QLatin1String(name))
            return w;
    }
    return nullptr;
}

// A label's text as the drawing holds texts.
std::string LabelText(QWidget& window, const char* name) {
    const auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
    if (label == nullptr)
        return {};
    return qx::host::Utf8ToCp1252Lossy(label->text().toStdString());
}

class MacroScript {
public:
    MacroScript(const BatchOptions& options, qx::host::Main_fn main, BatchResponder& responder)
        : o_(options), driver_(main), responder_(responder), before_(D()),
          set_(options.selectionSet.value_or(kScratchSelectionSet)) {}

    DrawingRun Run() {
        responder_.Reset();
        responder_.PlanSelectionSet(set_);
        Begin();
        ChooseSettings();
        EnterSearch();
        ChooseMatchOptions();
        ChooseOperation();
        StartRun();
        FollowRun();
        const std::string resultMessage = CurrentSession().ui.error;
        End();
        if (driver_.Running())
            driver_.Finish();
        return Collect(resultMessage);
    }

private:
    static Drawing& D() { return CurrentSession().drawing; }
    bool Ok() const { return failure_.empty(); }
    void Fail(const std::string& message) {
        if (failure_.empty())
            failure_ = message;
    }
    const Label& LabelAt(int position) const {
        return CurrentSession().ui.labels[static_cast<std::size_t>(position - 1)];
    }
    RequestKind Waiting() const { return driver_.Waiting().kind; }

    // Hands the macro an answer and checks that it then waits for `next` (any request when
    // `next` is None).
    void Give(const Answer& answer, RequestKind next, const std::string& what) {
        if (!Ok())
            return;
        if (const std::string refused = driver_.Answer(answer); !refused.empty())
            return Fail("the macro refused " + what + ": " + refused);
        if (!responder_.Problem().empty())
            return Fail(responder_.Problem());
        if (driver_.State() == DriverState::Failed)
            return Fail(driver_.FailureMessage());
        if (driver_.State() != DriverState::Waiting)
            return Fail("the macro ended after " + what);
        if (next != RequestKind::None && Waiting() != next)
            Fail("after " + what + " the macro waits for " + RequestName(Waiting()) +
                 " instead of " + RequestName(next));
    }
    void Press(std::int32_t key, RequestKind next) {
        Give(KeyAnswer{key}, next, "the key " + KeyName(key));
    }

    // Sets an on/off item of the menu on show to `wanted`, checking that it is the item meant.
    void Toggle(int position, std::string_view name, bool wanted) {
        if (!Ok())
            return;
        const Label& label = LabelAt(position);
        if (!label.set || label.text != name)
            return Fail("the menu has no \"" + std::string(name) + "\" at " +
                        std::string(PositionName(position)));
        if (label.on == wanted)
            return;
        Press(PositionKey(position), Waiting());
        if (Ok() && LabelAt(position).on != wanted)
            Fail("\"" + std::string(name) + "\" did not change at " +
                 std::string(PositionName(position)));
    }

    void Begin() {
        const DriverState state = driver_.Start();
        if (!responder_.Problem().empty())
            return Fail(responder_.Problem());
        if (state != DriverState::Waiting)
            return Fail(state == DriverState::Failed ? driver_.FailureMessage()
                                                     : "the macro ended at its start");
        if (Waiting() != RequestKind::MenuGetMode)
            Fail("the macro starts with " + RequestName(Waiting()) + " instead of its menu");
    }

    // Prompts instead of the dialog, no question per change and no report dialog: the batch
    // answers the macro's prompts and reads the changes from the drawing.
    void ChooseSettings() {
        Press(KeyS(8), RequestKind::Getesc);
        Toggle(pos::kUseForm, "Use Form", false);
        Toggle(pos::kConfirmEach, "Confirm Each", false);
        Toggle(pos::kShowReport, "Show Chng Rpt", false);
        Press(KeyS(0), RequestKind::MenuGetMode);
    }

    void EnterSearch() {
        Press(KeyF(9), RequestKind::DGetstr255);
        Give(TextAnswer{o_.search}, RequestKind::MenuGetMode, "the search text");
    }

    void ChooseMatchOptions() {
        Toggle(pos::kCaseSensitive, "Case Sensitive", o_.caseSensitive);
        Toggle(pos::kWholeWord, "Whole Word", o_.wholeWord);
        Toggle(pos::kWholeEntity, "Whole Entity", o_.wholeEntity);
    }

    void ChooseOperation() {
        switch (o_.operation) {
        case Operation::Replace:
            return EnterReplacement(o_.replacement);
        case Operation::Find:
            // A find lists every match only under the replace operation; the others list just
            // the texts they would change.
            if (Ok() && LabelAt(pos::kReplaceWith).state != kLabelHasValue)
                EnterReplacement(o_.replacement);
            return;
        case Operation::Upper:
            return ChooseCase(1);
        case Operation::Lower:
            return ChooseCase(2);
        case Operation::Sentence:
            return ChooseCase(3);
        case Operation::Increment:
            return ChooseIncrement();
        }
    }

    void EnterReplacement(const std::string& text) {
        Press(KeyS(3), RequestKind::DGetstr255);
        Give(TextAnswer{text}, RequestKind::MenuGetMode, "the replacement text");
    }

    void ChooseCase(int key) {
        Press(KeyS(5), RequestKind::Getesc);
        Press(KeyF(key), RequestKind::Getesc);
        Press(KeyS(0), RequestKind::MenuGetMode);
    }

    void ChooseIncrement() {
        Press(KeyS(6), RequestKind::Getesc);
        Press(KeyF(static_cast<int>(o_.position) + 1), RequestKind::Getesc);
        Press(KeyF(10), RequestKind::Getint);
        Give(NumberAnswer{o_.step}, RequestKind::Getesc, "the increment");
        Press(KeyS(0), RequestKind::MenuGetMode);
    }

    void StartRun() {
        if (!Ok())
            return;
        if (o_.layers.empty() && o_.operation != Operation::Find) {
            Give(SelectionAnswer{{}, std::nullopt, true}, RequestKind::None,
                 "the selection of the whole drawing");
            return;
        }
        LayerChoice choice;
        choice.button = o_.operation == Operation::Find ? LayerChoice::Button::FindOnly
                                                        : LayerChoice::Button::Process;
        const auto& layers = D().Layers();
        for (std::size_t row = 0; row < layers.size(); ++row) {
            const bool named =
                std::find(o_.layers.begin(), o_.layers.end(), layers[row].name) != o_.layers.end();
            if (o_.layers.empty() || named)
                choice.rows.push_back(static_cast<int>(row));
        }
        for (const std::string& name : o_.layers) {
            if (D().FindLayerByName(name) == nullptr)
                notes_.push_back("the drawing has no layer " + qx::host::Cp1252ToUtf8(name));
        }
        responder_.PlanLayerDialog(std::move(choice));
        Press(KeyF(7), RequestKind::None);
    }

    // Answers what the macro shows until it is back at its menu: length errors to leave
    // unchanged after a change run, matches to step through after a find.
    void FollowRun() {
        const std::size_t limit = kSpareAnswers + kAnswersPerEntity * D().LiveEntityCount();
        bool smartTextAdded = false;
        for (std::size_t answers = 0; Ok() && Waiting() != RequestKind::MenuGetMode; ++answers) {
            if (answers > limit)
                return Fail("the run does not come to an end");
            if (Waiting() != RequestKind::Getpointp)
                return Fail("the macro waits for " + RequestName(Waiting()) + " during the run");
            if (QWidget* confirm = VisibleWindow(automation::kConfirmWindow)) {
                RecordLengthError(*confirm);
                Press(KeyF(2), RequestKind::None); // No: the text stays as it is
                continue;
            }
            QWidget* found = VisibleWindow(automation::kFoundTextWindow);
            if (found == nullptr)
                return Fail("the macro waits for a point but shows no match");
            const Label& selSetAdd = LabelAt(pos::kFindSelSetAdd);
            if (selSetAdd.set && selSetAdd.text == "SelSet Add" && !smartTextAdded) {
                AddFoundSmartText(*found);
                smartTextAdded = true;
                continue;
            }
            if (!smartTextAdded)
                RecordFound(*found);
            smartTextAdded = false;
            Press(KeyF(1), RequestKind::None); // Next
        }
    }

    // The entity under the highlight box that shows `text`.
    std::optional<lgl_addr> Shown(const std::string& text, const char* what) {
        const auto box = CurrentHighlightBox(D());
        std::optional<lgl_addr> entity;
        if (box)
            entity = finder_.Find(D(), *box, text);
        if (!entity)
            Fail("cannot tell which entity the macro shows as " + std::string(what) + ": \"" +
                 qx::host::Cp1252ToUtf8(text) + "\"");
        return entity;
    }

    void RecordLengthError(QWidget& confirm) {
        const std::string oldText = LabelText(confirm, automation::kOldTextLabel);
        if (const auto entity = Shown(oldText, "a length error"))
            rows_.push_back({*entity, MakeRow(D(), *entity, oldText,
                                              LabelText(confirm, automation::kNewTextLabel),
                                              RowKind::LengthError)});
    }

    void RecordFound(QWidget& window) {
        const std::string text = LabelText(window, automation::kFoundTextLabel);
        if (const auto entity = Shown(text, "found"))
            rows_.push_back({*entity, MakeRow(D(), *entity, text, {}, RowKind::Found)});
    }

    // A found smart text goes to the selection set (F6), where the batch sees which it was.
    void AddFoundSmartText(QWidget& window) {
        const std::string text = LabelText(window, automation::kFoundTextLabel);
        const std::vector<lgl_addr> before = D().SelectionSets().Members(set_);
        Press(KeyF(6), RequestKind::Getpointp);
        if (!Ok())
            return;
        for (const lgl_addr a : D().SelectionSets().Members(set_)) {
            if (std::find(before.begin(), before.end(), a) == before.end())
                rows_.push_back({a, MakeRow(D(), a, text, {}, RowKind::SmartText)});
        }
    }

    // After a change run, the smart texts are the members of the set the macro offered them to.
    void RecordChangeRunSmartTexts() {
        if (o_.operation == Operation::Find || !responder_.SelectionSetChosen())
            return;
        for (const lgl_addr a : D().SelectionSets().Members(set_)) {
            if (const Entity* e = D().FindEntity(a))
                rows_.push_back({a, MakeRow(D(), a, SmartTextOf(*e), {}, RowKind::SmartText)});
        }
    }

    void End() {
        if (!Ok())
            return;
        if (const std::string refused = driver_.Answer(KeyAnswer{KeyS(0)}); !refused.empty())
            return Fail("the macro refused the key S0 at its menu: " + refused);
        if (driver_.State() != DriverState::Idle)
            Fail("the macro did not end at S0 in its menu");
    }

    DrawingRun Collect(const std::string& resultMessage) {
        DrawingRun run;
        run.error = failure_;
        run.notes = notes_;
        for (const std::string& note : responder_.Notes())
            run.notes.push_back(note);
        if (!Ok())
            return run;
        RecordChangeRunSmartTexts();
        std::vector<EntityRow> changed = before_.ChangedTexts(D());
        run.changed = static_cast<int>(changed.size());
        rows_.insert(rows_.end(), changed.begin(), changed.end());
        for (const EntityRow& r : rows_) {
            run.lengthErrors += r.row.kind == RowKind::LengthError;
            run.smartTexts += r.row.kind == RowKind::SmartText;
            run.found += r.row.kind == RowKind::Found;
        }
        run.replacements = o_.operation == Operation::Find
                               ? 0
                               : automation::CountInResultMessage(resultMessage).value_or(0);
        const bool keepSet = o_.selectionSet.has_value();
        run.drawingChanged = run.changed > 0 || (keepSet && before_.SelectionSetChanged(D(), set_));
        before_.PutBack(D(), keepSet ? DrawingSnapshot::SelectionSets::Keep
                                     : DrawingSnapshot::SelectionSets::PutBack);
        run.rows = InEntityOrder(std::move(rows_));
        return run;
    }

    // Rows follow the drawing's order of entities, whatever order the macro showed them in.
    static std::vector<ChangeRow> InEntityOrder(std::vector<EntityRow> rows) {
        const auto key = [](lgl_addr a) {
            return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(a.page)) << 32) |
                   static_cast<std::uint32_t>(a.ofs);
        };
        std::unordered_map<std::uint64_t, std::size_t> order;
        const auto entities = D().Entities();
        for (std::size_t i = 0; i < entities.size(); ++i)
            order.emplace(key(entities[i]), i);
        const auto place = [&](const EntityRow& r) {
            const auto it = order.find(key(r.entity));
            return it == order.end() ? entities.size() : it->second;
        };
        std::stable_sort(rows.begin(), rows.end(), [&](const EntityRow& a, const EntityRow& b) {
            return place(a) < place(b);
        });
        std::vector<ChangeRow> out;
        out.reserve(rows.size());
        for (EntityRow& r : rows)
            out.push_back(std::move(r.row));
        return out;
    }

    const BatchOptions& o_;
    MacroDriver driver_;
    BatchResponder& responder_;
    DrawingSnapshot before_;
    const int set_;
    HighlightFinder finder_;
    std::vector<EntityRow> rows_;
    std::vector<std::string> notes_;
    std::string failure_;
};

} // namespace

DrawingRun RunMacroOnDrawing(const BatchOptions& options, qx::host::Main_fn main,
                             BatchResponder& responder) {
    return MacroScript(options, main, responder).Run();
}

} // namespace cadhost::batch
