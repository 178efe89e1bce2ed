#pragma once
// Small arithmetic formulas written as text (computed report columns, prices
// from cost, amounts typed as sums), once field names have been replaced by
// their values: 12.5*3-(4+6)/2.
//
// The evaluator works on texts: every intermediate value is written back as
// text and read again, with the decimal separator of fs::Regional(). The
// usual caller applies ResuelveParentesis and then EvaluaAritmetica to its
// result.

#include <QString>

// The text with every parenthesised group replaced by its value (innermost
// groups first, until none is left) and all parentheses and blanks removed.
// A ")" without its "(" closes the piece before it, which is evaluated; a
// "(" without its ")" is dropped.
QString ResuelveParentesis(const QString& texto);
// The value of a text without parentheses as a sum of terms joined by "+",
// "-" or ";" ("+" and "-" right after "*" or "/" sign the next factor
// instead); blanks are dropped and "--" reads as "+", so "5 - -3" is 8.
// Right-aligned in 15 characters with 4 decimals. A term that cannot be
// evaluated counts 0 (so "5*" is 0): the result is never an error.
QString EvaluaAritmetica(const QString& texto);
// The value of one term, numbers joined by "*" and "/" (each possibly
// signed), right-aligned in 15 characters with 5 decimals; "" for an empty
// term; "-" alone reads as -1. A divisor of 0 makes the term 0. A malformed
// term (a divisor that is not a plain number, as in 6/-2) throws plat::Error
// (Conversion).
QString EvaluaTermino(const QString& termino);
