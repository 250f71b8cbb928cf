#pragma once
// cuponex --dir DIR: presets the working directory of the exchange.
// cuponex --help, --version: answered before the toolkit starts.

#include <QStringList>

class TfrmPrincipal;

// The directory named by --dir (or --dir=DIR) with a trailing "/" added when
// missing; an empty string when the option is absent.
QString workingDirectoryOption(const QStringList& arguments);

// The text that --help (or -h) or --version asks for, ready for standard
// output; empty when the command line asks for neither. Needs no
// QApplication, so both answer without a display. The value of --dir is never
// taken for one of them.
QString informationText(const QStringList& arguments);

void applyCommandLine(const QStringList& arguments, TfrmPrincipal& window);
