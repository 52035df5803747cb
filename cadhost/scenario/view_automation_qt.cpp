// The Qt view: windows are the application's top-level widgets, dialogs are QDialogs, and the
// looks that only Qt can tell (colours, fonts, hints, rows as painted) are read from the widgets
// themselves.
#include "cadhost/scenario/view_automation.h"

#include "cadhost/scenario/widget_checks.h"
#include "dialogs/control_access_qt.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

namespace cadhost::scenario {
namespace {

QWidget* WindowOnShow(const std::string& name) {
    const QString wanted = QString::fromStdString(name);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->objectName() == wanted)
            return w;
    }
    return nullptr;
}

class QtViewAutomation final : public ViewAutomation {
public:
    const qx::form::ControlAccess& Controls() const override { return access_; }

    std::vector<std::string> WindowsOnShow() const override {
        std::vector<std::string> names;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible())
                names.push_back(w->objectName().toStdString());
        }
        return names;
    }

    void ProcessEvents() override { QCoreApplication::processEvents(); }

    std::string NameOf(QDialog& dialog) const override { return dialog.objectName().toStdString(); }
    std::string TitleOf(QDialog& dialog) const override {
        return dialog.windowTitle().toStdString();
    }
    void Show(QDialog& dialog) override {
        dialog.setResult(QDialog::Rejected);
        dialog.show();
    }
    bool IsOpen(QDialog& dialog) const override { return dialog.isVisible(); }
    void Close(QDialog& dialog) override { dialog.reject(); }
    int ResultOf(QDialog& dialog) const override { return dialog.result(); }

    std::optional<std::string> CheckLook(const std::string& window,
                                         const Step& action) const override {
        // Rows of a grid are painted by the window's own code, and colours, fonts and hints
        // are the widget's: the widget checks read them as painted.
        if (action.words.size() < 3)
            return std::nullopt;
        const std::string& what = action.words[2];
        if (what != "items" && what != "row" && what != "colour" && what != "font" &&
            what != "hint")
            return std::nullopt;
        QWidget* top = WindowOnShow(window);
        if (top == nullptr)
            return std::nullopt;
        const QString name = QString::fromStdString(action.words[1]);
        QWidget* widget = top->objectName() == name ? top : top->findChild<QWidget*>(name);
        if (widget == nullptr)
            return std::nullopt;
        return CheckWidget(*widget, action);
    }

private:
    qx::QtControlAccess access_;
};

} // namespace

ViewAutomation& TheViewAutomation() {
    static QtViewAutomation view;
    return view;
}

} // namespace cadhost::scenario
