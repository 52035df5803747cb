#include "cadhost/window/message_lines.h"

#include "cadhost/window/look.h"
#include "host/codepage.h"

#include <QGridLayout>
#include <QLabel>

namespace cadhost::window {
namespace {

QLabel* Line(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(1);
    return label;
}

QLabel* Caption(QWidget* parent, const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QString Q(const std::string& cp1252) {
    return QString::fromStdString(qx::host::Cp1252ToUtf8(cp1252));
}

} // namespace

MessageLines::MessageLines(QWidget* parent)
    : QWidget(parent), level_(Line(this, "levelLine")), message_(Line(this, "messageLine")),
      error_(Line(this, "errorLine")) {
    setObjectName(QStringLiteral("messageLines"));
    QFont bold = level_->font();
    bold.setBold(true);
    level_->setFont(bold);
    QPalette red = error_->palette();
    red.setColor(QPalette::WindowText, kErrorLine);
    error_->setPalette(red);
    error_->setFont(bold);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(1);
    grid->addWidget(Caption(this, "Level"), 0, 0);
    grid->addWidget(level_, 0, 1);
    grid->addWidget(Caption(this, "Message"), 1, 0);
    grid->addWidget(message_, 1, 1);
    grid->addWidget(Caption(this, "Error"), 2, 0);
    grid->addWidget(error_, 2, 1);
    grid->setColumnStretch(1, 1);
}

void MessageLines::Show(const std::string& level, const std::string& message,
                        const std::string& error) {
    level_->setText(Q(level));
    message_->setText(Q(message));
    error_->setText(Q(error));
}

QString MessageLines::Level() const {
    return level_->text();
}
QString MessageLines::Message() const {
    return message_->text();
}
QString MessageLines::Error() const {
    return error_->text();
}

} // namespace cadhost::window
