// The POSIX and Qt implementation of the platform layer.
#include "platform/platform.h"

#include "platform/host_ui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QMessageBox>
#include <QString>
#include <QUrl>

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace qx::platform {
namespace {

QString Q(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

BoxAnswer ShowQtBox(BoxKind kind, const std::string& caption, const std::string& text,
                    bool defaultNo) {
    if (QApplication::instance() == nullptr)
        return kind == BoxKind::Confirmation ? BoxAnswer::No : BoxAnswer::Ok;
    QMessageBox box;
    box.setWindowTitle(Q(caption));
    box.setText(Q(text));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    switch (kind) {
    case BoxKind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case BoxKind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case BoxKind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case BoxKind::Confirmation:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return BoxAnswer::Ok;
}

std::filesystem::path P(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace

BoxAnswer ShowMessageBox(BoxKind kind, const std::string& caption, const std::string& text,
                         bool defaultNo, BoxScope /*scope*/) {
    // A Qt box stays on top of every window of the desktop whatever its scope.
    if (const auto answer = host_ui::Box(kind, caption, text, defaultNo))
        return *answer;
    return ShowQtBox(kind, caption, text, defaultNo);
}

void Beep() {
    if (host_ui::Beep())
        return;
    if (QApplication::instance() != nullptr)
        QApplication::beep();
}

int RunModal(QDialog& dialog) {
    if (const auto result = host_ui::RunModal(&dialog))
        return *result;
    return dialog.exec();
}

bool OpenDocument(const std::string& path) {
    if (const auto opened = host_ui::OpenDocument(path))
        return *opened;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
}

void SendHostKey(std::int32_t keyCode) {
    host_ui::SendKey(keyCode);
}

std::string HostExecutablePath() {
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : p.string();
}

std::string MacroLibraryPath() {
    Dl_info info{};
    static const int anchor = 0;
    if (dladdr(&anchor, &info) == 0 || info.dli_fname == nullptr)
        return {};
    std::error_code ec;
    auto p = std::filesystem::absolute(info.dli_fname, ec);
    return ec ? std::string(info.dli_fname) : p.string();
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(P(path), ec);
}

bool DirectoryExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(P(path), ec);
}

bool MakeDirectory(const std::string& path) {
    std::error_code ec;
    return std::filesystem::create_directory(P(path), ec) && !ec;
}

bool CopyFileNoOverwrite(const std::string& from, const std::string& to) {
    std::error_code ec;
    return std::filesystem::copy_file(P(from), P(to), std::filesystem::copy_options::none, ec) &&
           !ec;
}

bool RenameFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    std::filesystem::rename(P(from), P(to), ec);
    return !ec;
}

bool RemoveFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::remove(P(path), ec) && !ec;
}

} // namespace qx::platform
