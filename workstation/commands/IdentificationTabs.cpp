// Send handlers of the customer identification and authentication tabs
// (.17, .19, .20).

#include "uPrincipal.h"
#include "ui_tab17.h"
#include "ui_tab19.h"
#include "ui_tab20.h"

void TfrmPrincipal::setupIdentificationTabs() {
    t17 = makeForm<Ui::Tab17>(".17");
    t19 = makeForm<Ui::Tab19>(".19");
    t20 = makeForm<Ui::Tab20>(".20");
}

void TfrmPrincipal::BitBtn2Click(QObject*) {}

void TfrmPrincipal::BitBtn22Click(QObject*) {}

void TfrmPrincipal::cbSegTEFClick(QObject*) {}

void TfrmPrincipal::rgVersao4100Click(QObject*) {}

void TfrmPrincipal::BitBtn11Click(QObject*) {}
