// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lexer.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace zembrel::typed {

namespace {

// The characters that are tokens by themselves, as they read once folded.
struct Symbol {
    std::u32string_view text;
    TokenKind kind;
    Joint joint = Joint::None;
    Relation relation = Relation::Equal;
    Bracket bracket = Bracket::Round;
};

// Two-character relations come before their first character alone.
constexpr Symbol kSymbols[] = {
    {U"<=", TokenKind::Relation, Joint::None, Relation::LessEqual},
    {U">=", TokenKind::Relation, Joint::None, Relation::GreaterEqual},
    {U"=", TokenKind::Relation, Joint::None, Relation::Equal},
    {U"<", TokenKind::Relation, Joint::None, Relation::Less},
    {U">", TokenKind::Relation, Joint::None, Relation::Greater},
    {U"≤", TokenKind::Relation, Joint::None, Relation::LessEqual},
    {U"≦", TokenKind::Relation, Joint::None, Relation::LessEqual},
    {U"⩽", TokenKind::Relation, Joint::None, Relation::LessEqual},
    {U"≥", TokenKind::Relation, Joint::None, Relation::GreaterEqual},
    {U"≧", TokenKind::Relation, Joint::None, Relation::GreaterEqual},
    {U"⩾", TokenKind::Relation, Joint::None, Relation::GreaterEqual},
    {U"+", TokenKind::Sign, Joint::Plus},
    {U"-", TokenKind::Sign, Joint::Minus},
    {U"−", TokenKind::Sign, Joint::Minus},
    {U"*", TokenKind::Times, Joint::Asterisk},
    {U"×", TokenKind::Times, Joint::Cross},
    {U"·", TokenKind::Times, Joint::Dot},
    {U"⋅", TokenKind::Times, Joint::Dot},
    {U"/", TokenKind::Divide, Joint::Slash},
    {U"÷", TokenKind::Divide, Joint::Obelus},
    {U"^", TokenKind::Caret, Joint::Caret},
    {U"(", TokenKind::Open, Joint::None, Relation::Equal, Bracket::Round},
    {U")", TokenKind::Close, Joint::None, Relation::Equal, Bracket::Round},
    {U"[", TokenKind::Open, Joint::None, Relation::Equal, Bracket::Square},
    {U"]", TokenKind::Close, Joint::None, Relation::Equal, Bracket::Square},
};

// Line breaks, commas, semicolons and 、 end a statement.
constexpr std::u32string_view kSeparators = U"\n\r\u2028\u2029,;\u3001";
// Skipped between tokens (U+3000, the ideographic space, folds to a blank).
constexpr std::u32string_view kBlanks = U" \t\u00A0";
// ⁰ ¹ ² … ⁹, each at its digit's place.
constexpr std::u32string_view kSuperscripts = U"\u2070\u00B9\u00B2\u00B3\u2074\u2075\u2076\u2077\u2078\u2079";

// Full-width forms read as their ASCII forms.
char32_t folded(char32_t c)
{
    if (c >= U'\uFF01' && c <= U'\uFF5E')
        return c - 0xFEE0;
    if (c == U'\u3000')
        return U' ';
    return c;
}

// Control and zero-width characters, named by their code in a message.
bool invisible(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || (c >= 0x200B && c <= 0x200F) || (c >= 0x2060 && c <= 0x2064)
           || c == 0xFEFF;
}

bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

bool isLatin(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'); }

bool isSign(char32_t c) { return c == U'+' || c == U'-' || c == U'−'; }

// digits·10^scale, exactly. Refused before it is built when its numerator
// or denominator would pass kMaxCoefficientBits (a decimal digit is at most
// 3.322 bits) or its making the work left.
mpq_class decimalValue(const std::string& digits, long scale, std::size_t at, Budget& budget)
{
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 0;
    const std::size_t numeratorDigits = digits.size() - first + static_cast<std::size_t>(std::max(scale, 0L));
    const std::size_t denominatorDigits = static_cast<std::size_t>(std::max(-scale, 0L));
    const std::size_t bits = std::max(numeratorDigits, denominatorDigits) * 3322 / 1000 + 1;
    if (bits > kMaxCoefficientBits)
        Fail(ErrorKind::TooLarge, at);
    budget.charge(2 * Budget::coefficientWork(bits), at); // made from its digits, then reduced
    mpz_class whole;
    mpz_set_str(whole.get_mpz_t(), digits.c_str() + first, 10);
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(scale < 0 ? -scale : scale));
    if (scale >= 0)
        return mpq_class(whole * power);
    mpq_class value(whole, power);
    value.canonicalize();
    return value;
}

} // namespace

void Fail(ErrorKind kind, std::size_t at, std::string detail) { throw Failure(ReadError{kind, at, std::move(detail)}); }

std::u32string Decode(std::string_view utf8)
{
    std::u32string text;
    text.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = 1;
        char32_t code = lead;
        char32_t smallest = 0;
        if (lead >= 0x80) {
            if ((lead & 0xE0) == 0xC0) {
                length = 2, code = lead & 0x1F, smallest = 0x80;
            } else if ((lead & 0xF0) == 0xE0) {
                length = 3, code = lead & 0x0F, smallest = 0x800;
            } else if ((lead & 0xF8) == 0xF0) {
                length = 4, code = lead & 0x07, smallest = 0x10000;
            } else {
                Fail(ErrorKind::InvalidText, text.size());
            }
            if (i + length > utf8.size())
                Fail(ErrorKind::InvalidText, text.size());
            for (std::size_t k = 1; k < length; ++k) {
                const auto next = static_cast<unsigned char>(utf8[i + k]);
                if ((next & 0xC0) != 0x80)
                    Fail(ErrorKind::InvalidText, text.size());
                code = (code << 6) | (next & 0x3F);
            }
            // Overlong forms, surrogates and beyond U+10FFFF are no characters.
            if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                Fail(ErrorKind::InvalidText, text.size());
        }
        text.push_back(code);
        i += length;
    }
    return text;
}

