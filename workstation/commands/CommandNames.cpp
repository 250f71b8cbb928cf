#include "commands/CommandNames.h"

#include <algorithm>
#include <cstdio>

namespace cuponex {
namespace {

// The commands without parameters are named only as such: nothing on their
// tabs tells more of them.
constexpr CommandName kTabCommands[] = {
    {1, "Venda de item"},
    {2, "Desconto em item"},
    {3, "Desconto no subtotal"},
    {4, "Cancelamento de item"},
    {5, "Comando sem parâmetros"},
    {6, "Transferência de pagamento"},
    {7, "Legenda com valor"},
    {8, "Texto do comprovante"},
    {9, "Lista de identificadores"},
    {10, "Pagamento"},
    {11, "Acréscimo"},
    {12, "Fechamento do cupom"},
    {13, "Leitura X"},
    {14, "Redução Z"},
    {15, "Leitura por intervalo de reduções"},
    {16, "Leitura por intervalo de datas"},
    {17, "CPF/CNPJ do cliente"},
    {18, "Relatório sem parâmetros"},
    {19, "Identificação do cliente"},
    {20, "Autenticação"},
    {21, "Comando sem parâmetros"},
    {22, "Comando sem parâmetros"},
    {23, "Comando sem parâmetros"},
    {24, "Impressão de cheque"},
    {25, "Comando sem parâmetros"},
    {26, "Comando sem parâmetros"},
    {27, "Leitura de tipo 1 a H"},
    {28, "Leitura de tipo B a F"},
    {29, "Leitura de tipo 1 a L"},
    {30, "Opções de impressão"},
    {31, "Clichê"},
    {33, "Tabela de alíquotas"},
    {34, "CNPJ e inscrições"},
    {35, "Data e hora"},
    {36, "Horário de verão"},
    {38, "Tabela de legendas"},
    {39, "Tabela de modalidades de pagamento"},
    {40, "Logotipo"},
    {41, "Confirmação de comando"},
    {42, "Comando sem parâmetros"},
    {43, "Comando sem parâmetros"},
    {44, "Favorecido, cidade e moeda do cheque"},
    {45, "Leiaute do cheque"},
    {46, "Opção de banco"},
    {47, "Alteração de legendas"},
    {48, "Limpeza da tabela de cheques"},
    {49, "Leitura do CMC7"},
    {50, "Opções de impressão e de resposta"},
    {51, "Cheque com leitura do CMC7"},
    {53, "Comando sem parâmetros"},
    {54, "Tipos de isentos"},
};

}  // namespace

std::span<const CommandName> tabCommands() {
    return kTabCommands;
}

std::optional<std::string_view> commandName(int code) {
    const auto* found = std::find_if(std::begin(kTabCommands), std::end(kTabCommands),
                                     [code](const CommandName& c) { return c.code == code; });
    if (found == std::end(kTabCommands)) return std::nullopt;
    return found->name;
}

std::string commandTitle(int code) {
    const auto name = commandName(code);
    if (!name) return {};
    char digits[4];
    std::snprintf(digits, sizeof digits, "%02d", code);
    return std::string(digits) + " — " + std::string(*name);
}

}  // namespace cuponex
