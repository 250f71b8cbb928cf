#pragma once
// Command texts of the sale-coupon tabs .01 to .12, built from the field texts
// as the send handlers read them (after the fields' exit rules). Each function
// returns the text without its frame; std::nullopt means the chosen printer
// line has no form of the command and nothing is to be sent.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/PrinterLine.h"

namespace cuponex {

// Tab .01, command 01.
struct ItemSaleFields {
    std::string code;              // edCodigo
    std::string quantity;          // edQuant, three decimals
    std::string unitPrice;         // edPreco, two or three decimals
    std::string total;             // edTotal, two decimals
    std::string description;       // edDesc
    std::string taxRate;           // mskAliquota
    std::string extraDescription;  // edDescrA
    std::string tamcod;            // mskTamcod, sent only without extraDescription
};
std::string itemSaleCommand(const ItemSaleFields& fields);

// Tab .02, command 02. On line 6100 firstField is a percentage; throws
// ConversionError when it is not a number.
std::optional<std::string> itemDiscountCommand(PrinterLine line, std::string_view firstField,
                                               std::string_view value);

// Tab .03, command 03; firstField as for command 02.
std::optional<std::string> subtotalDiscountCommand(PrinterLine line, std::string_view firstField,
                                                   std::string_view value, bool printSubtotal);

// Tab .04, command 04: the item number as typed.
std::string cancelItemCommand(std::string_view item);

// Tab .06, command 06: the codes as the combo boxes hold them.
std::string paymentTransferCommand(std::string_view debitedCode, std::string_view value,
                                   std::string_view creditedCode);

// Tab .07, command 07.
std::string legendCommand(std::string_view code, std::string_view value,
                          std::string_view description);

// Tab .08, command 08. chosenItem is the item index of rgAtribTNF: -1 none,
// 0 "Fechar Comprovante", 1 to 4 the attributes "0", "1", "2", "9". Nothing
// for any other index.
std::optional<std::string> voucherTextCommand(int chosenItem, std::string_view text);

// Tab .10 "Aplicar": the payment entry to append to the "Formato" text.
std::string paymentEntry(std::string_view modeCode, std::string_view value, std::string_view text1,
                         std::string_view text2);

// Tab .10 "&Enviar", command 10: the collected entries unchanged.
std::string paymentCommand(std::string_view entries);

// Tab .11, command 11. typeIndex is the item index of cbTipoAcr (0 "Acréscimo",
// 1 "Acréscimo IOF"). Throws ConversionError for the first of percentage and
// value that is not an integer once its commas are deleted.
std::string surchargeCommand(int typeIndex, std::string_view percentage, std::string_view value,
                             bool onSubtotal);

// Tab .09 "Aplicar": the identifier element to append to the "Formato" text.
std::string identifierElement(std::string_view type, std::string_view identifier);

// Tab .09 "&Enviar", command 09.
std::string identifierListCommand(std::string_view attribute, std::string_view elements);

// Tab .12, command 12: one of the eight closing rows.
struct ClosingRow {
    std::string attribute;  // edAtribN, read as an integer (0 when not one)
    std::string text;       // edLinhaN
};
struct ClosingFields {
    bool withoutParameters = false;  // cbSemPara
    bool linked = false;             // cbVinculado, line 4100 only
    bool secondCoupon = false;       // cbSeg
    std::array<ClosingRow, 8> rows;
};
std::optional<std::string> closingCommand(PrinterLine line, const ClosingFields& fields);

}  // namespace cuponex
