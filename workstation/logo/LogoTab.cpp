// Tab .40: the logo text, its editor and command 40.

#include <limits>

#include "logo/LogoCommands.h"
#include "logo/uLogo.h"
#include "ui_tab40.h"
#include "window/uPrincipal.h"

void TfrmPrincipal::setupLogoTab() {
    t40 = makeForm<Ui::Tab40>(".40");
    // The logo text has no length limit of its own: each editor pass adds 200
    // characters.
    t40->edFormatoLogo->setMaxLength(std::numeric_limits<int>::max());
    onClick(t40->BitBtn53, &TfrmPrincipal::BitBtn53Click);
    onClick(t40->BitBtn52, &TfrmPrincipal::BitBtn52Click);
}

void TfrmPrincipal::BitBtn53Click(QObject*) {
    editLogo(t40->edFormatoLogo, this);
}

void TfrmPrincipal::BitBtn52Click(QObject*) {
    send(cuponex::logoCommand(text(t40->edFormatoLogo)));
}
