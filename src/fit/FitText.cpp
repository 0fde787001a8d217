#include "fit/FitText.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "platform/FormatText.h"
#include "platform/NumberText.h"
#include "plot/PlotNames.h"

namespace {

// Fixed ("%.*f") or general ("%.*g") digits, in the C locale whatever the
// process's.
std::string Printed(std::chars_format format, double value, int digits) {
    char text[400];
    const auto end = std::to_chars(text, text + sizeof text, value, format, digits).ptr;
    return std::string(text, end);
}

// A value or an error for the report: 15 significant digits, empty when
// there is none.
std::string ReportNumber(double v) {
    return std::isfinite(v) ? FloatToText(v) : std::string();
}

bool IsNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

}  // namespace

std::string ValueWithError(double value, double error) {
    if (!std::isfinite(value)) return FloatToText(value);
    if (!(error > 0) || !std::isfinite(error)) return Printed(std::chars_format::general, value, 3);
    int place = int(std::floor(std::log10(error)));               // of the error's first digit
    if (std::floor(error / std::pow(10.0, place)) == 1) --place;  // two digits for 1x
    // Large or small values keep a power of ten: the digits in front.
    const int magnitude = value != 0 ? int(std::floor(std::log10(std::fabs(value)))) : place;
    const int exponent = magnitude >= 6 || magnitude <= -5 ? magnitude : 0;
    const double scale = std::pow(10.0, exponent);
    const int decimals = std::max(exponent - place, 0);
    const double unit = std::pow(10.0, place);
    const double digits = std::round(error / unit);
    std::string text = Printed(std::chars_format::fixed, value / scale, decimals);
    // The error in units of the last digit shown, or in full for an error
    // wider than 1 in the value's units.
    text += Concat("(", place > exponent ? FloatToText(digits * unit / scale) : FloatToText(digits),
                   ")");
    if (exponent != 0) text += Concat("E", exponent > 0 ? "+" : "", IntToStr(exponent));
    return text;
}

std::string FittedEquation(const FitResult& fit) {
    auto value = [&](std::size_t k) {
        return ValueWithError(fit.Parameters[k].Value, fit.Parameters[k].StandardError);
    };
    std::string out = "y = ";
    if (fit.Formula.empty()) {
        // The polynomial a0 + a1·x + ..., or the mean.
        for (std::size_t k = 0; k < fit.Parameters.size(); ++k) {
            const bool negative = fit.Parameters[k].Value < 0;
            if (k > 0) out += negative ? " - " : " + ";
            const double shown =
                k > 0 && negative ? -fit.Parameters[k].Value : fit.Parameters[k].Value;
            out += ValueWithError(shown, fit.Parameters[k].StandardError);
            if (k == 1) out += "·x";
            if (k > 1) out += Concat("·x^", IntToStr(std::int64_t(k)), "@");
        }
        return out;
    }
    // The formula with each parameter replaced by its value; "*" shown as
    // "·", binary + and - spaced, a negative value after an operator in
    // parentheses, "^" as a superscript up to the end of its operand.
    const std::string& f = fit.Formula;
    std::string body;
    for (std::size_t i = 0; i < f.size();) {
        if (IsNameCharacter(f[i]) && !std::isdigit(static_cast<unsigned char>(f[i]))) {
            std::size_t end = i;
            while (end < f.size() && IsNameCharacter(f[end])) ++end;
            const std::string name = f.substr(i, end - i);
            std::size_t k = 0;
            while (k < fit.Parameters.size() && fit.Parameters[k].Name != name) ++k;
            if (k < fit.Parameters.size()) {
                const FitParameter& p = fit.Parameters[k];
                const auto ends = [&](const char* tail) {
                    return body.size() >= 3 && body.compare(body.size() - 3, 3, tail) == 0;
                };
                if (p.Value < 0 && (ends(" + ") || ends(" - "))) {
                    // "a + -b" reads "a - b".
                    body[body.size() - 2] = ends(" + ") ? '-' : '+';
                    body += ValueWithError(-p.Value, p.StandardError);
                } else if (p.Value < 0 && !body.empty() && body.back() != '(') {
                    body += Concat("(", value(k), ")");
                } else {
                    body += value(k);
                }
            } else {
                body += name;
            }
            i = end;
            continue;
        }
        const char c = f[i++];
        if (c == ' ') continue;
        const bool binary = !body.empty() && (IsNameCharacter(body.back()) || body.back() == ')');
        if (c == '*')
            body += "·";
        else if ((c == '+' || c == '-') && binary)
            body += Concat(" ", std::string(1, c), " ");
        else
            body += c;
    }
    // A power's exponent: the name, number or parenthesis after "^".
    std::string marked;
    for (std::size_t i = 0; i < body.size(); ++i) {
        marked += body[i];
        if (body[i] != '^') continue;
        std::size_t end = i + 1;
        if (end < body.size() && body[end] == '(') {
            int depth = 0;
            for (; end < body.size(); ++end) {
                depth += body[end] == '(' ? 1 : body[end] == ')' ? -1 : 0;
                if (depth == 0) break;
            }
            ++end;
        } else {
            // A name or a number, a value's "(12)" error and "E-6" power
            // included.
            auto digitsAt = [&](std::size_t at) {
                std::size_t to = at;
                while (to < body.size() && std::isdigit(static_cast<unsigned char>(body[to]))) ++to;
                return to;
            };
            if (end < body.size() && body[end] == '-') ++end;
            while (end < body.size() && (IsNameCharacter(body[end]) || body[end] == '.')) ++end;
            if (end < body.size() && body[end] == '(') {
                const std::size_t close = digitsAt(end + 1);
                if (close > end + 1 && close < body.size() && body[close] == ')') end = close + 1;
            }
            if (end + 1 < body.size() && body[end] == 'E' &&
                (body[end + 1] == '+' || body[end + 1] == '-'))
                end = digitsAt(end + 2);
        }
        marked += Concat(body.substr(i + 1, end - i - 1), "@");
        i = end - 1;
    }
    return out + marked;
}

