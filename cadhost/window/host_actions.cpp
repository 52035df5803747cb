#include "cadhost/window/host_actions.h"

#include "cadhost/driver/session.h"
#include "cadhost/formats/drawing_file.h"
#include "cadhost/formats/json_drawing.h"
#include "cadhost/model/sample_drawing.h"
#include "cadhost/window/layer_list_dialog.h"

#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QStringList>

#include <nlohmann/json.hpp>

namespace cadhost::window {
namespace {

constexpr int kNoteMilliseconds = 20000;

// The drawing's content as a file holds it, without the view: moving the view is no change a
// person would be asked to save.
std::string Content(const Drawing& drawing) {
    nlohmann::json j = nlohmann::json::parse(DrawingToJson(drawing), nullptr, false);
    if (j.is_object())
        j.erase("view");
    return j.dump();
}

// The file dialogs' filter: every drawing format together, then each alone.
QString DrawingFileFilter() {
    QStringList all;
    QStringList each;
    for (const DrawingExtension& known : kDrawingExtensions) {
        const QString pattern = QStringLiteral("*") + QLatin1String(known.extension);
        all << pattern;
        each << QLatin1String(known.description) + QStringLiteral(" (") + pattern +
                    QStringLiteral(")");
    }
    return QStringLiteral("Drawings (") + all.join(QLatin1Char(' ')) + QStringLiteral(");;") +
           each.join(QStringLiteral(";;")) + QStringLiteral(";;All files (*)");
}

std::filesystem::path PathOf(const QString& path) {
    const QByteArray utf8 = path.toUtf8();
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace

HostActions::HostActions(QWidget& window) : QObject(&window), window_(window) {}

void HostActions::Adopt(Drawing drawing) {
    CurrentSession().drawing = std::move(drawing);
    CurrentSession().dxfSource.reset();
    file_.clear();
    MarkSaved();
    emit DrawingReplaced();
}

void HostActions::UseSample() {
    Adopt(SampleDrawing());
}

bool HostActions::OpenFile(const QString& path, QString* error) {
    qx::Result<DrawingDocument> loaded = OpenDrawingFile(PathOf(path));
    if (!loaded) {
        const QString why = QString::fromStdString(loaded.error());
        if (error != nullptr)
            *error = why;
        else
            ShowError(why);
        return false;
    }
    CurrentSession().drawing = std::move(loaded->drawing);
    CurrentSession().dxfSource = std::move(loaded->dxfSource);
    ShowNotes(loaded->notes);
    file_ = PathOf(path);
    MarkSaved();
    emit DrawingReplaced();
    return true;
}

bool HostActions::SaveTo(const QString& path) {
    const Session& session = CurrentSession();
    const qx::Result<SaveNotes> saved =
        SaveDrawingAs(session.drawing, session.dxfSource.get(), PathOf(path));
    if (!saved) {
        ShowError(QString::fromStdString(saved.error()));
        return false;
    }
    ShowNotes(*saved);
    file_ = PathOf(path);
    MarkSaved();
    emit DrawingChanged();
    return true;
}

bool HostActions::Open() {
    if (!ConfirmDiscard())
        return false;
    const QString path = AskForFile(FileQuestion::Open);
    return !path.isEmpty() && OpenFile(path);
}

bool HostActions::Save() {
    if (file_.empty())
        return SaveAs();
    return SaveTo(QString::fromStdString(file_.string()));
}

bool HostActions::SaveAs() {
    QString path = AskForFile(FileQuestion::SaveAs);
    if (path.isEmpty())
        return false;
    if (!path.contains(QLatin1Char('.')))
        path += QStringLiteral(".json");
    return SaveTo(path);
}

bool HostActions::Undo() {
    if (!CurrentSession().drawing.Undo())
        return false;
    // The error line told the result of the run just undone; it holds no more.
    CurrentSession().ui.error.clear();
    emit DrawingChanged();
    return true;
}

bool HostActions::EditLayers() {
    Drawing& drawing = CurrentSession().drawing;
    LayerListDialog dialog(drawing, &window_);
    if (dialog.exec() != QDialog::Accepted || !dialog.ApplyTo(drawing))
        return false;
    emit DrawingChanged();
    return true;
}

bool HostActions::Modified() const {
    return Content(CurrentSession().drawing) != savedContent_;
}

bool HostActions::ConfirmDiscard() {
    if (!Modified())
        return true;
    QMessageBox box(QMessageBox::Question, QStringLiteral("cadhost"),
                    QStringLiteral("Save the changes to %1?").arg(DocumentName()),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &window_);
    box.setObjectName(QStringLiteral("saveChanges"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return Save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

QString HostActions::DocumentName() const {
    if (file_.empty())
        return QStringLiteral("the sample drawing");
    return QString::fromStdString(file_.filename().string());
}

// The file dialogs carry names, so that a test or a script can find and answer them.
QString HostActions::AskForFile(FileQuestion question) {
    const bool open = question == FileQuestion::Open;
    QFileDialog dialog(
        &window_, open ? QStringLiteral("Open Drawing") : QStringLiteral("Save Drawing As"),
        open ? QString() : QString::fromStdString(file_.string()), DrawingFileFilter());
    dialog.setObjectName(open ? QStringLiteral("openDrawing") : QStringLiteral("saveDrawingAs"));
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void HostActions::MarkSaved() {
    savedContent_ = Content(CurrentSession().drawing);
}

void HostActions::ShowNotes(const std::vector<std::string>& notes) {
    // Notes say what a file could not show or keep; they inform and must not stop the user,
    // so they go to the status line rather than into a box.
    auto* main = qobject_cast<QMainWindow*>(&window_);
    if (notes.empty() || main == nullptr)
        return;
    QStringList lines;
    for (const std::string& note : notes)
        lines << QString::fromStdString(note);
    main->statusBar()->showMessage(lines.join(QStringLiteral("; ")), kNoteMilliseconds);
}

void HostActions::ShowError(const QString& text) {
    QMessageBox::critical(&window_, QStringLiteral("cadhost"), text);
}

} // namespace cadhost::window
