// The host's three message lines: the level line names where the user is, the message line
// prompts, the error line carries results and faults.
#pragma once

#include <QWidget>

#include <string>

class QLabel;

namespace cadhost::window {

class MessageLines : public QWidget {
    Q_OBJECT
public:
    explicit MessageLines(QWidget* parent = nullptr);
    // Texts in Windows-1252, as the macro wrote them.
    void Show(const std::string& level, const std::string& message, const std::string& error);

    QString Level() const;
    QString Message() const;
    QString Error() const;

private:
    QLabel* level_;
    QLabel* message_;
    QLabel* error_;
};

} // namespace cadhost::window
