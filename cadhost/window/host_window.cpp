#include "cadhost/window/host_window.h"

#include "cadhost/driver/session.h"
#include "cadhost/window/drawing_view.h"
#include "cadhost/window/host_actions.h"
#include "cadhost/window/key_panel.h"
#include "cadhost/window/layer_list_dialog.h"
#include "cadhost/window/look.h"
#include "cadhost/window/macro_session.h"
#include "cadhost/window/message_lines.h"
#include "cadhost/window/prompt_line.h"
#include "cadhost/window/window_responder.h"
#include "host/automation_contract.h"
#include "host/codepage.h"
#include "host/host_api.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWindow>

#include <array>

namespace cadhost::window {
namespace {

constexpr QSize kInitialSize{1280, 820};
// The macro's floating windows keep this far from the edges of the drawing view.
constexpr int kFloatingInset = 12;
constexpr int kStatusTimeoutMs = 6000;
// The message line while no macro runs; the error line keeps the last macro's result.
constexpr const char* kIdleMessage = "F1 runs Quillex: find and replace text in the drawing";

QString Q(const std::string& cp1252) {
    return QString::fromStdString(qx::host::Cp1252ToUtf8(cp1252));
}

// The panel position of a function key typed on the keyboard.
std::optional<int> TypedPosition(const QKeyEvent& event) {
    const int key = event.key();
    if (key < Qt::Key_F1 || key > Qt::Key_F10)
        return std::nullopt;
    const int n = key - Qt::Key_F1 + 1;
    return event.modifiers().testFlag(Qt::ShiftModifier) ? n + 10 : n;
}

// The host's file and edit commands on the keyboard. The standard keys of the platform come
// first; the keys named here work beside them on every platform, since some platforms bind
// no key at all to "save as".
struct CommandKeys {
    HostCommand command;
    QKeySequence::StandardKey standard;
    QKeyCombination keys;
};

constexpr std::array<CommandKeys, 4> kCommandKeys{{
    {HostCommand::Open, QKeySequence::Open, Qt::CTRL | Qt::Key_O},
    {HostCommand::Save, QKeySequence::Save, Qt::CTRL | Qt::Key_S},
    {HostCommand::SaveAs, QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S},
    {HostCommand::Undo, QKeySequence::Undo, Qt::CTRL | Qt::Key_Z},
}};

QList<QKeySequence> ShortcutsOf(HostCommand command) {
    for (const CommandKeys& entry : kCommandKeys) {
        if (entry.command != command)
            continue;
        QList<QKeySequence> keys = QKeySequence::keyBindings(entry.standard);
        if (!keys.contains(QKeySequence(entry.keys)))
            keys.append(QKeySequence(entry.keys));
        return keys;
    }
    return {};
}

// The command of a key typed with its modifiers, or None.
HostCommand TypedCommand(const QKeyEvent& event) {
    for (const CommandKeys& entry : kCommandKeys) {
        if (event.matches(entry.standard) || event.keyCombination() == entry.keys)
            return entry.command;
    }
    return HostCommand::None;
}

QFrame* Separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

HostWindow::HostWindow(qx::host::Main_fn macro, QWidget* parent)
    : QMainWindow(parent), macro_(new MacroSession(macro, this)), actions_(new HostActions(*this)),
      responder_(std::make_unique<WindowResponder>(*this, *macro_)),
      responderScope_(std::make_unique<ScopedUiResponder>(*responder_)) {
    setObjectName(QStringLiteral("cadhostWindow"));
    BuildLayout();
    BuildMenus();
    resize(kInitialSize);

    connect(macro_, &MacroSession::Changed, this, &HostWindow::Refresh);
    connect(macro_, &MacroSession::Refused, this, &HostWindow::Say);
    connect(macro_, &MacroSession::Stuck, this, [this](const QString& why) {
        QMessageBox::critical(this, QStringLiteral("cadhost"),
                              QStringLiteral("The macro was stopped: %1.").arg(why));
    });
    connect(actions_, &HostActions::DrawingReplaced, this, [this] {
        view_->DrawingReplaced();
        Refresh();
    });
    connect(actions_, &HostActions::DrawingChanged, this, &HostWindow::Refresh);
    Refresh();
}

HostWindow::~HostWindow() {
    // The macro's last call may still show or close its windows: it must run while the
    // responder is in place.
    macro_->Finish();
}

void HostWindow::BuildLayout() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    view_ = new DrawingView(central);
    lines_ = new MessageLines(central);
    prompt_ = new PromptLine(central);
    panel_ = new KeyPanel(central);
    column->addWidget(view_, 1);
    column->addWidget(lines_);
    column->addWidget(prompt_);
    column->addWidget(Separator(central));
    column->addWidget(panel_);
    setCentralWidget(central);

