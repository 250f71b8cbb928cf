// Tab .40: the logo text, its editor and command 40.

#include "uPrincipal.h"

void TfrmPrincipal::setupLogoTab() {}
void TfrmPrincipal::BitBtn52Click(QObject*) {}
void TfrmPrincipal::BitBtn53Click(QObject*) {}
