#include "fit/FitFormula.h"

#include <muParser.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <span>

#include "platform/NumberText.h"

FitFormula::FitFormula() = default;
FitFormula::~FitFormula() = default;
FitFormula::FitFormula(FitFormula&&) noexcept = default;
FitFormula& FitFormula::operator=(FitFormula&&) noexcept = default;

double* FitFormula::NewParameter(const char* name, void* self) {
    auto& formula = *static_cast<FitFormula*>(self);
    formula.names_.emplace_back(name);
    formula.values_.push_back(1.0);
    return &formula.values_.back();
}

bool FitFormula::Parse(const std::string& text, std::string& reason) {
    text_ = text;
    names_.clear();
    values_.clear();
    parser_ = std::make_unique<mu::Parser>();
    try {
        parser_->DefineVar("x", &x_);
        parser_->SetVarFactory(&FitFormula::NewParameter, this);
        parser_->SetExpr(text);
        // The first evaluation parses, and names the parameters.
        parser_->Eval();
        if (parser_->GetNumResults() != 1) {
            reason = "式が一つではありません";
            return false;
        }
    } catch (const mu::Parser::exception_type& e) {
        reason = e.GetMsg();
        parser_.reset();
        return false;
    }
    return true;
}

double FitFormula::operator()(double x, const double* parameters) const {
    x_ = x;
    auto value = values_.begin();
    for (std::size_t k = 0; k < names_.size(); ++k, ++value) *value = parameters[k];
    try {
        return parser_->Eval();
    } catch (const mu::Parser::exception_type&) {
        return std::numeric_limits<double>::quiet_NaN();
    }
}

void FitFormula::Values(std::span<const double> x, const double* parameters,
                        std::vector<double>& values) const {
    const std::size_t n = x.size();
    values.resize(n);
    // The bulk mode's threads cost more than they save on few points.
    if (n < kBulkPoints) {
        for (std::size_t i = 0; i < n; ++i) values[i] = (*this)(x[i], parameters);
        return;
    }
    if (!bulk_ || bulkX_.size() != n) {
        bulkX_.assign(n, 0.0);
        bulkParameters_.assign(names_.size(), std::vector<double>(n));
        bulk_ = std::make_unique<mu::Parser>();
        bulk_->DefineVar("x", bulkX_.data());
        for (std::size_t k = 0; k < names_.size(); ++k)
            bulk_->DefineVar(names_[k], bulkParameters_[k].data());
        bulk_->SetExpr(text_);
    }
    std::copy(x.begin(), x.end(), bulkX_.begin());
    for (std::size_t k = 0; k < names_.size(); ++k)
        std::fill(bulkParameters_[k].begin(), bulkParameters_[k].end(), parameters[k]);
    try {
        bulk_->Eval(values.data(), int(n));
    } catch (const mu::Parser::exception_type&) {
        std::fill(values.begin(), values.end(), std::numeric_limits<double>::quiet_NaN());
    }
}

namespace {

std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool ParseStartValues(const std::string& text, const std::vector<std::string>& names,
                      std::vector<double>& values, std::string& badItem) {
    values.assign(names.size(), 1.0);
    std::size_t begin = 0;
    while (begin <= text.size()) {
        const std::size_t end = std::min(text.find(';', begin), text.size());
        const std::string item = Trimmed(text.substr(begin, end - begin));
        begin = end + 1;
        if (item.empty()) continue;
        const std::size_t equals = item.find('=');
        double value = 0;
        const std::string name =
            equals == std::string::npos ? std::string() : Trimmed(item.substr(0, equals));
        std::size_t k = 0;
        while (k < names.size() && names[k] != name) ++k;
        if (k == names.size() || !TryStrToFloat(Trimmed(item.substr(equals + 1)), value) ||
            !std::isfinite(value)) {
            badItem = item;
            return false;
        }
        values[k] = value;
    }
    return true;
}

std::string StartValuesText(const std::vector<std::string>& names,
                            const std::vector<double>& values, int digits) {
    std::string text;
    for (std::size_t k = 0; k < names.size() && k < values.size(); ++k) {
        if (k > 0) text += ';';
        char rounded[40];
        const auto end = std::to_chars(rounded, rounded + sizeof rounded, values[k],
                                       std::chars_format::general, digits)
                             .ptr;
        double value = values[k];
        TryStrToFloat(std::string_view(rounded, std::size_t(end - rounded)), value);
        text += names[k];
        text += '=';
        text += FloatToText(value);
    }
    return text;
}