    coordinates_ = new QLabel(this);
    coordinates_->setObjectName(QStringLiteral("coordinates"));
    coordinates_->setMinimumWidth(200);
    statusBar()->addPermanentWidget(coordinates_);
    prompt_->SetColourNames([] {
        std::map<std::int32_t, std::string> names;
        for (const auto& [number, name] : CurrentSession().config.colourNames)
            names[number] = qx::host::Cp1252ToUtf8(name);
        return names;
    }());

    connect(panel_, &KeyPanel::Pressed, this, &HostWindow::OnPanelPressed);
    connect(panel_, &KeyPanel::HintShown, this, [this](const QString& hint) {
        if (hint.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(hint);
    });
    connect(view_, &DrawingView::Clicked, this, &HostWindow::ClickAt);
    connect(view_, &DrawingView::AreaDragged, this, &HostWindow::DragArea);
    connect(view_, &DrawingView::CursorMoved, this, [this](const point& at) {
        coordinates_->setText(
            QStringLiteral("X %1   Y %2").arg(at.x, 0, 'f', 3).arg(at.y, 0, 'f', 3));
    });
    connect(prompt_, &PromptLine::TextAccepted, this, &HostWindow::AcceptText);
    connect(prompt_, &PromptLine::NumberAccepted, this,
            [this](std::int32_t value) { macro_->Submit(NumberAnswer{value}); });
    connect(prompt_, &PromptLine::Escaped, this, &HostWindow::Escape);
    connect(prompt_, &PromptLine::Refused, this, [this](const QString& why) {
        QApplication::beep();
        Say(why);
    });
}

void HostWindow::BuildMenus() {
    const auto add = [this](QMenu* menu, const QString& text, const QList<QKeySequence>& keys,
                            auto handler) {
        QAction* action = menu->addAction(text);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    openAction_ = add(file, QStringLiteral("&Open..."), ShortcutsOf(HostCommand::Open),
                      [this] { RunCommand(HostCommand::Open); });
    saveAction_ = add(file, QStringLiteral("&Save"), ShortcutsOf(HostCommand::Save),
                      [this] { RunCommand(HostCommand::Save); });
    saveAsAction_ = add(file, QStringLiteral("Save &As..."), ShortcutsOf(HostCommand::SaveAs),
                        [this] { RunCommand(HostCommand::SaveAs); });
    file->addSeparator();
    add(file, QStringLiteral("&Quit"), QKeySequence::keyBindings(QKeySequence::Quit),
        [this] { close(); });

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    undoAction_ = add(edit, QStringLiteral("&Undo"), ShortcutsOf(HostCommand::Undo),
                      [this] { RunCommand(HostCommand::Undo); });
    layersAction_ =
        add(edit, QStringLiteral("&Layers..."), {}, [this] { RunCommand(HostCommand::Layers); });

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    add(view, QStringLiteral("&Fit Drawing"), {QKeySequence(Qt::Key_Home)},
        [this] { view_->FitDrawing(); });

    QMenu* macros = menuBar()->addMenu(QStringLiteral("&Macro"));
    startAction_ = add(macros, QStringLiteral("&Quillex"), {},
                       [this] { RunCommand(HostCommand::StartMacro); });
}

bool HostWindow::PressKey(std::int32_t code) {
    const auto position = KeyPosition(code);
    return position && panel_->Press(*position);
}

void HostWindow::OnPanelPressed(int position) {
    const PanelKey& key = panel_->Shown()[static_cast<std::size_t>(position - 1)];
    if (key.owner == KeyOwner::Macro) {
        macro_->Submit(KeyAnswer{PositionKey(position)});
        return;
    }
    if (key.owner == KeyOwner::Host)
        RunCommand(key.command);
}

void HostWindow::RunCommand(HostCommand command) {
    const bool idle = !macro_->Running() && !macro_->Busy();
    switch (command) {
    case HostCommand::None:
        return;
    case HostCommand::StartMacro:
        if (idle)
            macro_->Start();
        return;
    case HostCommand::Open:
        if (idle)
            actions_->Open();
        return;
    case HostCommand::Save:
        if (HostMayEdit())
            actions_->Save();
        return;
    case HostCommand::SaveAs:
        if (HostMayEdit())
            actions_->SaveAs();
        return;
    case HostCommand::Undo:
        if (!HostMayEdit() || !actions_->Undo()) {
            QApplication::beep();
            Say(QStringLiteral("Nothing to undo"));
        }
        return;
    case HostCommand::Layers:
        if (HostMayEdit())
            actions_->EditLayers();
        return;
    case HostCommand::Quit:
        close();
        return;
    case HostCommand::PickEntity:
        tools_.Use(SelectionTool::Entity);
        break;
    case HostCommand::PickArea:
        tools_.Use(SelectionTool::Area);
        break;
    case HostCommand::PickLayer: {
        tools_.Use(SelectionTool::Layer);
        Refresh();
        const lgl_addr layer = ChooseLayer(CurrentSession().drawing, this);
        if (!IsNil(layer))
            SelectLayer(layer);
        return;
    }
    case HostCommand::PickAll:
        SelectAll();
        return;
    case HostCommand::Mask:
        if (const auto mask = EditMask(tools_.Mask(), this))
            SetMask(*mask);
        return;
    case HostCommand::ExitMacro:
        macro_->Submit(KeyAnswer{qx::host::KeyS(0)});
        return;
    }
    Refresh();
}

void HostWindow::StartMacro() {
    RunCommand(HostCommand::StartMacro);
}

void HostWindow::SelectAll() {
    if (macro_->Waiting() == RequestKind::MenuGetMode)
        Select(tools_.PickAll(CurrentSession().drawing));
}

void HostWindow::SelectLayer(lgl_addr layer) {
    if (macro_->Waiting() == RequestKind::MenuGetMode)
        Select(tools_.PickLayer(CurrentSession().drawing, layer));
}

void HostWindow::SetMask(const SelectionMask& mask) {
    tools_.SetMask(mask);
    Refresh();
}

void HostWindow::ClickAt(const point& at) {
    const RequestKind waiting = macro_->Waiting();
    if (waiting == RequestKind::Getpointp) {
        macro_->Submit(PointAnswer{at.x, at.y});
        return;
    }
    if (waiting != RequestKind::MenuGetMode)
        return;
    if (tools_.Tool() == SelectionTool::Area) {
        Say(QStringLiteral("Drag a rectangle around the entities to pick"));
        return;
    }
    const auto picked =
        tools_.PickAt(CurrentSession().drawing, at, kPickTolerancePx * view_->PixelSize());
    if (!picked) {
        Say(QStringLiteral("Nothing there to pick"));
        return;
    }
    Select(*picked);
}

void HostWindow::DragArea(const Extent& area) {
    if (macro_->Waiting() != RequestKind::MenuGetMode || tools_.Tool() != SelectionTool::Area)
        return;
    const auto picked = tools_.PickArea(CurrentSession().drawing, area);
    if (!picked) {
        Say(QStringLiteral("Nothing lies wholly inside the rectangle"));
        return;
    }
    Select(*picked);
}

void HostWindow::Select(const SelectionAnswer& selection) {
    if (selection.entities.empty()) {
        Say(QStringLiteral("Nothing to pick"));
        return;
    }
    Say(QStringLiteral("%1 picked").arg(selection.entities.size()));
    macro_->Submit(selection);
}

// Esc does what the macro's way out asks (its S0 label, or the selection menu's Exit); a
// prompt without one is left with the Escape key, and the macro decides.
void HostWindow::Escape() {
    if (panel_->Press(kPanelKeys))
        return;
    if (prompt_->Active())
        macro_->Submit(KeyAnswer{qx::host::kKeyEscape});
}

void HostWindow::AcceptText(const QString& text) {
    const auto cp1252 = qx::host::Utf8ToCp1252(text.toStdString());
    if (!cp1252) {
        QApplication::beep();
        Say(QStringLiteral("The text holds characters a drawing cannot hold"));
        return;
    }
    macro_->Submit(TextAnswer{*cp1252});
}

void HostWindow::Refresh() {
    const UiState& ui = CurrentSession().ui;
    const bool running = macro_->Running();
    if (running)
        lines_->Show(ui.level, ui.message, ui.error);
    else
        lines_->Show("cadhost", kIdleMessage, ui.error);
    PanelContext context;
    context.macroRunning = running;
    context.ui = &ui;
    context.tool = tools_.Tool();
    context.maskActive = tools_.Mask().has_value();
    panel_->Show(BuildPanel(context));
    view_->SetAreaDragging(macro_->Waiting() == RequestKind::MenuGetMode &&
                           tools_.Tool() == SelectionTool::Area);
    view_->FollowDrawing();
    FollowPrompt();
    AdoptFloatingWindows();
    UpdateActions();
    // Comparing with the saved drawing costs time in proportion to its size, so it is done only
    // where a run's changes settle: between runs and back at the macro's main menu, not at
    // every key of a prompt or a review.
    if (!running || macro_->Waiting() == RequestKind::MenuGetMode)
        setWindowModified(actions_->Modified());
    setWindowTitle(QStringLiteral("%1[*] - cadhost").arg(actions_->DocumentName()));
}

void HostWindow::FollowPrompt() {
    if (promptSerial_ == macro_->RequestSerial())
        return;
    promptSerial_ = macro_->RequestSerial();
    const Request& r = CurrentSession().ui.request;
    switch (macro_->Waiting()) {
    case RequestKind::DGetstr255:
        prompt_->Begin(PromptKind::Text, QStringLiteral("Text"), Q(r.initialText), r.maxLen);
        return;
    case RequestKind::Getint:
        prompt_->Begin(PromptKind::Number, QStringLiteral("Number"), QString::number(r.initialInt),
                       0);
        return;
    case RequestKind::Getclr:
        prompt_->Begin(PromptKind::Colour, QStringLiteral("Colour"), QString::number(r.initialInt),
                       0);
        return;
    default:
        if (prompt_->Active()) {
            prompt_->End();
            view_->setFocus();
        }
    }
}

std::vector<QWidget*> HostWindow::FloatingWindows() const {
    std::vector<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible() && qobject_cast<QDialog*>(w) == nullptr &&
            qx::automation::IsMacroWindowName(w->objectName().toStdString()))
            shown.push_back(w);
    }
    return shown;
}

// The macro's floating windows open beside this one: over the lower right corner of the
// drawing, unless the macro put them back where the user left them. They stay above this
// window, and the function keys typed in them reach the host.
void HostWindow::AdoptFloatingWindows() {
    std::erase_if(adopted_, [](const QPointer<QWidget>& w) { return w.isNull(); });
    for (QWidget* w : FloatingWindows()) {
        if (std::any_of(adopted_.begin(), adopted_.end(),
                        [w](const QPointer<QWidget>& a) { return a == w; }))
            continue;
        adopted_.emplace_back(w);
        // A window still at the screen's origin has no place of its own yet.
        if (!w->testAttribute(Qt::WA_Moved) || w->pos() == QPoint(0, 0)) {
            const QPoint corner = view_->mapToGlobal(view_->rect().bottomRight());
            const QSize frame = w->frameGeometry().size();
            w->move(corner -
                    QPoint(frame.width() + kFloatingInset, frame.height() + kFloatingInset));
        }
        if (w->windowHandle() != nullptr && windowHandle() != nullptr)
            w->windowHandle()->setTransientParent(windowHandle());
        w->installEventFilter(this);
        activateWindow();
    }
}

void HostWindow::UpdateActions() {
    const bool idle = !macro_->Running() && !macro_->Busy();
    startAction_->setEnabled(idle);
    openAction_->setEnabled(idle);
    const bool mayEdit = HostMayEdit();
    saveAction_->setEnabled(mayEdit);
    saveAsAction_->setEnabled(mayEdit);
    undoAction_->setEnabled(mayEdit);
    layersAction_->setEnabled(mayEdit);
}

bool HostWindow::HostMayEdit() const {
    if (macro_->Busy())
        return false;
    return !macro_->Running() || macro_->Waiting() == RequestKind::MenuGetMode;
}

void HostWindow::Say(const QString& text) {
    statusBar()->showMessage(text, kStatusTimeoutMs);
}

void HostWindow::keyPressEvent(QKeyEvent* event) {
    if (const auto position = TypedPosition(*event)) {
        panel_->Press(*position);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        Escape();
        return;
    }
    // The shortcuts of the actions need an active window and an enabled action; a key that
    // reaches the window without them still asks for its command, which keeps the menu's rules.
    if (const HostCommand command = TypedCommand(*event); command != HostCommand::None) {
        RunCommand(command);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool HostWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (const auto position = TypedPosition(*key)) {
            // The window may go while the macro handles the key.
            QMetaObject::invokeMethod(
                this, [this, p = *position] { panel_->Press(p); }, Qt::QueuedConnection);
            return true;
        }
        if (const HostCommand command = TypedCommand(*key); command != HostCommand::None) {
            QMetaObject::invokeMethod(
                this, [this, command] { RunCommand(command); }, Qt::QueuedConnection);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void HostWindow::closeEvent(QCloseEvent* event) {
    if (macro_->Busy() || !actions_->ConfirmDiscard()) {
        event->ignore();
        return;
    }
    macro_->Finish();
    event->accept();
}

} // namespace cadhost::window
