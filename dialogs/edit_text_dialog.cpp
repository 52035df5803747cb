#include "dialogs/edit_text_dialog.h"

#include "dialogs/dialog_font.h"
#include "dialogs/dialog_result.h"
#include "dialogs/form/report_form.h"
#include "dialogs/table_builder.h"
#include "host/automation_contract.h"

#include <QLineEdit>
#include <QPushButton>

namespace qx {

TfmEditText::TfmEditText(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    const form::ControlTable table = form::TfmEditText::Table();
    const form::Rect& client = table.front().rect;
    setObjectName(QLatin1String(qx::automation::kEditTextForm));
    setWindowTitle(QString::fromUtf8(table.front().caption.data(),
                                     static_cast<qsizetype>(table.front().caption.size())));
    setFont(DialogFont());
    resize(client.width, client.height);
    // Only the width may change.
    setFixedHeight(client.height);

    BuildControls(*this, table, form::TfmEditText::Tabs());
    eNewText = findChild<QLineEdit*>(QStringLiteral("eNewText"));
    Button1 = findChild<QPushButton*>(QStringLiteral("Button1"));
    btnCancel = findChild<QPushButton*>(QStringLiteral("btnCancel"));
    OrderTabs(*this, form::TfmEditText::Tabs());

    // done() rather than accept() and reject(): the macro's result codes are not Qt's.
    connect(Button1, &QPushButton::clicked, this, [this] { done(kResultOk); });
    connect(btnCancel, &QPushButton::clicked, this, &TfmEditText::reject);

    AnchorFromTable(layout_, *this, table);
    layout_.takeDesign(*this);
}

void TfmEditText::reject() {
    done(kResultCancel);
}

} // namespace qx
