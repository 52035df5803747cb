#include "dialogs/report_dialog.h"

#include "dialogs/dialog_font.h"
#include "dialogs/dialog_result.h"
#include "dialogs/form/report_form.h"
#include "dialogs/label_auto_height.h"
#include "dialogs/table_builder.h"
#include "host/automation_contract.h"
#include "host/codepage.h"
#include "state/state_access.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

#include <cmath>

namespace qx {
namespace {

const QColor kOldColour(255, 0, 0);
const QColor kNewColour(0, 128, 0);
const QColor kPartialColour(0, 0, 255);
// The distance of one pair to the next before the layout stacks them, in heights of a label.
constexpr double kPairPitch = 2.3;

void SetTextColour(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

void StyleTextLabel(QLabel& label, const QColor& colour) {
    // Entity texts are shown as they are, never read as markup.
    label.setTextFormat(Qt::PlainText);
    SetTextColour(label, colour);
}

// A line without its leading letter, as the label shows it. Lines hold the drawing's 8-bit text.
QString LineText(const std::string& line) {
    if (line.empty())
        return {};
    return QString::fromStdString(host::Cp1252ToUtf8(std::string_view(line).substr(1)));
}

TLabelAutoHeight* MakeTextLabel(QWidget* parent, const QColor& colour) {
    auto* label = new TLabelAutoHeight(parent);
    StyleTextLabel(*label, colour);
    return label;
}

} // namespace

TfmReport::TfmReport(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QLatin1String(qx::automation::kReportForm));
    setWindowTitle(QStringLiteral("Text Change Report "));
    setFont(DialogFont());
    const form::Rect& client = form::TfmReport::Table().front().rect;
    resize(client.width, client.height);
    createControls();
    layout_.takeDesign(*this);
    layoutList();
}

void TfmReport::createControls() {
    BuildControls(*this, form::TfmReport::Table(), form::TfmReport::Tabs());
    ScrollBox1 = findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
    content_ = ScrollBox1->widget();
    ScrollBox1->installEventFilter(this);
    lblTxtOld = findChild<TLabelAutoHeight*>(QStringLiteral("lblTxtOld"));
    lblTxtNew = findChild<TLabelAutoHeight*>(QStringLiteral("lblTxtNew"));
    StyleTextLabel(*lblTxtOld, kOldColour);
    StyleTextLabel(*lblTxtNew, kNewColour);

    lblResultTxt = findChild<QLabel*>(QStringLiteral("lblResultTxt"));
    lblResultTxt->setTextFormat(Qt::PlainText);
    lblResultTxt->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Button1 = findChild<QPushButton*>(QStringLiteral("Button1"));
    connect(Button1, &QPushButton::clicked, this, [this] { done(kResultOk); });
    AnchorFromTable(layout_, *this, form::TfmReport::Table());
}

void TfmReport::PopulateReport() {
    const ReportLines* lines = State().reportLines.get();
    PopulateReport(lines == nullptr ? ReportLines{} : *lines);
}

void TfmReport::PopulateReport(const ReportLines& lines) {
    freePairLabels();
    // A trailing odd line is the result message.
    const std::size_t pairs = lines.size() / 2;
    if (pairs == 0)
        return;

    lblTxtOld->setText(LineText(lines[0]));
    formatNewText(*lblTxtNew, lines[1]);

    const int pitch = static_cast<int>(std::lround(kPairPitch * lblTxtOld->height()));
    lblTxts.reserve(pairs - 1);
    for (std::size_t i = 1; i < pairs; ++i) {
        const int offset = static_cast<int>(i) * pitch;
        auto* oldText = MakeTextLabel(content_, kOldColour);
        oldText->setFont(lblTxtOld->font());
        oldText->setGeometry(lblTxtOld->x(), lblTxtOld->y() + offset, lblTxtOld->width(),
                             lblTxtOld->height());
        oldText->setText(LineText(lines[2 * i]));
        auto* newText = MakeTextLabel(content_, kNewColour);
        newText->setGeometry(lblTxtOld->x(), lblTxtNew->y() + offset, lblTxtNew->width(),
                             lblTxtNew->height());
        formatNewText(*newText, lines[2 * i + 1]);
        oldText->show();
        newText->show();
        lblTxts.push_back({oldText, newText});
    }

    if (!lines.back().empty() && lines.back().front() == 'r')
        lblResultTxt->setText(LineText(lines.back()));
    layoutList();
}

void TfmReport::formatNewText(TLabelAutoHeight& label, const std::string& line) const {
    QFont font = lblTxtNew->font();
    font.setItalic(false);
    label.setFont(font);
    // Green, whatever colour the first pair's label took for its own line.
    SetTextColour(label, kNewColour);
    label.setToolTip(QString());
    const char kind = line.empty() ? '\0' : line.front();
    if (kind == 'p') {
        SetTextColour(label, kPartialColour);
        label.setToolTip(
            QString::fromUtf8(form::TfmReport::kPartlyReplacedHint.data(),
                              static_cast<qsizetype>(form::TfmReport::kPartlyReplacedHint.size())));
    } else if (kind != 'n') {
        label.setText(QString());
        return;
    }
    if (line.size() == 1) {
        // A replacement by nothing would otherwise show as no line at all.
        font.setItalic(true);
        label.setFont(font);
        label.setText(QStringLiteral("<blank>"));
        return;
    }
    label.setText(LineText(line));
}

void TfmReport::freePairLabels() {
    for (const LabelPair& pair : lblTxts) {
        delete pair.oldText;
        delete pair.newText;
    }
    lblTxts.clear();
}

void TfmReport::layoutList() {
    const int gap = Button1->height() / 2;
    const int width = ScrollBox1->width() - (2 * Button1->height()) / 3;
    lblTxtOld->setWidth(width);
    lblTxtNew->setWidth(width);
    lblTxtNew->move(lblTxtNew->x(), lblTxtOld->geometry().bottom() + 1);
    int y = lblTxtNew->geometry().bottom() + 1 + gap;
    for (const LabelPair& pair : lblTxts) {
        pair.oldText->setWidth(width);
        pair.newText->setWidth(width);
        pair.oldText->move(pair.oldText->x(), y);
        pair.newText->move(pair.newText->x(), pair.oldText->geometry().bottom() + 1);
        y = pair.newText->geometry().bottom() + 1 + gap;
    }
    // The content reaches to the last text, so that the area scrolls exactly that far.
    content_->resize(lblTxtOld->x() + width, y);
}

void TfmReport::reject() {
    done(kResultOk);
}

bool TfmReport::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ScrollBox1 && event->type() == QEvent::Resize)
        layoutList();
    return QDialog::eventFilter(watched, event);
}

} // namespace qx
