// The window's handlers of its amount and code fields: two key filters and the
// exit rules that rewrite a field into its normal form when it is left. The
// rules themselves are core/NumberEntry; widgets/KeyAndExitRules runs them.

#include <QLineEdit>

#include "core/NumberEntry.h"
#include "ui_tab01.h"
#include "widgets/Latin1.h"
#include "widgets/LengthLimit.h"
#include "window/uPrincipal.h"

using cuponex::fromLatin1;
using cuponex::latin1;

namespace {

QLineEdit* edit(QObject* sender) {
    return qobject_cast<QLineEdit*>(sender);
}

// A normal form can be longer than the field's limit ("1000" in the
// seven-character quantity gives "1000,000"); it is kept whole rather than
// cut by the edit, which would change the value sent.
void rewriteWhole(QLineEdit* field, const std::string& normal) {
    cuponex::setTextKeptWhole(field, fromLatin1(normal));
}

void numeric(QObject* sender, std::string_view pattern) {
    QLineEdit* field = edit(sender);
    rewriteWhole(field, cuponex::numericRewrite(latin1(field->text()), pattern));
}

void integer(QObject* sender, int minDigits) {
    QLineEdit* field = edit(sender);
    rewriteWhole(field, cuponex::integerRewrite(latin1(field->text()), minDigits));
}

void filter(QChar& key, std::optional<char> (*rule)(char)) {
    const char16_t code = key.unicode();
    const auto passed = code <= 0xFF ? rule(static_cast<char>(code)) : std::nullopt;
    key = passed ? QChar(static_cast<uchar>(*passed)) : QChar();
}

}  // namespace

void TfrmPrincipal::edPrecoKeyPress(QObject*, QChar& Key) {
    filter(Key, cuponex::amountKey);
}

void TfrmPrincipal::edItemKeyPress(QObject*, QChar& Key) {
    filter(Key, cuponex::digitKey);
}

void TfrmPrincipal::edPrecoExit(QObject* Sender) {
    const bool unitPrice = Sender->objectName() == QLatin1String("edPreco");
    numeric(Sender, cuponex::priceExitPattern(unitPrice, text(t01->edDesc)));
}

void TfrmPrincipal::edQuantExit(QObject* Sender) {
    numeric(Sender, "0.000");
}

void TfrmPrincipal::edDescItemValorExit(QObject* Sender) {
    numeric(Sender, "0.00");
}

void TfrmPrincipal::edItemExit(QObject* Sender) {
    numeric(Sender, "000");
}

void TfrmPrincipal::edCodModaExit(QObject* Sender) {
    numeric(Sender, "00");
}

void TfrmPrincipal::edRedInExit(QObject* Sender) {
    integer(Sender, 4);
}

void TfrmPrincipal::edAtrib1Exit(QObject* Sender) {
    integer(Sender, 1);
}

// The discount's first field is a percentage only on line 6100; elsewhere it
// is left exactly as typed.
void TfrmPrincipal::edDescItemTextoExit(QObject* Sender) {
    if (printerLine() == PrinterLine::L6100) numeric(Sender, "0.00");
}

void TfrmPrincipal::edDescSubTextExit(QObject* Sender) {
    if (printerLine() == PrinterLine::L6100) numeric(Sender, "0.00");
}
