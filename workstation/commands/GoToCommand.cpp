#include "commands/GoToCommand.h"

#include <QInputDialog>
#include <QTabWidget>

#include "widgets/ErrorDisplay.h"
#include "commands/CommandNames.h"
#include "commands/CommandTabs.h"

namespace cuponex {

AskCommandCode& askCommandCode() {
    // Built by hand for its Portuguese "Cancelar": the program loads no Qt
    // translation.
    static AskCommandCode ask = [](QWidget* parent) -> std::optional<QString> {
        QInputDialog dialog(parent);
        dialog.setWindowTitle(parent->window()->windowTitle());
        dialog.setLabelText(QStringLiteral("Ir para o comando:"));
        dialog.setOkButtonText(QStringLiteral("OK"));
        dialog.setCancelButtonText(QStringLiteral("Cancelar"));
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.textValue();
    };
    return ask;
}

std::optional<int> typedCommandCode(const QString& typed) {
    QString digits = typed.trimmed();
    if (digits.startsWith(QLatin1Char('.'))) digits.remove(0, 1);
    if (digits.isEmpty() || digits.size() > 2) return std::nullopt;
    for (const QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    const int code = digits.toInt();
    if (code < kFirstCommandCode || code > kLastCommandCode) return std::nullopt;
    return code;
}

namespace {

// What was typed, as the message quotes it: short enough for one line.
QString quotedTyping(const QString& typed) {
    constexpr int kShown = 20;
    const QString text = typed.trimmed();
    return QLatin1Char('"') + (text.size() > kShown ? text.left(kShown) + QChar(0x2026) : text) +
           QLatin1Char('"');
}

}  // namespace

void goToCommand(QTabWidget* book, QWidget* parent) {
    const std::optional<QString> typed = askCommandCode()(parent);
    if (!typed) return;
    const std::optional<int> code = typedCommandCode(*typed);
    const auto tell = [parent](const QString& text) { messageBoxes().information(parent, text); };
    if (!code) {
        tell(typed->trimmed().isEmpty()
                 ? QStringLiteral("Nenhum código informado. Digite um código de 01 a 54.")
                 : quotedTyping(*typed) +
                       QStringLiteral(" não é um código de comando. Digite um código de 01 a 54."));
        return;
    }
    const int index = tabIndex(book, *code);
    if (index < 0) {
        tell(QStringLiteral("Não há aba para o comando %1. Ele pode ser enviado pela linha "
                            "\"Comando:\" do histórico (Ctrl+H).")
                 .arg(*code, 2, 10, QLatin1Char('0')));
        return;
    }
    book->setCurrentIndex(index);
}

}  // namespace cuponex
