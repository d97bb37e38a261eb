#pragma once

#include <QString>

class QWidget;

namespace kf {

// The booth's modal message boxes, behind an interface so that window logic
// can be driven by tests without anything popping up.
class Prompts {
public:
    enum class Icon { Information, Warning, Critical };
    virtual ~Prompts() = default;
    // A message with an OK button.
    virtual void inform(const QString& title, const QString& text, Icon icon = Icon::Information) = 0;
    // A question with Yes and No; true only for Yes.
    virtual bool askYesNo(const QString& title, const QString& text) = 0;
};

// Real message boxes over parent.
class MessageBoxPrompts : public Prompts {
public:
    explicit MessageBoxPrompts(QWidget* parent)
        : parent_(parent)
    {
    }
    void inform(const QString& title, const QString& text, Icon icon) override;
    bool askYesNo(const QString& title, const QString& text) override;

private:
    QWidget* parent_;
};

} // namespace kf
