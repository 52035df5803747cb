// The prompt line: where a person types the text, number or colour the macro asks for. It
// starts from the macro's value, selected, so that typing replaces it. Enter accepts; Esc is
// reported, so that the window can do what the macro's labels ask.
#pragma once

#include <QWidget>

#include <cstdint>
#include <map>
#include <string>

class QLabel;
class QLineEdit;

namespace cadhost::window {

enum class PromptKind { Text, Number, Colour };

class PromptLine : public QWidget {
    Q_OBJECT
public:
    explicit PromptLine(QWidget* parent = nullptr);

    // The colour names the colour prompt shows, by colour number (UTF-8).
    void SetColourNames(std::map<std::int32_t, std::string> names);
    void Begin(PromptKind kind, const QString& caption, const QString& initial, int maxLength);
    void End();
    bool Active() const { return active_; }
    QLineEdit* Edit() const { return edit_; }

signals:
    void TextAccepted(const QString& text);
    void NumberAccepted(std::int32_t value);
    void Escaped();
    // Enter on a number that is not a whole number in range.
    void Refused(const QString& why);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Accept();
    void ShowColourName();

    QLabel* caption_;
    QLineEdit* edit_;
    QLabel* swatch_;
    QLabel* colourName_;
    PromptKind kind_ = PromptKind::Text;
    bool active_ = false;
    std::map<std::int32_t, std::string> colourNames_;
};

} // namespace cadhost::window
