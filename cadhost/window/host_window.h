// The desktop program: the drawing view, the three message lines, the prompt line and the
// function-key panel, over one session of the macro. Every request of the macro is answered
// here by a person, through the same driver the scenario runner uses.
#pragma once

#include "cadhost/driver/answer.h"
#include "cadhost/driver/ui_responder.h"
#include "cadhost/model/extent.h"
#include "cadhost/window/panel_model.h"
#include "cadhost/window/selection_tools.h"
#include "host/host_api.h"

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <memory>
#include <vector>

class QAction;
class QLabel;

namespace cadhost::window {

class DrawingView;
class HostActions;
class KeyPanel;
class MacroSession;
class MessageLines;
class PromptLine;
class WindowResponder;

class HostWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HostWindow(qx::host::Main_fn macro, QWidget* parent = nullptr);
    ~HostWindow() override;

    DrawingView* View() const { return view_; }
    KeyPanel* Panel() const { return panel_; }
    PromptLine* Prompt() const { return prompt_; }
    MessageLines* Lines() const { return lines_; }
    MacroSession& Macro() const { return *macro_; }
    HostActions& Actions() const { return *actions_; }

    // What a person does, whichever way they do it: the keyboard, the panel, the mouse.
    // A function key by its host code; false when the panel has nothing at that key.
    bool PressKey(std::int32_t code);
    void ClickAt(const point& at);
    void DragArea(const Extent& area);
    void Escape();
    void StartMacro();
    void SelectAll();
    void SelectLayer(lgl_addr layer);
    void SetMask(const SelectionMask& mask);
    // The macro's windows that float beside this one while it runs.
    std::vector<QWidget*> FloatingWindows() const;

public slots:
    // Brings everything shown up to date with the session.
    void Refresh();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Function keys typed while one of the macro's floating windows has the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void BuildMenus();
    void OnPanelPressed(int position);
    void RunCommand(HostCommand command);
    void AcceptText(const QString& text);
    void Select(const SelectionAnswer& selection);
    void FollowPrompt();
    void AdoptFloatingWindows();
    void UpdateActions();
    // The host may change the drawing only when no macro is in the middle of a run: when none
    // runs, or when it waits at its main menu.
    bool HostMayEdit() const;
    void Say(const QString& text);

    MacroSession* macro_;
    HostActions* actions_;
    std::unique_ptr<WindowResponder> responder_;
    std::unique_ptr<ScopedUiResponder> responderScope_;
    SelectionTools tools_;

    DrawingView* view_ = nullptr;
    MessageLines* lines_ = nullptr;
    PromptLine* prompt_ = nullptr;
    KeyPanel* panel_ = nullptr;
    QLabel* coordinates_ = nullptr;

    QAction* startAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* layersAction_ = nullptr;

    std::uint64_t promptSerial_ = 0;
    std::vector<QPointer<QWidget>> adopted_;
};

} // namespace cadhost::window
