// Send handlers of the printer set-up tabs (.30, .31, .33 to .36).

#include "uPrincipal.h"
#include "ui_tab30.h"
#include "ui_tab31.h"
#include "ui_tab33.h"
#include "ui_tab34.h"
#include "ui_tab35.h"
#include "ui_tab36.h"

void TfrmPrincipal::setupPrinterSetupTabs() {
    t30 = makeForm<Ui::Tab30>(".30");
    t31 = makeForm<Ui::Tab31>(".31");
    t33 = makeForm<Ui::Tab33>(".33");
    t34 = makeForm<Ui::Tab34>(".34");
    t35 = makeForm<Ui::Tab35>(".35");
    t36 = makeForm<Ui::Tab36>(".36");
}

void TfrmPrincipal::BitBtn28Click(QObject*) {}

void TfrmPrincipal::BitBtn29Click(QObject*) {}

void TfrmPrincipal::BitBtn30Click(QObject*) {}

void TfrmPrincipal::BitBtn31Click(QObject*) {}

void TfrmPrincipal::BitBtn32Click(QObject*) {}

void TfrmPrincipal::BitBtn33Click(QObject*) {}

void TfrmPrincipal::cbSenhaClick(QObject*) {}

void TfrmPrincipal::BitBtn34Click(QObject*) {}

void TfrmPrincipal::BitBtn35Click(QObject*) {}
