// Send handlers of the cheque function tabs (.44 to .46, .48, .49, .51).

#include "uPrincipal.h"
#include "ui_tab44.h"
#include "ui_tab45.h"
#include "ui_tab46.h"
#include "ui_tab48.h"
#include "ui_tab49.h"
#include "ui_tab51.h"

void TfrmPrincipal::setupChequeTabs() {
    t44 = makeForm<Ui::Tab44>(".44");
    t45 = makeForm<Ui::Tab45>(".45");
    t46 = makeForm<Ui::Tab46>(".46");
    t48 = makeForm<Ui::Tab48>(".48");
    t49 = makeForm<Ui::Tab49>(".49");
    t51 = makeForm<Ui::Tab51>(".51");
}

void TfrmPrincipal::BitBtn45Click(QObject*) {}

void TfrmPrincipal::BitBtn46Click(QObject*) {}

void TfrmPrincipal::BitBtn47Click(QObject*) {}

void TfrmPrincipal::BitBtn58Click(QObject*) {}

void TfrmPrincipal::BitBtn59Click(QObject*) {}

void TfrmPrincipal::BitBtn57Click(QObject*) {}
