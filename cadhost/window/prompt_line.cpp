#include "cadhost/window/prompt_line.h"

#include "cadhost/window/look.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <limits>

namespace cadhost::window {
namespace {

constexpr int kSwatchSize = 14;

QString Q(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QSizePolicy KeepSpace(QSizePolicy policy) {
    policy.setRetainSizeWhenHidden(true);
    return policy;
}

} // namespace

PromptLine::PromptLine(QWidget* parent)
    : QWidget(parent), caption_(new QLabel(this)), edit_(new QLineEdit(this)),
      swatch_(new QLabel(this)), colourName_(new QLabel(this)) {
    setObjectName(QStringLiteral("promptLine"));
    edit_->setObjectName(QStringLiteral("promptEdit"));
    caption_->setObjectName(QStringLiteral("promptCaption"));
    colourName_->setObjectName(QStringLiteral("promptColourName"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 6, 2);
    row->addWidget(caption_);
    row->addWidget(edit_, 1);
    row->addWidget(swatch_);
    row->addWidget(colourName_);
    swatch_->setFixedSize(kSwatchSize, kSwatchSize);
    colourName_->setMinimumWidth(110);
    for (QWidget* w : std::initializer_list<QWidget*>{caption_, edit_, swatch_, colourName_})
        w->setSizePolicy(KeepSpace(w->sizePolicy()));
    edit_->installEventFilter(this);
    connect(edit_, &QLineEdit::returnPressed, this, &PromptLine::Accept);
    connect(edit_, &QLineEdit::textChanged, this, &PromptLine::ShowColourName);
    End();
}

void PromptLine::SetColourNames(std::map<std::int32_t, std::string> names) {
    colourNames_ = std::move(names);
}

void PromptLine::Begin(PromptKind kind, const QString& caption, const QString& initial,
                       int maxLength) {
    kind_ = kind;
    active_ = true;
    caption_->setText(caption);
    delete edit_->validator();
    if (kind == PromptKind::Text) {
        edit_->setValidator(nullptr);
        edit_->setMaxLength(maxLength);
    } else {
        // Whole numbers only: the validator lets nothing else be typed.
        edit_->setValidator(new QIntValidator(std::numeric_limits<std::int32_t>::min(),
                                              std::numeric_limits<std::int32_t>::max(), edit_));
        edit_->setMaxLength(12);
    }
    edit_->setText(initial);
    edit_->selectAll();
    for (QWidget* w : std::initializer_list<QWidget*>{caption_, edit_})
        w->setVisible(true);
    swatch_->setVisible(kind == PromptKind::Colour);
    colourName_->setVisible(kind == PromptKind::Colour);
    ShowColourName();
    edit_->setFocus();
}

void PromptLine::End() {
    active_ = false;
    edit_->clear();
    for (QWidget* w : std::initializer_list<QWidget*>{caption_, edit_, swatch_, colourName_})
        w->setVisible(false);
}

void PromptLine::Accept() {
    if (!active_)
        return;
    if (kind_ == PromptKind::Text) {
        emit TextAccepted(edit_->text());
        return;
    }
    bool ok = false;
    const int value = edit_->text().toInt(&ok);
    if (!ok) {
        emit Refused(QStringLiteral("Enter a whole number"));
        return;
    }
    emit NumberAccepted(value);
}

void PromptLine::ShowColourName() {
    if (kind_ != PromptKind::Colour)
        return;
    bool ok = false;
    const int number = edit_->text().toInt(&ok);
    const auto it = ok ? colourNames_.find(number) : colourNames_.end();
    colourName_->setText(it != colourNames_.end() ? Q(it->second)
                         : ok                     ? QStringLiteral("Colour %1").arg(number)
                                                  : QString());
    const QColor shown = ok ? PaletteColour(number) : palette().color(QPalette::Window);
    swatch_->setStyleSheet(
        QStringLiteral("background: %1; border: 1px solid #555;").arg(shown.name()));
}

bool PromptLine::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && active_) {
        emit Escaped();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace cadhost::window
