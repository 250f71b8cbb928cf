// Send handlers of the printer option tabs (.41, .50, .54) and the
// parameterless option tabs (.42, .43, .53).

#include "uPrincipal.h"
#include "ui_tab41.h"
#include "ui_tab42.h"
#include "ui_tab43.h"
#include "ui_tab50.h"
#include "ui_tab53.h"
#include "ui_tab54.h"

void TfrmPrincipal::setupOptionTabs() {
    t41 = makeForm<Ui::Tab41>(".41");
    t42 = makeForm<Ui::Tab42>(".42");
    t43 = makeForm<Ui::Tab43>(".43");
    t50 = makeForm<Ui::Tab50>(".50");
    t53 = makeForm<Ui::Tab53>(".53");
    t54 = makeForm<Ui::Tab54>(".54");

    onClick(t42->BitBtn42, &TfrmPrincipal::btnEnviaSemParametroClick);
    onClick(t43->BitBtn44, &TfrmPrincipal::btnEnviaSemParametroClick);
    onClick(t53->BitBtn61, &TfrmPrincipal::btnEnviaSemParametroClick);
}

void TfrmPrincipal::BitBtn43Click(QObject*) {}

void TfrmPrincipal::BitBtn51Click(QObject*) {}

void TfrmPrincipal::BitBtn62Click(QObject*) {}
