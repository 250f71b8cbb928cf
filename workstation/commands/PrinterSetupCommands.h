#pragma once
// Command texts of the printer set-up tabs .30, .31 and .33 to .36, built from
// the field texts as the send handlers read them (after the fields' exit
// rules). Each function returns the text without its frame; std::nullopt
// means the chosen printer line has no form of the command.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/PrinterLine.h"

namespace cuponex {

// Tab .30, command 30: printing options.
struct PrintingOptionsFields {
    std::string ecf;          // edECF, read as an integer (0 when not one)
    bool cents = false;       // cbCentavos
    bool itemTitle = false;   // cbTitulo
    bool printSign = false;   // cbCifrao
    std::string sign;         // edCifrao
    std::string interval;     // edIntervalo, read as an integer
    bool iof = true;          // rgIOF: "Sim"
    bool issDiscount = true;  // rgISS: "Sim"
};
// Lines 4100 and 6100 only.
std::optional<std::string> printingOptionsCommand(PrinterLine line,
                                                  const PrintingOptionsFields& fields);

// Tab .31, command 31: the cliché.
struct ClicheRow {
    std::string attribute;  // edClicheAtribN, read as an integer
    std::string text;       // edClicheN
};
struct ClicheFields {
    std::string skip;           // edSalto, read as an integer
    bool secondCoupon = false;  // cbClicheSegundo
    std::array<ClicheRow, 5> rows;
};
std::string clicheCommand(const ClicheFields& fields);

// Tab .33 "&Aplicar": one rate entry to append to the "Formato" text: the
// identifier in 3 characters and the rate in hundredths of a percent.
std::string taxRateEntry(std::string_view identifier, std::string_view rate);

// Tab .33 "&Enviar", command 33: the collected entries unchanged.
std::string taxRateTableCommand(std::string_view entries);

// Tab .34, command 34: registration numbers; the password only when enabled.
std::string registrationCommand(std::string_view cnpj, std::string_view ie, std::string_view im,
                                bool withPassword, std::string_view password);

// Tab .35, command 35: the time (hhmmss) before the date (ddmmyy), as typed.
std::string dateTimeCommand(std::string_view date, std::string_view time);

// Tab .36, command 36.
std::string summerTimeCommand(bool on);

}  // namespace cuponex
