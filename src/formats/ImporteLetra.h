#pragma once
// Amounts in words and the currency texts.
//
// Amounts in words end with the cents as a fraction and the currency's
// abbreviation, in upper case and in parentheses. The amount is first rounded
// to cents as it is printed in figures (rutinas_numero.h), so the cents in
// words are the cents in figures. The words of the currency
// are four texts held for the whole program (FijaTextosMoneda), normally
// taken from the company's currency table moneda.vrl (TextoMoneda):
//   1 the word for one unit (singular)
//   2 the plural used after millions ("... millones PESOS DE")
//   3 the plural
//   4 the abbreviation
//
// Spanish amounts are written up to 999,999,999,999.99; a negative amount,
// or a larger one, reads " Error en Cantidad" in place of its words.

#include <QString>

#include <cstdint>

// Sets the four currency texts, each cut to 30 characters, and takes the
// program folder for the format interpreter.
void FijaTextosMoneda(const QString& texto1, const QString& texto2, const QString& texto3, const QString& texto4);

// The amount in Spanish words: "( UN MIL DOSCIENTOS TREINTA Y CUATRO PESOS
// 50/100 M.N.)". Only the letters a to z are put in upper case.
QString ImporteConLetra(double importe);
// The words of one group of three digits (0-999) with its scale word; groups
// are numbered from the right: 1 units, 2 thousands, 3 millions, 4 thousands
// of millions.
QString GrupoEnLetra(int n, int grupo);

// The amount in English words: "(ONE THOUSAND TWO HUNDRED THIRTY FOUR DOLLARS
// 50/100 USD)", with the plural (text 3) and the abbreviation (text 4);
// "(ZERO <moneda> )" for 0. Throws plat::Error for an amount below 1 other
// than 0, or above 4294967295.99: "<amount> not in valid range 1..4294967295.99".
QString ImporteEnIngles(const QString& moneda, double importe);
// The English words of a whole number below 10^12.
QString NumeroEnIngles(std::int64_t n);

// salida := text n (1 to 4) of the record of moneda.vrl, in the data folder
// (configuration line 8), whose currency name equals `nombre` exactly; "xx"
// when no record has that name. When the file does not exist salida is left
// as it was. Throws plat::Error when the file cannot be read or ends inside
// a record before the name is found.
void TextoMoneda(const QString& nombre, int n, QString& salida);
