#pragma once
// Command texts of the customer identification and authentication tabs .17,
// .19 and .20, built from the field texts as the send handlers read them
// (after the fields' exit rules). std::nullopt means the chosen printer line
// has no form of the command and nothing is to be sent.

#include <optional>
#include <string>
#include <string_view>

#include "core/PrinterLine.h"

namespace cuponex {

// Tab .17, command 17: at most the first 20 characters of the CPF/CNPJ, unpadded.
std::string taxpayerIdCommand(std::string_view cpfCnpj);

// Tab .19, command 19.
struct CustomerIdFields {
    std::string title;           // EdTitulo; exactly "00" selects the form with COO and type
    std::string coo;             // edCOO
    std::string type;            // edTipoModal
    std::string identification;  // edIdentificacao, right-justified in 20
    std::string instalments;     // edParcelas, line 6100 only
    bool secondTefCopy = false;  // cbSegTEF: "1900" alone, on every line
};
std::optional<std::string> customerIdCommand(PrinterLine line, const CustomerIdFields& fields);

// Tab .20, command 20. The attribute and the header go as they are held, with
// no width: an empty one contributes nothing.
struct AuthenticationFields {
    std::string attribute;  // edAtribAut
    std::string code;       // edAutCod, left-justified in 15
    std::string header;     // edAutCab
    bool logo = false;      // cbLogo
    bool netValue = false;  // cbLiquido
    std::string text;       // edAlfa, line 6100 only; empty or one space means none
};
std::optional<std::string> authenticationCommand(PrinterLine line,
                                                 const AuthenticationFields& fields);

}  // namespace cuponex
