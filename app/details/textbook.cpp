// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "textbook.h"

#include <mpfr.h>

#include <algorithm>

namespace zembrel::textbook {

namespace {

// Digits a person can take in at a glance; longer values are cut.
constexpr qsizetype kShownDigits = 15;
constexpr qsizetype kPlainLength = 24;

constexpr QStringView kMinus = u"−";
constexpr QStringView kSubscripts = u"₀₁₂₃₄₅₆₇₈₉";
// Superscripts outside Latin-1, which not every face has.
constexpr QStringView kRareSuperscripts = u"⁰⁴⁵⁶⁷⁸⁹⁻";
constexpr QStringView kRareSuperscriptsAs = u"0456789−";

// A value as significant digits and the place of the decimal point:
// 2.8 is {"28", 1}, 0.035 is {"35", -1}.
struct Digits {
    QString digits;
    qsizetype point = 0;
};

void stripTrailingZeros(Digits& value)
{
    while (value.digits.size() > 1 && value.digits.endsWith(QLatin1Char('0')))
        value.digits.chop(1);
}

QString plain(const Digits& value)
{
    const QString& d = value.digits;
    if (value.point <= 0)
        return QStringLiteral("0.") + QString(-value.point, QLatin1Char('0')) + d;
    if (value.point >= d.size())
        return d + QString(value.point - d.size(), QLatin1Char('0'));
    return d.left(value.point) + QLatin1Char('.') + d.mid(value.point);
}

QString scientific(const Digits& value)
{
    QString mantissa = value.digits.left(1);
    if (value.digits.size() > 1)
        mantissa += QLatin1Char('.') + value.digits.mid(1);
    return mantissa + QStringLiteral(" × 10") + superscript(static_cast<int>(value.point - 1));
}

// Plain where the point is near the digits, else in powers of ten.
QString written(const Digits& value, bool cut)
{
    const qsizetype exponent = value.point - 1;
    const QString mark = cut ? QStringLiteral("…") : QString();
    if (exponent >= -5 && exponent < kShownDigits) {
        const QString text = plain(value);
        if (!cut || text.size() <= kPlainLength)
            return text + mark;
    }
    QString text = scientific(value);
    if (cut)
        text.insert(text.indexOf(QLatin1Char(' ')), mark);
    return text;
}

} // namespace

QString superscript(int exponent)
{
    static const QString digits = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    QString text;
    if (exponent < 0)
        text += QStringLiteral("⁻");
    for (const QChar c : QString::number(std::abs(exponent)))
        text += digits.at(c.digitValue());
    return text;
}

Number numberOf(const mpq_class& value)
{
    Number number;
    number.negative = sgn(value) < 0;
    number.zero = sgn(value) == 0;
    const mpq_class magnitude = abs(value);
    number.one = magnitude == 1;

    // A value read from a decimal text has a denominator 2^a·5^b: it is
    // n / 10^k with k = max(a, b).
    mpz_class rest = magnitude.get_den();
    const auto twos = static_cast<long>(mpz_remove(rest.get_mpz_t(), rest.get_mpz_t(), mpz_class(2).get_mpz_t()));
    const auto fives = static_cast<long>(mpz_remove(rest.get_mpz_t(), rest.get_mpz_t(), mpz_class(5).get_mpz_t()));
    if (rest != 1) {
        number.magnitude = shortened(QString::fromStdString(magnitude.get_str()), kPlainLength);
        return number;
    }
    const long k = std::max(twos, fives);
    mpz_class scaled = magnitude.get_num();
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 2, static_cast<unsigned long>(k - twos));
    scaled *= power;
    mpz_ui_pow_ui(power.get_mpz_t(), 5, static_cast<unsigned long>(k - fives));
    scaled *= power;

    Digits digits{QString::fromStdString(scaled.get_str()), 0};
    digits.point = digits.digits.size() - k;
    stripTrailingZeros(digits);
    const bool cut = digits.digits.size() > kShownDigits;
    digits.digits.truncate(kShownDigits);
    number.magnitude = number.zero ? QStringLiteral("0") : written(digits, cut);
    return number;
}

QString sumOf(std::span<const Term> terms)
{
    QString text;
    for (const Term& term : terms) {
        if (term.coefficient.zero && !term.keptWhenZero)
            continue;
        if (!text.isEmpty())
            text += term.coefficient.negative ? QStringLiteral(" − ") : QStringLiteral(" + ");
        else if (term.coefficient.negative)
            text += kMinus;
        const QString& digits = term.coefficient.magnitude;
        if (term.variable.isEmpty())
            text += digits;
        else if (term.coefficient.one)
            text += term.variable;
        else if (digits.contains(QLatin1Char(' ')) || digits.contains(QStringLiteral("…")))
            text += digits + QStringLiteral("·") + term.variable;
        else
            text += digits + term.variable;
    }
    return text.isEmpty() ? QStringLiteral("0") : text;
}

