#pragma once

#include <QString>
#include <QStringView>

/// How numbers travel through text in this program: typed answers and text
/// boxes are read with the leading-number rule, and numbers are written back
/// in the shortest general form. Pure functions, no widgets.
namespace TextNumber {

/// Reads the longest leading number of `text`. Blanks, tabs and line feeds
/// are ignored wherever they stand ("1 2" reads 12). Accepts a sign,
/// decimals, an exponent (E or D) and the integer forms &H (hexadecimal)
/// and &O (octal). A text without a leading number reads 0; -0 reads 0.
/// A value beyond double range reads as ±infinity, so callers that must
/// refuse it can test std::isfinite.
double leadingNumber(QStringView text);

/// Shortest general form of a single-precision value: at most 7
/// significant digits, exponent form "1.5E+07" beyond them and below 1E-04.
QString shortest(float value);
/// Same for a double-precision value, with at most 15 significant digits.
QString shortest(double value);

/// The value a number keeps after it has travelled through a text box:
/// written in its shortest form and read back, so 7 (single precision) or
/// 15 (double precision) significant digits.
double carried(float value);
double carried(double value);

/// The form a number takes as its own print item: a blank for a
/// non-negative value or "-", the shortest form, one trailing blank.
/// Values between -1 and 1 keep the 0 before their decimal point.
QString printItem(float value);
QString printItem(double value);

/// Rounds to the nearest whole number, halves to the even neighbour
/// (2.5 gives 2, 3.5 gives 4).
double roundHalfEven(double value);

} // namespace TextNumber
