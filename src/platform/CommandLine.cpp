#include "platform/CommandLine.h"

#include "platform/FormatText.h"

namespace {

// The argument as it was typed for an option the parser did not know.
std::string TypedOption(const QStringList& arguments, const QString& name) {
    for (const QString& arg : arguments) {
        if (arg == "--") break;
        if (arg == "-" + name || arg == "--" + name || arg.startsWith("--" + name + "="))
            return arg.toStdString();
    }
    return ("--" + name).toStdString();
}

}  // namespace

std::string CommandLineProblem(const QCommandLineParser& parser, const QStringList& arguments) {
    if (!parser.unknownOptionNames().isEmpty())
        return FormatText("オプション '%s' はありません",
                          {TypedOption(arguments, parser.unknownOptionNames().front())});
    // The one other failure: an option that takes a value ended the line.
    for (const QString& name : parser.optionNames())
        if (arguments.back() == "-" + name || arguments.back() == "--" + name)
            return arguments.back().toStdString() + " には値が必要です";
    return parser.errorText().toStdString();
}
