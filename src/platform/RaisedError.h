#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// An error the platform raises (a conversion, a list index, a file that
// cannot be created or written, a division by zero). It carries the exact
// text the user sees; the command it escapes from ends there.
class RaisedError : public std::runtime_error {
  public:
    explicit RaisedError(const std::string& text) : std::runtime_error(text) {}
    std::string Text() const { return what(); }
};

[[noreturn]] void Raise(const std::string& text);

// The platform's fixed error texts.
inline constexpr const char* kNotFloatText = "'%s' は浮動小数点ではありません";
inline constexpr const char* kNotIntegerText = "'%s' は整数ではありません";
inline constexpr const char* kListIndexText = "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています";
inline constexpr const char* kCannotCreateText = "ﾌｧｲﾙ %s を作成できません";
inline constexpr const char* kCannotWriteText = "%s に書き込めません";
inline constexpr const char* kDivisionByZeroText = "0 で除算しました";
