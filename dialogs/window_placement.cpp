#include "dialogs/window_placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace qx {
namespace {

form::Rect ToRect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

class QtPlacedWindow final : public settings::PlacedWindow {
public:
    // Remembers the designed place, to go back to when the stored one cannot be seen. A window
    // never placed by hand stays unplaced then, so that Qt still centres it when it is shown.
    explicit QtPlacedWindow(QWidget& window)
        : window_(window), pos_(window.pos()), size_(window.size()),
          moved_(window.testAttribute(Qt::WA_Moved)),
          resized_(window.testAttribute(Qt::WA_Resized)) {}

    std::string Name() const override { return window_.objectName().toStdString(); }
    form::Rect Place() const override {
        return {window_.x(), window_.y(), window_.width(), window_.height()};
    }
    void MoveTo(int left, int top) override { window_.move(left, top); }
    void ResizeTo(int width, int height) override { window_.resize(width, height); }
    form::Rect Frame() const override { return ToRect(window_.frameGeometry()); }
    bool IsTopLevel() const override { return window_.isWindow(); }
    std::vector<form::Rect> Screens() const override {
        std::vector<form::Rect> areas;
        for (const QScreen* screen : QGuiApplication::screens())
            areas.push_back(ToRect(screen->availableGeometry()));
        return areas;
    }
    void ReturnToDesignedPlace() override {
        window_.move(pos_);
        window_.resize(size_);
        window_.setAttribute(Qt::WA_Moved, moved_);
        window_.setAttribute(Qt::WA_Resized, resized_);
    }

private:
    QWidget& window_;
    QPoint pos_;
    QSize size_;
    bool moved_;
    bool resized_;
};

} // namespace

void RestoreWindowPlace(QWidget& window, settings::PlacementFile file) {
    QtPlacedWindow placed(window);
    settings::RestoreFormPos(placed, file);
}

void SaveWindowPlace(QWidget& window, settings::PlacementFile file) {
    const QtPlacedWindow placed(window);
    settings::SaveFormPos(placed, file);
}

} // namespace qx
