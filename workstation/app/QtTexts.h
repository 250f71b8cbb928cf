#pragma once
// The texts Qt's own dialogs show (the file dialog of "Salvar…" and
// "Executar roteiro…", the buttons of a message box) in Brazilian Portuguese,
// as every other text of the window, whatever the user's locale.

class QCoreApplication;

namespace cuponex {

// False when Debian's Qt translations are not installed: the dialogs then
// keep Qt's English texts.
bool loadPortugueseQtTexts(QCoreApplication& app);

}  // namespace cuponex
