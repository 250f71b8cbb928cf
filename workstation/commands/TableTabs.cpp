// Handlers of the legend and payment-mode table tabs (.38, .39, .47).

#include "uPrincipal.h"
#include "ui_tab38.h"
#include "ui_tab39.h"
#include "ui_tab47.h"

void TfrmPrincipal::setupTableTabs() {
    t38 = makeForm<Ui::Tab38>(".38");
    t39 = makeForm<Ui::Tab39>(".39");
    t47 = makeForm<Ui::Tab47>(".47");
}

void TfrmPrincipal::BitBtn36Click(QObject*) {}

void TfrmPrincipal::BitBtn37Click(QObject*) {}

void TfrmPrincipal::BitBtn38Click(QObject*) {}

void TfrmPrincipal::BitBtn40Click(QObject*) {}

void TfrmPrincipal::BitBtn39Click(QObject*) {}

void TfrmPrincipal::BitBtn41Click(QObject*) {}

void TfrmPrincipal::cbCheqClick(QObject*) {}

void TfrmPrincipal::cbContraValeClick(QObject*) {}

void TfrmPrincipal::BitBtn48Click(QObject*) {}

void TfrmPrincipal::BitBtn49Click(QObject*) {}

void TfrmPrincipal::BitBtn50Click(QObject*) {}
