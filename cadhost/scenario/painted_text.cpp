#include "cadhost/scenario/painted_text.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QTextItem>

namespace cadhost::scenario {
namespace {

// A paint engine that draws nothing and notes every text with the pen and font of the moment.
class TextRecordingEngine final : public QPaintEngine {
public:
    TextRecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override {
        if (state.state() & QPaintEngine::DirtyPen)
            pen_ = state.pen();
    }
    void drawTextItem(const QPointF&, const QTextItem& item) override {
        texts.push_back({item.text(), pen_.color(), item.font()});
    }

    // Shapes and pictures are not wanted.
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
    }
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawRects(const QRectF*, int) override {}
    void drawRects(const QRect*, int) override {}
    void drawLines(const QLineF*, int) override {}
    void drawLines(const QLine*, int) override {}
    void drawEllipse(const QRectF&) override {}
    void drawPoints(const QPointF*, int) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}

    std::vector<PaintedText> texts;

private:
    QPen pen_;
};

class TextRecordingDevice final : public QPaintDevice {
public:
    explicit TextRecordingDevice(QSize size) : size_(size) {}
    ~TextRecordingDevice() override = default;

    QPaintEngine* paintEngine() const override { return &engine_; }
    std::vector<PaintedText> Texts() const { return engine_.texts; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        // The screen's resolution, so that fonts are laid out as on screen.
        constexpr int kDpi = 96;
        switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmWidthMM:
            return size_.width() * 254 / (10 * kDpi);
        case PdmHeightMM:
            return size_.height() * 254 / (10 * kDpi);
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return kDpi;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    QSize size_;
    mutable TextRecordingEngine engine_;
};

} // namespace

std::vector<PaintedText> PaintRow(const QAbstractItemView& view, int row) {
    const QModelIndex index = view.model()->index(row, 0, view.rootIndex());
    if (!index.isValid())
        return {};
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.widget = &view;
    option.state &= ~QStyle::State_HasFocus;
    if (view.hasFocus() && view.currentIndex() == index)
        option.state |= QStyle::State_HasFocus;
    if (view.selectionModel() != nullptr && view.selectionModel()->isSelected(index))
        option.state |= QStyle::State_Selected;
    // The row's own height; the view gives it also for rows out of sight.
    option.rect = QRect(QPoint(0, 0), view.visualRect(index).size());
    if (option.rect.isEmpty())
        return {};
    TextRecordingDevice device(option.rect.size());
    {
        QPainter painter(&device);
        view.itemDelegateForIndex(index)->paint(&painter, option, index);
    }
    return device.Texts();
}

} // namespace cadhost::scenario
