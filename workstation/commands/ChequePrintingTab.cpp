// Send handler of the cheque printing tab (.24).

#include "uPrincipal.h"
#include "ui_tab24.h"

void TfrmPrincipal::setupChequePrintingTab() {
    t24 = makeForm<Ui::Tab24>(".24");
}

void TfrmPrincipal::BitBtn27Click(QObject*) {}
