#pragma once
// cuponex --dir DIR: presets the working directory of the exchange.

#include <QStringList>

class TfrmPrincipal;

// The directory named by --dir (or --dir=DIR) with a trailing "/" added when
// missing; an empty string when the option is absent.
QString workingDirectoryOption(const QStringList& arguments);

void applyCommandLine(const QStringList& arguments, TfrmPrincipal& window);
