#include "widgets/ErrorDisplay.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

namespace cuponex {

MessageBoxes& messageBoxes() {
    static MessageBoxes boxes{
        [](QWidget* parent, const QString& text) {
            QMessageBox::critical(parent, QApplication::applicationName(), text);
        },
        [](QWidget* parent, const QString& text) {
            QMessageBox box(QMessageBox::Information, QString(), text, QMessageBox::Ok, parent);
            box.exec();
        }};
    return boxes;
}

void showError(QWidget* parent, QString text) {
    if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
    messageBoxes().error(parent, text);
}

bool runGuarded(QWidget* parent, const std::function<void()>& body) {
    // Handler errors carry Latin-1 texts (field contents quoted in them).
    try {
        body();
        return true;
    } catch (const std::exception& e) {
        showError(parent, QString::fromLatin1(e.what()));
    } catch (...) {
        showError(parent, QStringLiteral("Erro inesperado"));
    }
    return false;
}

}  // namespace cuponex