std::string FitReportRows(const std::string& file, const std::vector<FitResult>& fits) {
    std::string rows;
    for (const FitResult& fit : fits) {
        const std::string front = Concat(file, "\t", fit.Series, "\t", NameOf(fit.Curve), "\t");
        for (const FitParameter& p : fit.Parameters)
            rows += Concat(front, p.Name, "\t", ReportNumber(p.Value), "\t",
                           ReportNumber(p.StandardError), "\n");
        const std::pair<const char*, double> statistics[] = {
            {"N", fit.N}, {"DOF", fit.DOF}, {"RSS", fit.RSS}, {"SIGMA", fit.Sigma}, {"R2", fit.R2}};
        for (const auto& [name, v] : statistics)
            rows += Concat(front, name, "\t", ReportNumber(v), "\t\n");
        if (fit.Weighted) rows += Concat(front, "CHI2\t", ReportNumber(fit.ReducedChi2), "\t\n");
    }
    return rows;
}

std::string FitReportText(const std::vector<FitResult>& fits) {
    std::string text;
    for (const FitResult& fit : fits) {
        if (!text.empty()) text += "\n";
        text += Concat(fit.Series, "\t", NameOf(fit.Curve));
        if (!fit.Formula.empty()) text += Concat("\t", fit.Formula);
        text += "\nﾊﾟﾗﾒｰﾀ\t値\t標準誤差\n";
        for (const FitParameter& p : fit.Parameters)
            text += Concat(p.Name, "\t", ReportNumber(p.Value), "\t", ReportNumber(p.StandardError),
                           "\n");
        text += Concat("点の数 N\t", IntToStr(fit.N), "\n");
        text += Concat("自由度 DOF\t", IntToStr(fit.DOF), "\n");
        text += Concat(fit.Weighted ? "χ²" : "残差平方和 RSS", "\t", ReportNumber(fit.RSS), "\n");
        text += Concat("残差の標準偏差 SIGMA\t", ReportNumber(fit.Sigma), "\n");
        text += Concat("決定係数 R²\t", ReportNumber(fit.R2), "\n");
        if (fit.Weighted) text += Concat("χ²/ν\t", ReportNumber(fit.ReducedChi2), "\n");
    }
    return text;
}
