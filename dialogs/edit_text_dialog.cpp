#include "dialogs/edit_text_dialog.h"

#include "dialogs/dialog_font.h"
#include "dialogs/dialog_result.h"
#include "host/automation_contract.h"

#include <QLineEdit>
#include <QPushButton>

namespace qx {
namespace {

constexpr int kClientWidth = 628;
constexpr int kClientHeight = 60;
constexpr int kMaxTextLength = 255;

} // namespace

TfmEditText::TfmEditText(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QLatin1String(qx::automation::kEditTextForm));
    setWindowTitle(QStringLiteral("Enter New Text for Entity"));
    setFont(DialogFont());
    resize(kClientWidth, kClientHeight);
    setFixedHeight(kClientHeight);

    eNewText = new QLineEdit(this);
    eNewText->setObjectName(QStringLiteral("eNewText"));
    eNewText->setGeometry(8, 8, 612, 23);
    eNewText->setMaxLength(kMaxTextLength);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(545, 37, 75, 19);
    Button1->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(457, 37, 75, 19);

    // done() rather than accept() and reject(): the macro's result codes are not Qt's.
    connect(Button1, &QPushButton::clicked, this, [this] { done(kResultOk); });
    connect(btnCancel, &QPushButton::clicked, this, &TfmEditText::reject);

    // The buttons keep their distance to the top and right edges; the field keeps its place.
    layout_.setAnchors(Button1, Qt::TopEdge | Qt::RightEdge);
    layout_.setAnchors(btnCancel, Qt::TopEdge | Qt::RightEdge);
    layout_.takeDesign(*this);
}

void TfmEditText::reject() {
    done(kResultCancel);
}

} // namespace qx