QString decimal15(const std::string& decimal)
{
    const QString text = QString::fromStdString(decimal);
    const bool negative = text.startsWith(QLatin1Char('-'));
    QString mantissa = negative ? text.mid(1) : text;
    qsizetype exponent = 0;
    if (const qsizetype e = mantissa.indexOf(QLatin1Char('e'), 0, Qt::CaseInsensitive); e >= 0) {
        exponent = mantissa.mid(e + 1).toLongLong();
        mantissa.truncate(e);
    }
    qsizetype point = mantissa.indexOf(QLatin1Char('.'));
    if (point < 0)
        point = mantissa.size();
    mantissa.remove(QLatin1Char('.'));
    Digits value{mantissa, point + exponent};
    while (value.digits.startsWith(QLatin1Char('0'))) {
        value.digits.remove(0, 1);
        --value.point;
    }
    if (value.digits.isEmpty())
        return QStringLiteral("0");

    if (value.digits.size() > kShownDigits) {
        const bool up = value.digits.at(kShownDigits).digitValue() >= 5;
        value.digits.truncate(kShownDigits);
        for (qsizetype i = kShownDigits - 1; up && i >= 0; --i) {
            if (value.digits.at(i) != QLatin1Char('9')) {
                value.digits[i] = QChar(value.digits.at(i).unicode() + 1);
                break;
            }
            value.digits[i] = QLatin1Char('0');
            if (i == 0) {
                value.digits.prepend(QLatin1Char('1'));
                value.digits.chop(1);
                ++value.point;
            }
        }
    }
    stripTrailingZeros(value);
    return (negative ? kMinus.toString() : QString()) + written(value, false);
}

bool decimalIsWhole(const std::string& decimal, const QString& exactForm)
{
    if (exactForm.contains(QStringLiteral("√")) || exactForm.contains(QStringLiteral("…")))
        return false;
    const auto mantissa
        = QString::fromStdString(decimal).section(QLatin1Char('e'), 0, 0, QString::SectionCaseInsensitiveSeps);
    qsizetype digits = 0;
    QString significant = mantissa;
    significant.remove(QLatin1Char('-')).remove(QLatin1Char('.'));
    while (significant.startsWith(QLatin1Char('0')))
        significant.remove(0, 1);
    while (significant.endsWith(QLatin1Char('0')))
        significant.chop(1);
    digits = significant.size();
    // Twenty digits are a rounding; fewer are the value itself.
    return digits <= kShownDigits;
}

double nearestDouble(const mpq_class& value)
{
    mpfr_t nearest;
    mpfr_init2(nearest, 53);
    mpfr_set_q(nearest, value.get_mpq_t(), MPFR_RNDN);
    const double result = mpfr_get_d(nearest, MPFR_RNDN);
    mpfr_clear(nearest);
    return result;
}

QString rich(const QString& text)
{
    QString html;
    html.reserve(text.size() * 2);
    const auto isLetter = [&text](qsizetype i) {
        return i >= 0 && i < text.size() && text.at(i).unicode() < 0x80 && text.at(i).isLetter();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QStringLiteral("√").at(0)) {
            // The radicand under the bar: a bracketed group, or a run of digits and letters.
            qsizetype end = i + 1;
            QString radicand;
            if (end < text.size() && text.at(end) == QLatin1Char('(')) {
                int depth = 0;
                for (; end < text.size(); ++end) {
                    depth += text.at(end) == QLatin1Char('(') ? 1 : text.at(end) == QLatin1Char(')') ? -1 : 0;
                    if (depth == 0)
                        break;
                }
                radicand = text.mid(i + 2, end - i - 2);
                ++end;
            } else {
                while (end < text.size()
                       && (text.at(end).isDigit() || isLetter(end) || text.at(end) == QLatin1Char('.')))
                    ++end;
                radicand = text.mid(i + 1, end - i - 1);
            }
            html += QStringLiteral("√<span style=\"text-decoration: overline\">") + rich(radicand)
                    + QStringLiteral("</span>");
            i = end - 1;
        } else if (isLetter(i) && !isLetter(i - 1) && !isLetter(i + 1)) {
            html += QStringLiteral("<i>") + c + QStringLiteral("</i>");
        } else if (const qsizetype sub = kSubscripts.indexOf(c); sub >= 0) {
            // Set as rich text: the 宋体 stand-ins have no subscript digits.
            html += QStringLiteral("<sub>") + QString::number(sub) + QStringLiteral("</sub>");
        } else if (const qsizetype sup = kRareSuperscripts.indexOf(c); sup >= 0) {
            html += QStringLiteral("<sup>") + kRareSuperscriptsAs.at(sup) + QStringLiteral("</sup>");
        } else if (c == QLatin1Char('<')) {
            html += QStringLiteral("&lt;");
        } else if (c == QLatin1Char('>')) {
            html += QStringLiteral("&gt;");
        } else if (c == QLatin1Char('&')) {
            html += QStringLiteral("&amp;");
        } else if (c == QLatin1Char('\n')) {
            html += QStringLiteral("<br>");
        } else {
            html += c;
        }
    }
    return html;
}

QString shortened(const QString& text, qsizetype limit)
{
    if (text.size() <= limit)
        return text;
    return text.left(limit - 1) + QStringLiteral("…");
}

} // namespace zembrel::textbook
