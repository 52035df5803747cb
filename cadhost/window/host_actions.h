// The host's own work on the drawing: open, save, save as, undo and the layer list, and
// knowing whether the drawing has changes that are not saved yet.
#pragma once

#include "cadhost/model/drawing.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <string>
#include <vector>

class QWidget;

namespace cadhost::window {

class HostActions : public QObject {
    Q_OBJECT
public:
    explicit HostActions(QWidget& window);

    // A drawing that is not saved anywhere yet, such as the built-in sample.
    void Adopt(Drawing drawing);
    void UseSample();
    // Opens the file; on failure the message goes to `error` (or a message box when null) and
    // the drawing stays as it was.
    bool OpenFile(const QString& path, QString* error = nullptr);
    bool SaveTo(const QString& path);
    // Asks for a file with the file dialog.
    bool Open();
    bool Save();
    bool SaveAs();
    // Undoes the last step; false when there is nothing to undo.
    bool Undo();
    bool EditLayers();

    bool Modified() const;
    // When the drawing has unsaved changes, asks whether to save them; false when the person
    // cancels (or the save fails).
    bool ConfirmDiscard();
    QString DocumentName() const;
    const std::filesystem::path& File() const { return file_; }

signals:
    // A new drawing is in the session.
    void DrawingReplaced();
    // The drawing changed (undo, layers) or was saved.
    void DrawingChanged();

private:
    enum class FileQuestion { Open, SaveAs };
    // The file the person chooses, or an empty text when they cancel.
    QString AskForFile(FileQuestion question);
    void MarkSaved();
    void ShowError(const QString& text);
    void ShowNotes(const std::vector<std::string>& notes);

    QWidget& window_;
    std::filesystem::path file_;
    std::string savedContent_;
};

} // namespace cadhost::window