std::string Encode(std::u32string_view text)
{
    std::string utf8;
    for (const char32_t c : text) {
        if (invisible(c)) {
            char name[8];
            std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
            utf8 += name;
        } else if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (c >> 12));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (c >> 18));
            utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

bool Lexer::nextStatement(Tokens& statement)
{
    std::vector<Token>& tokens = statement.tokens;
    tokens.clear();
    statement.literals.clear();
    if (ended_)
        return false;
    while (next_ < text_.size()) {
        const char32_t c = folded(text_[next_]);
        if (kSeparators.find(c) != std::u32string_view::npos) {
            ++next_;
            return true;
        }
        if (kBlanks.find(c) != std::u32string_view::npos) {
            ++next_;
        } else if (isDigit(c) || c == U'.') {
            tokens.push_back(number(statement.literals));
        } else if (isLatin(c)) {
            tokens.push_back(letter());
        } else if (kSuperscripts.find(c) != std::u32string_view::npos) {
            tokens.push_back(superscript(statement.literals));
        } else {
            const auto symbol = std::find_if(std::begin(kSymbols), std::end(kSymbols), [&](const Symbol& s) {
                if (next_ + s.text.size() > text_.size())
                    return false;
                for (std::size_t k = 0; k < s.text.size(); ++k) {
                    if (folded(text_[next_ + k]) != s.text[k])
                        return false;
                }
                return true;
            });
            if (symbol == std::end(kSymbols))
                Fail(ErrorKind::UnknownCharacter, next_, Encode(text_.substr(next_, 1)));
            Token token;
            token.kind = symbol->kind;
            token.span = {next_, next_ + symbol->text.size()};
            token.joint = symbol->joint;
            token.relation = symbol->relation;
            token.bracket = symbol->bracket;
            tokens.push_back(token);
            next_ += symbol->text.size();
        }
    }
    ended_ = true;
    return true;
}

// Digits with at most one point, then an exponent: an e or E followed by
// digits, or by a sign and digits ("2e" and "2e+x" are 2 and the letter e).
Token Lexer::number(std::vector<Literal>& literals)
{
    const std::size_t begin = next_;
    const auto at = [&](std::size_t i) { return i < text_.size() ? folded(text_[i]) : U'\0'; };
    std::string digits;
    std::string typed;
    long fractionDigits = 0;
    bool point = false;
    for (char32_t c = at(next_); isDigit(c) || (c == U'.' && !point); c = at(++next_)) {
        typed += static_cast<char>(c);
        if (c == U'.') {
            point = true;
            continue;
        }
        digits += static_cast<char>(c);
        if (point)
            ++fractionDigits;
    }
    if (digits.empty())
        Fail(ErrorKind::MalformedNumber, begin);

    long exponent = 0;
    const char32_t e = at(next_);
    const std::size_t signAt = next_ + 1;
    const bool sign = isSign(at(signAt));
    if ((e == U'e' || e == U'E') && isDigit(at(sign ? signAt + 1 : signAt))) {
        typed += static_cast<char>(e);
        if (sign)
            typed += at(signAt) == U'+' ? '+' : '-';
        const bool negative = sign && at(signAt) != U'+';
        // Counted no further than the limit: 1e0000000000000000000001 is 10.
        for (next_ = sign ? signAt + 1 : signAt; isDigit(at(next_)); ++next_) {
            typed += static_cast<char>(at(next_));
            exponent = std::min(exponent * 10 + static_cast<long>(at(next_) - U'0'), kMaxDecimalExponent + 1);
        }
        if (negative)
            exponent = -exponent;
    }
    if (at(next_) == U'.')
        Fail(ErrorKind::MalformedNumber, next_);
    if (exponent > kMaxDecimalExponent || exponent < -kMaxDecimalExponent)
        Fail(ErrorKind::TooLarge, begin);

    Token token;
    token.kind = TokenKind::Number;
    token.span = {begin, next_};
    token.index = literals.size();
    literals.push_back({decimalValue(digits, exponent - fractionDigits, begin, budget_), std::move(typed)});
    return token;
}

Token Lexer::letter()
{
    const std::size_t at = next_++;
    const auto lower = static_cast<char>(folded(text_[at]) | 0x20);
    if (lower == 'e' || lower == 'i')
        Fail(ErrorKind::ReservedLetter, at, Encode(text_.substr(at, 1)));
    std::size_t& index = index_[static_cast<std::size_t>(lower - 'a')];
    if (index == 0) {
        if (unknowns_.size() == kMaxUnknowns)
            Fail(ErrorKind::TooManyUnknowns, at, Encode(text_.substr(at, 1)));
        unknowns_.push_back(lower);
        index = unknowns_.size();
    }
    Token token;
    token.kind = TokenKind::Letter;
    token.span = {at, at + 1};
    token.index = index - 1;
    return token;
}

// A run of superscript digits is one exponent: x²³ is x^23.
Token Lexer::superscript(std::vector<Literal>& literals)
{
    const std::size_t begin = next_;
    std::string digits;
    for (std::size_t digit = 0; next_ < text_.size(); ++next_) {
        digit = kSuperscripts.find(text_[next_]);
        if (digit == std::u32string_view::npos)
            break;
        digits += static_cast<char>('0' + digit);
    }
    Token token;
    token.kind = TokenKind::Superscript;
    token.span = {begin, next_};
    token.joint = Joint::Superscript;
    token.index = literals.size();
    literals.push_back({decimalValue(digits, 0, begin, budget_), digits});
    return token;
}

} // namespace zembrel::typed
