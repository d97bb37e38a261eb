#include "prompts.h"

#include <QMessageBox>

namespace kf {

void MessageBoxPrompts::inform(const QString& title, const QString& text, Icon icon)
{
    switch (icon) {
    case Icon::Information: QMessageBox::information(parent_, title, text); break;
    case Icon::Warning: QMessageBox::warning(parent_, title, text); break;
    case Icon::Critical: QMessageBox::critical(parent_, title, text); break;
    }
}

bool MessageBoxPrompts::askYesNo(const QString& title, const QString& text)
{
    return QMessageBox::question(parent_, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

} // namespace kf
